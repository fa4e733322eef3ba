#include "answer/score_groups.h"

std::vector<ScoreGroup> GroupByScore(const std::vector<ScoredChar>& list)
{
    std::vector<ScoreGroup> groups;
    for (const ScoredChar& item : list) {
        if (groups.empty() || groups.back().score != item.score)
            groups.push_back(ScoreGroup{item.score, {}});
        groups.back().chars.push_back(item.key);
    }
    return groups;
}
