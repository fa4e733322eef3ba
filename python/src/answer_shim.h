// Until the shared answer library is in the tree: the same calls, made from
// the core. Removed when answer/ lands.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/char_table.h"
#include "search/search.h"

struct ScoreGroup {
    int score;
    std::vector<std::string> chars;
};

struct AnswerOptions {
    int top = 0;
    int minScore = kMinimumScore;
};

struct Answer {
    std::string key;
    std::vector<ScoreGroup> groups;
};

inline Answer AnswerEntry(const CharTable& table, const CharEntry& entry, const AnswerOptions& options)
{
    std::vector<ScoredChar> list = RankMatches(table, entry.code);
    if (options.top > 0 && list.size() > static_cast<std::size_t>(options.top))
        list.resize(static_cast<std::size_t>(options.top));
    Answer answer{std::string(entry.key), {}};
    for (const ScoredChar& item : list) {
        if (answer.groups.empty() || answer.groups.back().score != item.score)
            answer.groups.push_back(ScoreGroup{item.score, {}});
        answer.groups.back().chars.push_back(item.key);
    }
    std::erase_if(answer.groups, [&](const ScoreGroup& group) { return group.score < options.minScore; });
    return answer;
}
