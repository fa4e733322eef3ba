// A ranked result list cut into its score groups, for printing.
#pragma once

#include <string>
#include <vector>

#include "search/scored_char.h"

struct ScoreGroup {
    int score;
    std::vector<std::string> chars;  // UTF-8, in list order
};

// The groups of equal score, best first, as the list holds them.
std::vector<ScoreGroup> GroupByScore(const std::vector<ScoredChar>& list);

// The group's characters separated by `separator`.
std::string JoinChars(const ScoreGroup& group, const std::string& separator);
