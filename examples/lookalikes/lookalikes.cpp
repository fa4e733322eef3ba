// lookalikes DICTIONARY CHAR: the look-alikes of CHAR (UTF-8) in DICTIONARY,
// one score group per line with its score, best first, as orvalen-find
// --scores prints them; with --json, the JSON line orvalen-find --format
// jsonl prints.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "answer/answer.h"
#include "answer/render_json.h"
#include "dictionary/dictionary_file.h"
#include "text/text_codec.h"

int main(int argc, char** argv)
{
    const bool json = argc == 4 && std::strcmp(argv[1], "--json") == 0;
    if (argc != 3 && !json) {
        std::fprintf(stderr, "usage: lookalikes [--json] DICTIONARY CHAR\n");
        return 2;
    }
    const char* path = argv[argc - 2];
    const char* query = argv[argc - 1];
    CharTable table;
    std::string reason;
    if (!LoadCharTable(table, path, &reason)) {
        std::fprintf(stderr, "lookalikes: %s\n", reason.c_str());
        return 2;
    }
    const std::optional<std::string> key = Utf8ToCp936(query);
    const std::optional<Answer> answer = key ? AnswerQuery(table, *key, AnswerOptions{}) : std::nullopt;
    if (!answer) {
        std::fprintf(stderr, "no find\n");
        return 1;
    }
    if (json) {
        std::fputs(JsonLine(*answer).c_str(), stdout);
        return 0;
    }
    for (const ScoreGroup& group : answer->groups) {
        std::printf("%d:", group.score);
        for (const std::string& listed : group.chars)
            std::printf(" %s", Cp936ToUtf8(listed).c_str());
        std::printf("\n");
    }
    return 0;
}
