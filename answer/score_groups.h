// A ranked result list cut into its score groups.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "search/scored_char.h"

struct ScoreGroup {
    int score;
    std::vector<std::string> chars;  // keys, code page 936 bytes, in list order
};

// Keeps the first `top` items of a ranked list (--top), or all when `top` is 0.
template <typename List>
void KeepTop(List& list, int top)
{
    if (top > 0 && list.size() > static_cast<std::size_t>(top))
        list.resize(static_cast<std::size_t>(top));
}

// The groups of equal score, best first, as the list holds them. Linear in
// the list.
std::vector<ScoreGroup> GroupByScore(const std::vector<ScoredChar>& list);
