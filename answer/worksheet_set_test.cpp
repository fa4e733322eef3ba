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

Answer Listing(std::vector<ScoreGroup> groups)
{
    Answer answer;
    answer.key = kWei;
    answer.groups = std::move(groups);
    return answer;
}

TEST(WorksheetSetFor, KeepsTheClosestGroupsInUtf8WithWhatTheExplanationSays)
{
    Answer answer = Listing({{45, {kMo}}, {37, {kMu, kShu}}, {33, {kBen}}});
    const WorksheetSet bare = WorksheetSetFor(answer);
    EXPECT_EQ(bare.query.text, "未");
    EXPECT_EQ(Texts(bare.lookAlikes), (std::vector<std::string>{"末", "木", "术"}));
    EXPECT_TRUE(bare.query.pinyin.empty());

    // Explained: 未 wèi 未来 从未; 末 mò 周末, 上横长 apart from 未; 木
    // listed with nothing known; 术 not in the explanation at all. A
    // reading GBK cannot spell comes with a tone digit, shown as a mark.
    answer.explained = true;
    answer.readings = {{"w\xA8\xA8i", "m2"}, {kWei + "\xC0\xB4", "\xB4\xD3" + kWei}};
    answer.about = {{kMo, {{"m\xA8\xB0"}, {"\xD6\xDC" + kMo}}, Difference{"stroke_differs", "\xC9\xCF\xBA\xE1\xB3\xA4"}},
                    {kMu, {}, std::nullopt}};
    const WorksheetSet set = WorksheetSetFor(answer);
    EXPECT_EQ(set.query.pinyin, (std::vector<std::string>{"wèi", "m\xCC\x81"}));
    EXPECT_EQ(set.query.words, (std::vector<std::string>{"未来", "从未"}));
    EXPECT_EQ(Texts(set.lookAlikes), (std::vector<std::string>{"末", "木", "术"}));
    EXPECT_EQ(set.lookAlikes[0].pinyin, std::vector<std::string>{"mò"});
    EXPECT_EQ(set.lookAlikes[0].words, std::vector<std::string>{"周末"});
    EXPECT_EQ(set.lookAlikes[0].difference, "上横长");
    for (std::size_t i : {1, 2}) {
        EXPECT_TRUE(set.lookAlikes[i].pinyin.empty() && set.lookAlikes[i].words.empty()) << i;
        EXPECT_TRUE(set.lookAlikes[i].difference.empty()) << i;
    }
}

TEST(WorksheetSetFor, CutsALongFirstGroupAtSix)
{
    const Answer answer = Listing({{29, {kMo, kMu, kShu, kBen, kMo, kMu, kShu}}, {25, {kBen}}});
    EXPECT_EQ(WorksheetSetFor(answer).lookAlikes.size(), 6u);
    EXPECT_TRUE(WorksheetSetFor(Listing({})).lookAlikes.empty());
}

}  // namespace
