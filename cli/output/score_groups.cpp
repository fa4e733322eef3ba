#include "cli/output/score_groups.h"

#include "cli/text/text_codec.h"

std::vector<ScoreGroup> GroupByScore(const std::vector<ScoredChar>& list)
{
    std::vector<ScoreGroup> groups;
    for (const ScoredChar& item : list) {
        if (groups.empty() || groups.back().score != item.score)
            groups.push_back(ScoreGroup{item.score, {}});
        groups.back().chars.push_back(Cp936ToUtf8(item.key));
    }
    return groups;
}

std::string JoinChars(const ScoreGroup& group, const std::string& separator)
{
    std::string text;
    for (std::size_t i = 0; i < group.chars.size(); ++i) {
        if (i > 0)
            text += separator;
        text += group.chars[i];
    }
    return text;
}
