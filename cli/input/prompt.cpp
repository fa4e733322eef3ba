#include "cli/input/prompt.h"

#include <string>
#include <vector>

#include "cli/platform/platform.h"

void RunPrompt(std::FILE* in, QueryAnswers& answers, OutputStream& out, OutputStream& err)
{
    err.Write(std::string("Type a character, or a line of them, and Enter. An empty line or ") + kEndOfInputKeys +
              " ends.\n");
    std::string line;
    while (!out.Failed()) {
        err.Write("字> ");
        err.Flush();
        if (!ReadInputLine(in, line)) {
            err.Write("\n");  // the shell's prompt starts on a line of its own
            return;
        }
        const std::vector<Query> queries = QueriesInText(line, "the line");
        if (queries.empty())
            return;
        answers.AnswerAll(queries);
    }
}
