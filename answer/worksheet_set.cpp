#include "answer/worksheet_set.h"

#include <algorithm>

#include "text/text_codec.h"

namespace {

WorksheetCharacter Character(std::string_view key, const CharacterReadings& readings)
{
    WorksheetCharacter character{Cp936ToUtf8(key), {}, {}, {}};
    for (const std::string& reading : readings.pinyin)
        character.pinyin.push_back(ReadingToUtf8(reading));
    for (const std::string& word : readings.words)
        character.words.push_back(Cp936ToUtf8(word));
    return character;
}

WorksheetCharacter ListedOf(const Answer& answer, const std::string& key)
{
    const auto about = std::find_if(answer.about.begin(), answer.about.end(),
                                    [&](const ListedCharacter& listed) { return listed.key == key; });
    if (about == answer.about.end())
        return Character(key, {});
    WorksheetCharacter character = Character(key, about->readings);
    if (about->difference)
        character.difference = Cp936ToUtf8(about->difference->text);
    return character;
}

}  // namespace

std::size_t WorksheetLookAlikeCount(const std::vector<std::size_t>& groupSizes)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < groupSizes.size() && i < 2; ++i)
        count += groupSizes[i];
    return std::min(count, kWorksheetLookAlikes);
}

WorksheetSet WorksheetSetFor(const Answer& answer)
{
    std::vector<std::size_t> sizes;
    for (const ScoreGroup& group : answer.groups)
        sizes.push_back(group.chars.size());
    std::size_t left = WorksheetLookAlikeCount(sizes);
    WorksheetSet set{Character(answer.key, answer.readings), {}};
    for (const ScoreGroup& group : answer.groups) {
        for (const std::string& key : group.chars) {
            if (left == 0)
                return set;
            set.lookAlikes.push_back(ListedOf(answer, key));
            --left;
        }
    }
    return set;
}
