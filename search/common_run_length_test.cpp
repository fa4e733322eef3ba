#include "search/common_run_length.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/literal_measure.h"

namespace {

struct MeasureCase {
    const char* entry;
    const char* query;
    int score;
};

TEST(CommonRunLength, ScoresTheLongestSharedRun)
{
    const MeasureCase cases[] = {
        {"ABCDE", "XBCDY", 3},
        {"ABCDE", "ABCDF", 4},
        {"ABCD", "XXABCDXX", 4},
        {"XXABCDXX", "ABCD", 4},
        {"ABCD", "CDAB", 2},          // runs at different shifts never add up
        {"ABXCD", "ABYCD", 2},        // nor across a gap
        {"WXYZ", "ABCD", 0},
        {"A", "A", 0},
    };
    for (const MeasureCase& c : cases)
        EXPECT_EQ(CommonRunLength(c.entry, c.query), c.score) << c.entry << " against " << c.query;
}

TEST(CommonRunLength, IdenticalCodesScoreZero)
{
    for (const char* code : {"", "A", "ABCDEFGH", "----", "AB-CD-"})
        EXPECT_EQ(CommonRunLength(code, code), 0) << code;
}

TEST(CommonRunLength, EmptyCodes)
{
    EXPECT_EQ(CommonRunLength("", "ABCD"), 0);
    EXPECT_EQ(CommonRunLength("ABCD", ""), 0);
    // Against an empty query the entry meets only padding.
    EXPECT_EQ(CommonRunLength("A---B--", ""), 3);
}

TEST(CommonRunLength, DashesRunOnIntoThePadding)
{
    // Laying AB over Q's end puts the entry's dash on the right padding.
    EXPECT_EQ(CommonRunLength("AB-", "XAB"), 3);
    // And on the left padding, before Q's start.
    EXPECT_EQ(CommonRunLength("--AB", "ABX"), 4);
    // A dash run wholly over the padding counts as a run of its own.
    EXPECT_EQ(CommonRunLength("X-----Y", "ABC"), 5);
    // Dashes inside the query are ordinary bytes.
    EXPECT_EQ(CommonRunLength("A-B", "QA-BQ"), 3);
}

TEST(CommonRunLength, IsNotSymmetricWithDashes)
{
    EXPECT_EQ(CommonRunLength("AB-", "XAB"), 3);
    EXPECT_EQ(CommonRunLength("XAB", "AB-"), 2);
    EXPECT_EQ(CommonRunLength("ABCDEF", "QABCDEFQ"), CommonRunLength("QABCDEFQ", "ABCDEF"));
}

TEST(CommonRunLength, ComparesBytesNotCharacters)
{
    // Two double-byte characters' worth: a run may start on a trail byte.
    const std::string entry = "\xB3\xB5\xC4\xBE\xC8\xD5";
    const std::string query = "\x11\xB5\xC4\xBE\xC8\x22";
    EXPECT_EQ(CommonRunLength(entry, query), 4);
}

TEST(CommonRunLength, ScoresLongCodesExactly)
{
    std::string query(5000, 'q');
    std::string entry(3000, 'e');
    query.replace(4000, 700, std::string(700, 'z'));
    entry.replace(100, 700, std::string(700, 'z'));
    EXPECT_EQ(CommonRunLength(entry, query), 700);
    entry += std::string(50, '-');
    entry.replace(entry.size() - 50 - 20, 20, std::string(20, 'q'));
    EXPECT_EQ(CommonRunLength(entry, query), 700);
    EXPECT_EQ(CommonRunLength(std::string(300, 'x') + "--", std::string(200, 'x')), 202);
}

// Random codes over a small alphabet with many dashes, so that runs, dash
// runs and the padding meet in every arrangement.
std::string RandomCode(std::mt19937& random, std::size_t maxLength, std::string_view alphabet)
{
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string code(length(random), ' ');
    for (char& c : code)
        c = alphabet[pick(random)];
    return code;
}

TEST(LongestSharedRun, SaysWhereTheRunLiesInTheEntryCode)
{
    const SharedRun inside = LongestSharedRun("xxABCDyy", "zABCDz");
    EXPECT_EQ(inside.start, 2u);
    EXPECT_EQ(inside.length, 4u);
    // Dashes met by the padding belong to the run.
    const SharedRun padded = LongestSharedRun("qAB-", "XAB");
    EXPECT_EQ(padded.start, 1u);
    EXPECT_EQ(padded.length, 3u);
    const SharedRun dashes = LongestSharedRun("AB---C", "Z");
    EXPECT_EQ(dashes.start, 2u);
    EXPECT_EQ(dashes.length, 3u);
    EXPECT_EQ(LongestSharedRun("ABCD", "ABCD").length, 0u);
}

TEST(CommonRunLength, AgreesWithTheLiteralMeasure)
{
    std::mt19937 random(20261207);
    for (std::string_view alphabet : {"AB-", "ABC-", "-", "AB", "\x80\xFF-\x01"}) {
        for (int i = 0; i < 20000; ++i) {
            const std::string entry = RandomCode(random, 14, alphabet);
            const std::string query = i % 3 == 0 ? entry.substr(0, entry.size() / 2) + RandomCode(random, 6, alphabet)
                                                 : RandomCode(random, 14, alphabet);
            ASSERT_EQ(CommonRunLength(entry, query), LiteralCommonRunLength(entry, query))
                << "entry \"" << entry << "\" query \"" << query << "\"";
            // The run it places is really there in the padded query code.
            const SharedRun run = LongestSharedRun(entry, query);
            const std::string padded = std::string(entry.size(), '-') + query + std::string(entry.size(), '-');
            ASSERT_NE(padded.find(entry.substr(run.start, run.length)), std::string::npos)
                << "entry \"" << entry << "\" query \"" << query << "\"";
        }
    }
}

}  // namespace
