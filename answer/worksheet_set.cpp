#include "answer/worksheet_set.h"

#include <algorithm>

#include "text/text_codec.h"

namespace {

WorksheetCharacter Character(std::string_view key)
{
    return WorksheetCharacter{Cp936ToUtf8(key), {}, {}, {}};
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
    WorksheetSet set{Character(answer.key), {}};
    for (const ScoreGroup& group : answer.groups) {
        for (const std::string& key : group.chars) {
            if (left == 0)
                return set;
            set.lookAlikes.push_back(Character(key));
            --left;
        }
    }
    return set;
}
