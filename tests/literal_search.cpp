#include "literal_search.h"

#include <algorithm>

#include "search/search.h"
#include "tests/literal_measure.h"

std::vector<ScoredChar> LiteralRankMatches(const CharTable& table, std::string_view queryCode)
{
    std::vector<ScoredChar> list;
    for (const CharEntry& entry : table) {
        const int score = LiteralCommonRunLength(entry.code, queryCode);
        if (score >= kMinimumScore)
            list.push_back(ScoredChar{std::string(entry.key), score});
    }
    std::stable_sort(list.begin(), list.end(), [](const ScoredChar& a, const ScoredChar& b) { return a.score > b.score; });
    return list;
}
