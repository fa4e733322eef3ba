#include "cli/input/prompt.h"

#include <string>
#include <vector>

#include "cli/platform/platform.h"

namespace {

// A terminal in line mode keeps at most this many bytes of a line (4096 with
// its line feed, on Linux) and drops the rest without a word.
constexpr std::size_t kTerminalLineLimit = 4095;

}  // namespace

void RunPrompt(std::FILE* in, QueryAnswers& answers, OutputStream& out, OutputStream& err)
{
    err.Write(std::string("Type a character, or a line of them, and Enter. An empty line or ") + kEndOfInputKeys +
              " ends.\n");
    std::string line;
    while (!out.Failed() && !err.Failed()) {
        err.Write("字> ");
        err.Flush();
        // A terminal bounds its lines; a longer one (a terminal in raw mode)
        // is taken a megabyte at a time, as lines of their own.
        bool ended = true;
        if (!ReadInputLine(in, line, kTerminalLineLimit << 8, &ended)) {
            err.Write("\n");  // the shell's prompt starts on a line of its own
            return;
        }
        if (line.size() >= kTerminalLineLimit)
            err.Write("note: a terminal passes on at most " + std::to_string(kTerminalLineLimit) +
                      " bytes of a line typed or pasted at the prompt, so the end of this one may be lost; give "
                      "long text on a pipe instead: orvalen-find < file\n");
        // Only an empty line ends, as the help says: a line of blanks (a
        // stray space before Enter) asks again.
        if (line.empty())
            return;
        const std::vector<Query> queries = QueriesInText(line, "the line");
        if (queries.empty())
            continue;
        answers.AnswerAll(queries);
    }
}
