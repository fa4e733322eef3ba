#include "answer/answer.h"

#include <unordered_set>

CharacterReadings ReadingsOf(const Readings* readings, std::string_view key)
{
    CharacterReadings result;
    if (!readings)
        return result;
    result.pinyin = readings->Pinyin(key);
    result.words = readings->Words(key);
    return result;
}

Answer AnswerEntry(const CharTable& table, const CharEntry& entry, const AnswerOptions& options,
                   const Readings* readings)
{
    std::vector<ScoredChar> list = RankMatches(table, entry.code);
    KeepTop(list, options.top);
    Answer answer;
    answer.key = entry.key;
    answer.groups = GroupByScore(list);
    std::erase_if(answer.groups, [&](const ScoreGroup& group) { return group.score < options.minScore; });
    if (!options.explain)
        return answer;
    answer.explained = true;
    answer.readings = ReadingsOf(readings, answer.key);
    // A dictionary may hold a key twice: it is explained once.
    std::unordered_set<std::string_view> seen;
    for (const ScoreGroup& group : answer.groups)
        for (const std::string& key : group.chars)
            if (seen.insert(key).second)
                answer.about.push_back(ListedCharacter{
                    key, ReadingsOf(readings, key),
                    readings ? readings->DifferenceOf(answer.key, key) : std::nullopt});
    return answer;
}

std::optional<Answer> AnswerQuery(const CharTable& table, std::string_view key, const AnswerOptions& options,
                                  const Readings* readings)
{
    const CharEntry* entry = FindEntry(table, key);
    if (!entry)
        return std::nullopt;
    return AnswerEntry(table, *entry, options, readings);
}
