// The search of one long code in a dictionary of many short ones, as a
// hostile dictionary has them, lists exactly what the literal search lists.
// Slow (the literal search slides every code along the long one), so it runs
// with the heavy tests.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "search/common_run_length.h"
#include "search/search.h"
#include "tests/made_codes.h"
#include "tests/literal_search.h"

namespace {

std::vector<std::pair<std::string, int>> Flatten(const std::vector<ScoredChar>& list)
{
    std::vector<std::pair<std::string, int>> flat;
    for (const ScoredChar& item : list)
        flat.emplace_back(item.key, item.score);
    return flat;
}

// Every shape of short code: repeating the long one's period in or out of
// phase, random with dashes, a piece of the long code between dashes, and
// longer random ones.
TEST(LongCodeSearch, AgreesWithTheLiteralSearch)
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
