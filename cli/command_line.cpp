#include "command_line.h"

#include <algorithm>
#include <string_view>

#include "cli/all_matches.h"
#include "cli/dictionary_path.h"
#include "cli/options.h"
#include "cli/output_stream.h"
#include "cli/platform.h"
#include "cli/score_groups.h"
#include "cli/shared_run_text.h"
#include "cli/text_codec.h"
#include "dictionary/char_table.h"
#include "search/common_run_length.h"
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
    for (const ScoreGroup& group : GroupByScore(list)) {
        text += indent;
        if (withScores)
            text += std::to_string(group.score) + ": ";
        text += JoinChars(group, " ") + "\n";
    }
    return text;
}

// Each match on a line of its own, best first, with its score and the run of
// code it shares with the query: "军 (5): 冖 车 [21]".
std::string WhyLines(const CharTable& table, std::string_view queryCode, std::string_view indent)
{
    struct Match {
        const CharEntry* entry;
        int score;
    };
    std::vector<Match> matches;
    for (const CharEntry& entry : table) {
        const int score = CommonRunLength(entry.code, queryCode);
        if (score >= kMinimumScore)
            matches.push_back({&entry, score});
    }
    std::stable_sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) { return a.score > b.score; });
    std::string text;
    for (const Match& match : matches) {
        text += std::string(indent) + Cp936ToUtf8(match.entry->key) + " (" + std::to_string(match.score) + "): ";
        text += DescribeSharedRun(match.entry->code, LongestSharedRun(match.entry->code, queryCode)) + "\n";
    }
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
            err.Write(IsValidUtf8(query) ? "no find: " + query + " has no code page 936 form\n"
                                         : std::string("no find: the argument is not valid UTF-8\n"));
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
        const std::string_view indent = labelled ? "  " : "";
        if (labelled)
            out.Write(query + ":\n");
        if (labelled && list.empty())
            out.Write("  (no look-alike characters)\n");
        else if (options.why)
            out.Write(WhyLines(table, entry->code, indent));
        else
            out.Write(GroupLines(list, options.scores, indent));
        if (!labelled && list.empty())
            Say(err, "no character's code shares 4 bytes in a row with that of " + query);
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

    if (options->command == Command::All) {
        WriteAllMatches(table, *options, out, err, IsTerminal(stderr));
        return kAllFound;
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
