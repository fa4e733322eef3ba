#include "answer/worksheet_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(WorksheetLookAlikeCount, TakesTheFirstOneOrTwoGroupsUpToSix)
{
    struct Case {
        std::vector<std::size_t> groups;
        std::size_t count;
    };
    const std::vector<Case> cases = {
        {{}, 0}, {{1}, 1}, {{2, 3}, 5}, {{2, 2, 2}, 4}, {{1, 9}, 6}, {{8}, 6}, {{6, 1}, 6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WorksheetLookAlikeCount(c.groups), c.count) << ::testing::PrintToString(c.groups);
}

std::vector<std::string> Texts(const std::vector<WorksheetCharacter>& characters)
{
    std::vector<std::string> texts;
    for (const WorksheetCharacter& character : characters)
        texts.push_back(character.text);
    return texts;
}

// Keys in code page 936: 未 末 木 术 本 (GB2312).
const std::string kWei = "\xCE\xB4", kMo = "\xC4\xA9", kMu = "\xC4\xBE", kShu = "\xCA\xF5", kBen = "\xB1\xBE";

TEST(WorksheetSetFor, KeepsTheClosestGroupsInUtf8)
{
    const Answer answer{kWei, {{45, {kMo}}, {37, {kMu, kShu}}, {33, {kBen}}}};
    const WorksheetSet set = WorksheetSetFor(answer);
    EXPECT_EQ(set.query.text, "未");
    EXPECT_EQ(Texts(set.lookAlikes), (std::vector<std::string>{"末", "木", "术"}));
}

TEST(WorksheetSetFor, CutsALongFirstGroupAtSix)
{
    const Answer answer{kWei, {{29, {kMo, kMu, kShu, kBen, kMo, kMu, kShu}}, {25, {kBen}}}};
    EXPECT_EQ(WorksheetSetFor(answer).lookAlikes.size(), 6u);
    EXPECT_TRUE(WorksheetSetFor(Answer{kWei, {}}).lookAlikes.empty());
}

}  // namespace
