#include "cli/output/query_answers.h"

#include <algorithm>

#include "answer/answer.h"
#include "answer/render_json.h"
#include "answer/render_text.h"
#include "answer/render_tsv.h"
#include "answer/shared_run_text.h"
#include "text/text_codec.h"
#include "search/common_run_length.h"
#include "search/search.h"

namespace {

// Each match on a line of its own, best first, with its score and the run of
// code it shares with the query, "军 (5): 冖 车 [21]", and what tells it
// apart from the query when the readings data records it.
std::string WhyLines(const CharTable& table, const CharEntry& query, const Options& options,
                     const Readings* readings, std::string_view indent)
{
    const std::string_view queryCode = query.code;
    struct Match {
        const CharEntry* entry;
        int score;
    };
    // The list the search ranks; the runs of long codes it measured are kept
    // for LongestSharedRun below.
    std::vector<Match> matches;
    for (const RankedEntry& ranked : RankEntries(table, queryCode))
        matches.push_back({&table[ranked.index], ranked.score});
    KeepTop(matches, options.top);
    std::erase_if(matches, [&](const Match& match) { return match.score < options.minScore; });
    std::string text;
    for (const Match& match : matches) {
        text += std::string(indent) + ShownKey(match.entry->key) + " (" + std::to_string(match.score) + "): ";
        text += DescribeSharedRun(match.entry->code, LongestSharedRun(match.entry->code, queryCode));
        if (const std::optional<Difference> difference =
                readings ? readings->DifferenceOf(query.key, match.entry->key) : std::nullopt)
            text += " \xE2\x80\x94 " + ShownDifference(*difference);
        text += "\n";
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

void QueryAnswers::SayNoLookAlikes(const Query& query, std::string_view key, bool inList)
{
    std::string text = "no look-alikes in this dictionary";
    if (m_options.minScore > kMinimumScore)
        text = "no look-alikes scoring " + std::to_string(m_options.minScore) + " or more in this dictionary";
    else if (const std::size_t count = m_gbk.LookAlikeCount(key))
        text += ", " + std::to_string(count) + " in the GBK one: use --dict gbk";
    // Under a heading the listing says it; alone, the output stays empty for
    // scripts and the word goes to the messages.
    if (inList)
        m_out.Write("  (" + text + ")\n");
    else
        m_err.Write(query.Shown() + ": " + text + "\n");
}

void QueryAnswers::WriteText(const Query& query, const CharEntry& entry, bool labelled)
{
    const std::string_view indent = labelled ? "  " : "";
    if (m_options.why) {
        if (labelled)
            m_out.Write(query.Shown() + ":\n");
        const std::string lines = WhyLines(m_table, entry, m_options, m_readings, indent);
        if (lines.empty())
            SayNoLookAlikes(query, entry.key, labelled);
        m_out.Write(lines);
        return;
    }
    const AnswerOptions options{m_options.top, m_options.minScore, m_options.explain};
    const ::Answer answer = AnswerEntry(m_table, entry, options, m_readings);
    // Explained, the heading carries the query's own readings.
    if (labelled || answer.explained) {
        std::string heading = query.Shown() + ":";
        if (const std::string readings = ShownReadings(answer.readings); !readings.empty())
            heading += " " + readings;
        m_out.Write(heading + "\n");
    }
    if (answer.groups.empty()) {
        SayNoLookAlikes(query, entry.key, labelled || answer.explained);
        return;
    }
    std::string text;
    AppendTextLines(text, answer, m_options.scores, indent);
    m_out.Write(text);
}

bool QueryAnswers::Answer(const Query& query, bool labelled)
{
    const CharEntry* entry = LookUpQuery(m_table, query, labelled, m_gbk, m_err);
    if (m_options.format == OutputFormat::Jsonl) {
        // Every query has its line, so that a reader can pair them up.
        if (!entry)
            m_out.WriteBytes(JsonNoFindLine(query.text));
        else
            m_out.WriteBytes(JsonLine(AnswerEntry(
                m_table, *entry, AnswerOptions{m_options.top, m_options.minScore, m_options.explain}, m_readings)));
        return entry != nullptr;
    }
    if (!entry)
        return false;
    if (m_options.format == OutputFormat::Tsv) {
        const ::Answer answer =
            AnswerEntry(m_table, *entry, AnswerOptions{m_options.top, m_options.minScore, m_options.explain}, m_readings);
        if (answer.groups.empty())
            SayNoLookAlikes(query, entry->key, false);
        m_out.Write(TsvLines(answer));
        return true;
    }
    WriteText(query, *entry, labelled);
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
