#include "command_line.h"

#include <string_view>

#include "cli/dictionary_path.h"
#include "cli/options.h"
#include "cli/output_stream.h"
#include "cli/platform.h"
#include "cli/text_codec.h"
#include "dictionary/char_table.h"
#include "search/search.h"

namespace {

constexpr std::string_view kProgram = "orvalen-find";

void Say(OutputStream& err, std::string_view message)
{
    err.Write(std::string(kProgram) + ": " + std::string(message) + "\n");
}

// One line per score group, best first: the characters separated by spaces,
// led by the group's score when asked for.
std::string GroupLines(const std::vector<ScoredChar>& list, bool withScores, std::string_view indent)
{
    std::string text;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const bool startsGroup = i == 0 || list[i].score != list[i - 1].score;
        if (startsGroup) {
            if (i > 0)
                text += '\n';
            text += indent;
            if (withScores)
                text += std::to_string(list[i].score) + ": ";
        } else {
            text += ' ';
        }
        text += Cp936ToUtf8(list[i].key);
    }
    if (!list.empty())
        text += '\n';
    return text;
}

int FindRaw(const CharTable& table, const std::string& query, OutputStream& out, OutputStream& err)
{
    const std::optional<std::string> text = RunSearch(table, RawQueryBytes(query));
    if (!text) {
        err.Write("no find\n");
        return kSomeNotFound;
    }
    out.Write(*text);
    return kAllFound;
}

int FindEach(const CharTable& table, const Options& options, OutputStream& out, OutputStream& err)
{
    const bool labelled = options.queries.size() > 1;
    int status = kAllFound;
    for (const std::string& query : options.queries) {
        const std::string shown = labelled ? ": " + query : std::string();
        const std::optional<std::string> bytes = Utf8ToCp936(query);
        if (!bytes) {
            const char* why = IsValidUtf8(query) ? "has no code page 936 form" : "is not valid UTF-8";
            err.Write("no find: " + (IsValidUtf8(query) ? query : std::string("the argument")) + " " + why + "\n");
            status = kSomeNotFound;
            continue;
        }
        const CharEntry* entry = FindEntry(table, *bytes);
        if (!entry) {
            err.Write("no find" + shown + "\n");
            status = kSomeNotFound;
            continue;
        }
        const std::vector<ScoredChar> list = RankMatches(table, entry->code);
        if (labelled) {
            out.Write(query + ":\n");
            out.Write(list.empty() ? std::string("  (no look-alike characters)\n")
                                   : GroupLines(list, options.scores, "  "));
        } else {
            out.Write(GroupLines(list, options.scores, ""));
            if (list.empty())
                Say(err, "no character's code shares 4 bytes in a row with that of " + query);
        }
    }
    return status;
}

int Run(const std::vector<std::string>& args, OutputStream& out, OutputStream& err)
{
    std::string error;
    const std::optional<Options> options = ParseOptions(args, error);
    if (!options) {
        Say(err, error);
        err.Write("Try 'orvalen-find --help'.\n");
        return kTrouble;
    }
    if (options->command == Command::Help) {
        out.Write(kUsage);
        return kAllFound;
    }
    if (options->command == Command::Version) {
        out.Write("orvalen-find 1.0.0.1\n");
        return kAllFound;
    }

    const std::optional<std::string> path = ChooseDictionary(options->dictionary, ExecutableDirectory(), error);
    if (!path) {
        Say(err, error);
        return kTrouble;
    }
    CharTable table;
    std::string reason;
    if (!LoadCharTable(table, NativePath(*path), &reason)) {
        Say(err, "dictionary " + reason);
        return kTrouble;
    }

    if (options->raw)
        return FindRaw(table, options->queries.front(), out, err);
    return FindEach(table, *options, out, err);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    OutputStream outStream(out), errStream(err);
    int status = Run(args, outStream, errStream);
    if (!outStream.Finish()) {
        Say(errStream, std::string("cannot write the output: ") + outStream.ErrorText());
        status = kTrouble;
    }
    errStream.Finish();
    return status;
}
