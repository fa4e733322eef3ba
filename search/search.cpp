#include "search.h"

#include <algorithm>

#include "search/code_index.h"
#include "search/seeded_run_length.h"

std::vector<ScoredChar> RankMatches(const CharTable& table, std::string_view queryCode)
{
    // Only entries sharing a 4-byte window with the padded query code can
    // score enough; the index names them in table order, so the list comes
    // out as a walk of the whole table would make it.
    const std::shared_ptr<const CodeIndex> index = IndexOf(table);
    thread_local std::vector<std::uint32_t> candidates;
    index->Candidates(queryCode, candidates);

    // Codes of a hundred bytes and more make comparing every offset of every
    // candidate costly; runs of 4 or more start at a window the codes share.
    const QueryWindows windows(queryCode);
    std::vector<ScoredChar> list;
    for (std::uint32_t i : candidates) {
        const CharEntry& entry = table[i];
        const int score = windows.ScoreIfAlike(entry.code);
        if (score >= kMinimumScore)
            list.push_back(ScoredChar{std::string(entry.key), score});
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const ScoredChar& a, const ScoredChar& b) { return a.score > b.score; });
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
