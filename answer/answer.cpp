#include "answer/answer.h"

Answer AnswerEntry(const CharTable& table, const CharEntry& entry, const AnswerOptions& options)
{
    std::vector<ScoredChar> list = RankMatches(table, entry.code);
    KeepTop(list, options.top);
    Answer answer{std::string(entry.key), GroupByScore(list)};
    std::erase_if(answer.groups, [&](const ScoreGroup& group) { return group.score < options.minScore; });
    return answer;
}

std::optional<Answer> AnswerQuery(const CharTable& table, std::string_view key, const AnswerOptions& options)
{
    const CharEntry* entry = FindEntry(table, key);
    if (!entry)
        return std::nullopt;
    return AnswerEntry(table, *entry, options);
}
