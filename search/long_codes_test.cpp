// Long codes, which the measure takes through sorted suffixes rather than
// by sliding: every result must still be exactly what sliding gives, padding
// and all, whichever way a pair of lengths goes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "search/common_run_length.h"
#include "search/search.h"
#include "search/seeded_run_length.h"
#include "tests/literal_measure.h"
#include "tests/literal_search.h"

namespace {

std::string Random(std::mt19937& random, std::size_t length, std::string_view alphabet)
{
    std::string text(length, ' ');
    for (char& c : text)
        c = alphabet[random() % alphabet.size()];
    return text;
}

std::string Repeated(std::string_view unit, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += unit;
    return text;
}

struct Pair {
    const char* shape;
    std::string entry;
    std::string query;
};

std::vector<Pair> HostilePairs()
{
    std::mt19937 random(2024);
    const std::string periodic = Repeated("AB", 10000);
    const std::string randomQuery = Random(random, 20000, "ABCD");
    const std::string mixed = Random(random, 3000, "AB-");
    std::string allBytes;
    for (int round = 0; round < 40; ++round)
        for (int byte = 0; byte < 256; ++byte)
            allBytes += static_cast<char>((byte * 7 + round) % 256);
    return {
        {"periodic entry, periodic query", Repeated("AB", 31), periodic},
        {"periodic entry out of phase", Repeated("BA", 31) + "C", periodic},
        {"dash after a periodic run", Repeated("AB", 30) + "--", periodic},
        {"dashes before the query's start", "xx---" + periodic.substr(0, 55), periodic},
        {"the query's end before dashes", periodic.substr(periodic.size() - 57) + "----yy", periodic},
        {"short entry with dashes", Random(random, 60, "ABCD-"), randomQuery},
        {"short entry sharing a long run", "--" + randomQuery.substr(777, 50) + "-D", randomQuery},
        {"entry of dashes alone", std::string(300, '-'), randomQuery},
        {"query with dashes of its own", Random(random, 400, "AB-"), mixed},
        {"query held whole within dashes", "ab--" + mixed + "---", mixed},
        {"medium entry, many near misses", Repeated("AB", 500) + std::string(1000, 'C'), periodic},
        {"medium entry with a planted run", Random(random, 2000, "ABCD") + randomQuery.substr(9000, 300), randomQuery},
        {"codes of like length", Random(random, 2500, "ab"), Random(random, 2600, "ab")},
        {"two periodic codes one byte apart", Repeated("AB", 1500) + "C", Repeated("AB", 1500)},
        {"long entry, short query", Repeated("xAB", 3000) + "ABAB-", "ABABx-ABAB-AB"},
        {"bytes of every value", allBytes.substr(5000), allBytes.substr(0, 6000)},
    };
}

// CommonRunLength, LongestSharedRun and the search's own measure against
// sliding the entry code along the padded query code.
TEST(LongCodes, MeasureAgreesWithTheLiteralOne)
{
    for (const Pair& pair : HostilePairs()) {
        SCOPED_TRACE(pair.shape);
        const int literal = LiteralCommonRunLength(pair.entry, pair.query);
        EXPECT_EQ(CommonRunLength(pair.entry, pair.query), literal);
        const SharedRun run = LongestSharedRun(pair.entry, pair.query);
        EXPECT_EQ(static_cast<int>(run.length), literal);
        const std::string padded = std::string(pair.entry.size(), '-') + pair.query + std::string(pair.entry.size(), '-');
        EXPECT_NE(padded.find(pair.entry.substr(run.start, run.length)), std::string::npos);
        const int score = QueryWindows(pair.query).ScoreIfAlike(pair.entry);
        if (literal >= kMinimumScore)
            EXPECT_EQ(score, literal);
        else
            EXPECT_LT(score, kMinimumScore);
    }
}

CharTable TableOf(const std::vector<std::string>& codes)
{
    std::string text;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        text += static_cast<char>(0xB0 + i / 94);
        text += static_cast<char>(0xA1 + i % 94);
        text += ' ' + codes[i] + " \n";
    }
    CharTable table;
    ParseCharTable(text, table);
    return table;
}

std::vector<std::pair<std::string, int>> Flatten(const std::vector<ScoredChar>& list)
{
    std::vector<std::pair<std::string, int>> flat;
    for (const ScoredChar& item : list)
        flat.emplace_back(item.key, item.score);
    return flat;
}

// One long code and many short ones, as a hostile dictionary has them: the
// long code's search lists exactly what the literal search lists.
TEST(LongCodes, SearchOfALongCodeAgreesWithTheLiteralSearch)
{
    std::mt19937 random(7);
    struct Shape {
        const char* name;
        std::string query;
        std::string_view alphabet;
    };
    const Shape shapes[] = {
        {"periodic", Repeated("AB", 6000), "AB-"},
        {"random with dashes among the short codes", Random(random, 12000, "ABCD"), "ABCD-"},
        {"dashes in the long code too", Random(random, 12000, "AB-"), "AB-"},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        std::vector<std::string> codes = {shape.query};
        for (int i = 0; i < 200; ++i) {
            switch (i % 4) {
            case 0: codes.push_back(Repeated(i % 8 ? "AB" : "BA", 31)); break;
            case 1: codes.push_back(Random(random, 62, shape.alphabet)); break;
            case 2: codes.push_back("--" + shape.query.substr(random() % 11000, 20 + random() % 40) + "-"); break;
            default: codes.push_back(Random(random, 100 + random() % 400, shape.alphabet)); break;
            }
        }
        const CharTable table = TableOf(codes);
        const std::vector<ScoredChar> list = RankMatches(table, shape.query);
        EXPECT_EQ(Flatten(list), Flatten(LiteralRankMatches(table, shape.query)));
        EXPECT_GT(list.size(), 50u);
        // The run each match is listed for, as --why shows it.
        for (const ScoredChar& match : list) {
            const std::string_view code = FindEntry(table, match.key)->code;
            EXPECT_EQ(static_cast<int>(LongestSharedRun(code, shape.query).length), match.score);
        }
    }
}

}  // namespace
