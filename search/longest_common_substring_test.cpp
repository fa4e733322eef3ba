#include "search/longest_common_substring.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "search/common_run_length.h"
#include "tests/literal_measure.h"

namespace {

TEST(LongestCommonSubstring, FindsAndPlacesTheRun)
{
    const SharedRun run = LongestCommonSubstring("xxxHELLOyy", "zHELLOzHELL");
    EXPECT_EQ(run.start, 3u);
    EXPECT_EQ(run.length, 5u);
    EXPECT_EQ(LongestCommonSubstring("abc", "xyz").length, 0u);
    EXPECT_EQ(LongestCommonSubstring("", "xyz").length, 0u);
    EXPECT_EQ(LongestCommonSubstring("aaaa", "aaaa").length, 4u);
    // Bytes of every value, the top ones included.
    EXPECT_EQ(LongestCommonSubstring(std::string("\xFF\x00\x01\xFE" "a", 5), std::string("b\xFF\x00\x01\xFE", 5)).length, 4u);
}

std::string RandomText(std::mt19937& random, std::size_t length, std::string_view alphabet)
{
    std::string text(length, ' ');
    for (char& c : text)
        c = alphabet[random() % alphabet.size()];
    return text;
}

// Codes long enough that the measure goes through the suffix array give what
// sliding the codes along each other gives.
TEST(CommonRunLength, LongCodesAgreeWithTheLiteralMeasure)
{
    std::mt19937 random(99);
    for (std::string_view alphabet : {"ab", "ab-", "a--", "abcdefgh"}) {
        for (int round = 0; round < 3; ++round) {
            std::string entry = RandomText(random, 2500 + random() % 500, alphabet);
            std::string query = RandomText(random, 2500 + random() % 500, alphabet);
            // A long shared run now and then, reaching the query's end.
            if (round == 1)
                query.replace(query.size() - 40, 40, entry.substr(1000, 40));
            ASSERT_EQ(CommonRunLength(entry, query), LiteralCommonRunLength(entry, query)) << alphabet;
            const SharedRun run = LongestSharedRun(entry, query);
            EXPECT_EQ(static_cast<int>(run.length), LiteralCommonRunLength(entry, query));
            const std::string padded = std::string(entry.size(), '-') + query + std::string(entry.size(), '-');
            EXPECT_NE(padded.find(entry.substr(run.start, run.length)), std::string::npos);
        }
    }
}

}  // namespace
