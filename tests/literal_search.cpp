#include "literal_search.h"

#include <algorithm>
#include <string>

#include "search/search.h"
#include "tests/literal_measure.h"

namespace {

void SortByScore(std::vector<ScoredChar>& list)
{
    std::stable_sort(list.begin(), list.end(), [](const ScoredChar& a, const ScoredChar& b) { return a.score > b.score; });
}

std::uint32_t FourBytesAt(std::string_view text, std::size_t i)
{
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < 4; ++k)
        value = value << 8 | static_cast<unsigned char>(text[i + k]);
    return value;
}

}  // namespace

std::vector<ScoredChar> LiteralRankMatches(const CharTable& table, std::string_view queryCode)
{
    std::vector<ScoredChar> list;
    for (const CharEntry& entry : table) {
        const int score = LiteralCommonRunLength(entry.code, queryCode);
        if (score >= kMinimumScore)
            list.push_back(ScoredChar{std::string(entry.key), score});
    }
    SortByScore(list);
    return list;
}

FilteredLiteralSearch::FilteredLiteralSearch(const CharTable& table) : m_table(table)
{
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        const std::string_view code = table[i].code;
        for (std::size_t k = 0; k + 4 <= code.size(); ++k) {
            std::vector<std::uint32_t>& holders = m_holders[FourBytesAt(code, k)];
            if (holders.empty() || holders.back() != i)
                holders.push_back(i);
        }
    }
}

std::vector<ScoredChar> FilteredLiteralSearch::RankMatches(std::string_view queryCode) const
{
    // Four bytes of padding on each side hold every 4-byte string that any
    // amount of padding can give.
    const std::string padded = "----" + std::string(queryCode) + "----";
    std::vector<std::uint32_t> candidates;
    for (std::size_t k = 0; k + 4 <= padded.size(); ++k) {
        const auto found = m_holders.find(FourBytesAt(padded, k));
        if (found != m_holders.end())
            candidates.insert(candidates.end(), found->second.begin(), found->second.end());
    }
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    std::vector<ScoredChar> list;
    for (const std::uint32_t i : candidates) {
        const int score = LiteralCommonRunLength(m_table[i].code, queryCode);
        if (score >= kMinimumScore)
            list.push_back(ScoredChar{std::string(m_table[i].key), score});
    }
    SortByScore(list);
    return list;
}
