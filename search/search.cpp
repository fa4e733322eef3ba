#include "search.h"

#include <algorithm>

#include "search/code_index.h"
#include "search/seeded_run_length.h"

std::vector<RankedEntry> RankEntries(const CharTable& table, std::string_view queryCode)
{
    // Only entries sharing a 4-byte window with the padded query code can
    // score enough; the index names them in table order, so the list comes
    // out as a walk of the whole table would make it.
    const std::shared_ptr<const CodeIndex> index = IndexOf(table);
    thread_local std::vector<std::uint32_t> candidates;
    index->Candidates(queryCode, candidates);

    // Codes of a hundred bytes and more make comparing every offset of every
    // candidate costly; runs of 4 or more start at a window the codes share.
    //
    // Entry codes that a long query code's sorted suffixes cannot measure
    // quickly (both repeating themselves, say) are put off, and measured
    // together at the end: one at a time, each would cost the query code's
    // length. They hold their places in the list meanwhile.
    const QueryWindows windows(queryCode);
    std::vector<RankedEntry> list;
    std::vector<std::size_t> later;
    std::vector<std::string_view> laterCodes;
    for (std::uint32_t i : candidates) {
        const int score = windows.ScoreOrLater(table[i].code);
        if (score == QueryWindows::kLater) {
            later.push_back(list.size());
            laterCodes.push_back(table[i].code);
        }
        if (score >= kMinimumScore || score == QueryWindows::kLater)
            list.push_back(RankedEntry{i, score});
    }
    if (!later.empty()) {
        const std::vector<int> scores = windows.ScoreLater(laterCodes);
        for (std::size_t k = 0; k < later.size(); ++k)
            list[later[k]].score = scores[k];
        std::erase_if(list, [](const RankedEntry& match) { return match.score < kMinimumScore; });
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const RankedEntry& a, const RankedEntry& b) { return a.score > b.score; });
    return list;
}

std::vector<ScoredChar> RankMatches(const CharTable& table, std::string_view queryCode)
{
    std::vector<ScoredChar> list;
    for (const RankedEntry& match : RankEntries(table, queryCode))
        list.push_back(ScoredChar{std::string(table[match.index].key), match.score});
    return list;
}

std::vector<ScoredChar> RankMatches(std::string_view queryCode)
{
    return RankMatches(TheCharTable(), queryCode);
}

std::string FormatMatches(const std::vector<ScoredChar>& list)
{
    std::string text;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0 && list[i].score != list[i - 1].score)
            text += "\r\n";
        text += list[i].key;
        text += ' ';
    }
    return text;
}

std::optional<std::string> RunSearch(const CharTable& table, std::string_view query)
{
    const CharEntry* entry = FindEntry(table, query);
    if (!entry)
        return std::nullopt;
    return FormatMatches(RankMatches(table, entry->code));
}

std::optional<std::string> RunSearch(std::string_view query)
{
    return RunSearch(TheCharTable(), query);
}
