#include "search/search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "search/common_run_length.h"
#include "search/seeded_run_length.h"
#include "search/trimmed_query.h"
#include "tests/literal_measure.h"

namespace {

CharTable Table(std::string_view bytes)
{
    CharTable table;
    ParseCharTable(bytes, table);
    return table;
}

std::vector<std::pair<std::string, int>> Flatten(const std::vector<ScoredChar>& list)
{
    std::vector<std::pair<std::string, int>> flat;
    for (const ScoredChar& item : list)
        flat.emplace_back(item.key, item.score);
    return flat;
}

TEST(RankMatches, KeepsScoresOfFourOrMoreBestFirst)
{
    const CharTable table = Table(
        "aa ABCDEFGH \n"  // 8: ABCDEFGH itself is the query code below
        "bb ABCxxxxx \n"  // 3: left out
        "cc xABCDxxx \n"  // 4
        "dd xxBCDEFG \n"  // 6
        "ee ABCDEFGH \n"  // identical code: 0
        "ff zzzzCDEF \n"  // 4
        "gg ABCDEFGx \n"  // 7
    );
    EXPECT_EQ(Flatten(RankMatches(table, "ABCDEFGH")),
              (std::vector<std::pair<std::string, int>>{{"gg", 7}, {"dd", 6}, {"cc", 4}, {"ff", 4}}));
}

TEST(RankMatches, EqualScoresKeepTableOrderInLongLists)
{
    std::string bytes;
    for (int i = 0; i < 40; ++i) {
        const char key[3] = {char('A' + i % 26), char('a' + i / 26), 0};
        bytes += std::string(key) + (i % 2 ? " zWXYZ \n" : " zzWXYZq \n");
    }
    const std::vector<ScoredChar> list = RankMatches(Table(bytes), "WXYZq");
    ASSERT_EQ(list.size(), 40u);
    EXPECT_EQ(list[0].key, "Aa");
    EXPECT_EQ(list[0].score, 5);
    for (std::size_t i = 1; i < list.size(); ++i) {
        ASSERT_GE(list[i - 1].score, list[i].score);
        if (list[i - 1].score == list[i].score) {
            EXPECT_LT(list[i - 1].key[1] * 26 + list[i - 1].key[0], list[i].key[1] * 26 + list[i].key[0]);
        }
    }
}

TEST(FormatMatches, OneScoreGroupPerLineEachKeyFollowedByASpace)
{
    EXPECT_EQ(FormatMatches({{"A", 7}, {"B", 7}, {"C", 5}, {"D", 4}, {"E", 4}}), "A B \r\nC \r\nD E ");
    EXPECT_EQ(FormatMatches({{"A", 4}, {"B", 4}}), "A B ");
    EXPECT_EQ(FormatMatches({{"\xB3\xB5", 9}}), "\xB3\xB5 ");
    EXPECT_EQ(FormatMatches({}), "");
}

TEST(RunSearch, NotFoundDiffersFromEmptyResult)
{
    const CharTable table = Table("aa ABCD \nbb WXYZ \n");
    EXPECT_EQ(RunSearch(table, "zz"), std::nullopt);
    EXPECT_EQ(RunSearch(table, "aa"), std::optional<std::string>(""));
    EXPECT_EQ(RunSearch(CharTable{}, "aa"), std::nullopt);
}

TEST(RunSearch, QueryMustBeAKeyExactly)
{
    const CharTable table = Table("aa ABCDE \nbb ABCDF \n");
    EXPECT_EQ(RunSearch(table, "aa"), std::optional<std::string>("bb "));
    for (const char* query : {"", "a", "aa ", " aa", "aabb", "aa\r\n"})
        EXPECT_EQ(RunSearch(table, query), std::nullopt) << '"' << query << '"';
}

TEST(TrimmedQuery, DropsBlanksAroundTheQueryOnCharacterBoundariesOnly)
{
    struct Row {
        const char* query;
        const char* trimmed;
    };
    const Row rows[] = {
        {"\xB1\xBE ", "\xB1\xBE"},                            // 本 copied from the result box
        {" \t\xB1\xBE\r\n", "\xB1\xBE"},                      // ASCII blanks at both ends
        {"\xA1\xA1\xB1\xBE\xA1\xA1", "\xB1\xBE"},             // full-width spaces
        {"\xB1\xBE \xC4\xA9", "\xB1\xBE \xC4\xA9"},            // a blank inside stays
        {"\xB0\xA1\xA1\xA1", "\xB0\xA1"},                     // 啊 then a full-width space
        {"\xA1\xA1\xA1", "\xA1"},                             // a full-width space, then half of one
        {"\xB0\xA1\xA1", "\xB0\xA1\xA1"},                     // 啊 and a lone A1: no blank
        {"\xA1\xA1\xA1\xA1\xA1", "\xA1"},
        {"\x81 ", "\x81"},                                    // a space is never a trail byte
        {"\xA1\xA1\xA1\xA2 ", "\xA1\xA2"},                    // 、 after a full-width space
        {" \r\n\t\xA1\xA1", ""},
        {"", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(TrimmedQuery(row.query), row.trimmed) << testing::PrintToString(std::string(row.query));
}

TEST(RunSearch, IdenticalCodesListNeitherCharacter)
{
    const CharTable table = Table("aa ABCDE \nbb ABCDE \ncc xBCDEx \n");
    EXPECT_EQ(RunSearch(table, "aa"), std::optional<std::string>("cc "));
    EXPECT_EQ(RunSearch(table, "bb"), std::optional<std::string>("cc "));
    EXPECT_EQ(RunSearch(table, "cc"), std::optional<std::string>("aa bb "));
}

TEST(RunSearch, DuplicateKeyUsesTheFirstCodeAndListsTheLaterOne)
{
    const CharTable table = Table("aa ABCDEF \nbb xCDEFx \naa ABCDEx \n");
    EXPECT_EQ(RunSearch(table, "aa"), std::optional<std::string>("aa \r\nbb "));
}

TEST(RankMatches, FindsRunsThatGoOnIntoThePadding)
{
    // Neither entry shares 4 bytes with the query code itself: "AB" lies over
    // the query's end and the entry's dashes over the padding; "----" lies
    // wholly over the padding and so matches any query.
    const CharTable table = Table("qq ZZAB \nee AB-- \ndd ---- \nff --ZZ \n");
    EXPECT_EQ(Flatten(RankMatches(table, "ZZAB")),
              (std::vector<std::pair<std::string, int>>{{"ee", 4}, {"dd", 4}, {"ff", 4}}));
    EXPECT_EQ(Flatten(RankMatches(table, "")), (std::vector<std::pair<std::string, int>>{{"dd", 4}}));
}

TEST(RankMatches, SeesEntriesAddedAfterAnEarlierSearch)
{
    CharTable table = Table("aa ABCDE \n");
    EXPECT_TRUE(RankMatches(table, "xBCDEx").size() == 1);
    ParseCharTable("bb zBCDEz \n", table);
    EXPECT_EQ(RankMatches(table, "xBCDEx").size(), 2u);
    CharTable moved = std::move(table);
    EXPECT_EQ(RankMatches(moved, "xBCDEx").size(), 2u);
    table.Clear();
    EXPECT_EQ(RankMatches(table, "xBCDEx").size(), 0u);
}

TEST(RunSearch, UsesTheProcessTable)
{
    TheCharTable().Clear();
    EXPECT_EQ(RunSearch("aa"), std::nullopt);
    ParseCharTable("aa ABCDE \nbb ABCDx \n", TheCharTable());
    EXPECT_EQ(RunSearch("aa"), std::optional<std::string>("bb "));
    TheCharTable().Clear();
}

// The whole search, with the literal measure and a plain ranking in place of
// the real ones, on random dictionaries whose codes hold dashes.
std::string ReferenceSearch(const CharTable& table, std::string_view queryCode)
{
    std::vector<ScoredChar> list;
    for (const CharEntry& entry : table) {
        const int score = LiteralCommonRunLength(entry.code, queryCode);
        if (score > 3)
            list.push_back({std::string(entry.key), score});
    }
    std::string text;
    for (int score = 1000; score > 3; --score) {
        std::string line;
        for (const ScoredChar& item : list)
            if (item.score == score)
                line += item.key + " ";
        if (!line.empty())
            text += (text.empty() ? "" : "\r\n") + line;
    }
    return text;
}

TEST(RunSearch, AgreesWithTheLiteralMeasureOnRandomDictionaries)
{
    std::mt19937 random(7);
    const std::string alphabet = "AB-C";
    for (int round = 0; round < 30; ++round) {
        std::string bytes;
        for (int i = 0; i < 200; ++i) {
            bytes += char('a' + i % 26);
            bytes += char('a' + i / 26);
            bytes += ' ';
            const int length = 2 + random() % 12;
            for (int k = 0; k < length; ++k)
                bytes += alphabet[random() % alphabet.size()];
            bytes += " \n";
        }
        const CharTable table = Table(bytes);
        for (const CharEntry& entry : table) {
            const std::optional<std::string> text = RunSearch(table, entry.key);
            ASSERT_TRUE(text.has_value());
            ASSERT_EQ(*text, ReferenceSearch(table, FindEntry(table, entry.key)->code)) << entry.key;
        }
    }
}

// Codes that repeat a short pattern share a window at nearly every pair of
// offsets: the seeded walk gives up on them and the longest common substring
// answers. Its answer must be the measure's, dashes in the query included.
TEST(QueryWindows, RepetitiveCodesScoreAsTheLiteralMeasure)
{
    auto repeat = [](std::string_view pattern, std::size_t times) {
        std::string text;
        for (std::size_t i = 0; i < times; ++i)
            text += pattern;
        return text;
    };
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {repeat("B", 700), repeat("B", 701)},
        {repeat("AB", 350), repeat("AB", 350) + "A"},
        {repeat("AB", 300) + "x" + repeat("AB", 200), repeat("BA", 400)},
        {repeat("ABC", 200), repeat("-", 1) + repeat("ABC", 150) + "-" + repeat("ABC", 100)},
        {repeat("B", 600), repeat("-", 2) + repeat("B", 650)},
        {repeat("BBBA", 150), repeat("BBBBA", 120)},
    };
    for (const auto& [entry, query] : pairs) {
        EXPECT_EQ(QueryWindows(query).ScoreIfAlike(entry), LiteralCommonRunLength(entry, query))
            << entry.size() << " against " << query.size();
        EXPECT_EQ(QueryWindows(entry).ScoreIfAlike(query), LiteralCommonRunLength(query, entry))
            << query.size() << " against " << entry.size();
    }
}

}  // namespace
