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
#include "tests/made_codes.h"

namespace {

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

}  // namespace
