#include "cli/output/query_answers.h"

#include <algorithm>

#include "answer/score_groups.h"
#include "cli/output/shared_run_text.h"
#include "text/text_codec.h"
#include "search/code_index.h"
#include "search/common_run_length.h"
#include "search/search.h"
#include "search/seeded_run_length.h"

namespace {

// One line per score group, best first: the characters separated by spaces,
// led by the group's score when asked for.
std::string GroupLines(const std::vector<ScoredChar>& list, bool withScores, std::string_view indent)
{
    std::string text;
    for (const ScoreGroup& group : GroupByScore(list)) {
        text += indent;
        if (withScores)
            text += std::to_string(group.score) + ": ";
        for (std::size_t i = 0; i < group.chars.size(); ++i) {
            if (i > 0)
                text += ' ';
            text += Cp936ToUtf8(group.chars[i]);
        }
        text += '\n';
    }
    return text;
}

// Each match on a line of its own, best first, with its score and the run of
// code it shares with the query: "军 (5): 冖 车 [21]".
std::string WhyLines(const CharTable& table, std::string_view queryCode, int top, std::string_view indent)
{
    struct Match {
        const CharEntry* entry;
        int score;
    };
    // The index's candidates are every entry that can score enough, in table
    // order, so the list is the one the search ranks.
    std::vector<std::uint32_t> candidates;
    IndexOf(table)->Candidates(queryCode, candidates);
    const QueryWindows windows(queryCode);
    std::vector<Match> matches;
    for (const std::uint32_t i : candidates) {
        const int score = windows.ScoreIfAlike(table[i].code);
        if (score >= kMinimumScore)
            matches.push_back({&table[i], score});
    }
    std::stable_sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) { return a.score > b.score; });
    KeepTop(matches, top);
    std::string text;
    for (const Match& match : matches) {
        text += std::string(indent) + Cp936ToUtf8(match.entry->key) + " (" + std::to_string(match.score) + "): ";
        text += DescribeSharedRun(match.entry->code, LongestSharedRun(match.entry->code, queryCode)) + "\n";
    }
    return text;
}

}  // namespace

const CharEntry* LookUpQuery(const CharTable& table, const Query& query, bool named, GbkHint& gbk, OutputStream& err)
{
    if (!query.problem.empty()) {
        err.Write("no find: " + query.problem + "\n");
        return nullptr;
    }
    const std::optional<std::string> key = Utf8ToCp936(query.text);
    if (!key) {
        err.Write("no find: " + query.Shown() + " has no code page 936 form, so no dictionary holds it\n");
        return nullptr;
    }
    if (const CharEntry* entry = FindEntry(table, *key))
        return entry;
    if (const std::optional<std::string>& broken = gbk.BrokenDictionary())
        err.Write("no find: " + query.Shown() + " is not in \"" + *broken + "\" (see the warning above)\n");
    else if (gbk.Has(*key))
        err.Write("no find: " + query.Shown() + " is in the GBK dictionary, not this one: use --dict gbk\n");
    else
        err.Write(named ? "no find: " + query.Shown() + "\n" : std::string("no find\n"));
    return nullptr;
}

void QueryAnswers::SayNoLookAlikes(const Query& query, std::string_view key, bool labelled)
{
    std::string text = "no look-alikes in this dictionary";
    if (const std::size_t count = m_gbk.LookAlikeCount(key))
        text += ", " + std::to_string(count) + " in the GBK one: use --dict gbk";
    // Under a heading the listing says it; alone, the output stays empty for
    // scripts and the word goes to the messages.
    if (labelled)
        m_out.Write("  (" + text + ")\n");
    else
        m_err.Write(query.Shown() + ": " + text + "\n");
}

bool QueryAnswers::Answer(const Query& query, bool labelled)
{
    const CharEntry* entry = LookUpQuery(m_table, query, labelled, m_gbk, m_err);
    if (!entry)
        return false;
    std::vector<ScoredChar> list = RankMatches(m_table, entry->code);
    KeepTop(list, m_options.top);
    const std::string_view indent = labelled ? "  " : "";
    if (labelled)
        m_out.Write(query.Shown() + ":\n");
    if (list.empty())
        SayNoLookAlikes(query, entry->key, labelled);
    else if (m_options.why)
        m_out.Write(WhyLines(m_table, entry->code, m_options.top, indent));
    else
        m_out.Write(GroupLines(list, m_options.scores, indent));
    return true;
}

bool QueryAnswers::AnswerAll(const std::function<std::optional<Query>()>& next)
{
    // One query ahead, to know whether there are several before the first
    // is printed.
    std::optional<Query> query = next();
    std::optional<Query> following = query ? next() : std::nullopt;
    const bool labelled = following.has_value();
    bool allFound = true;
    // A reader of the results or of the messages that has gone ends the
    // run: what is left could not be told.
    while (query && !m_out.Failed() && !m_err.Failed()) {
        allFound = Answer(*query, labelled) && allFound;
        // The next query is asked for only once this answer is written: a
        // program that feeds the input line by line waits for each answer.
        query = following ? std::move(following) : next();
        following.reset();
    }
    return allFound;
}

bool QueryAnswers::AnswerAll(const std::vector<Query>& queries)
{
    std::size_t next = 0;
    return AnswerAll([&]() -> std::optional<Query> {
        if (next == queries.size())
            return std::nullopt;
        return queries[next++];
    });
}
