#include "search/longest_common_substring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "search/common_run_length.h"
#include "tests/literal_measure.h"
#include "tests/made_codes.h"

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

namespace {

// The longest run of `entry` found anywhere in the query code padded with
// `pad` '-' bytes on either side, comparing every pair of places.
std::size_t LongestRunNaively(const std::string& entry, std::size_t pad, const std::string& query)
{
    const std::string padded = std::string(pad, '-') + query + std::string(pad, '-');
    std::size_t best = 0;
    for (std::size_t i = 0; i < entry.size(); ++i)
        for (std::size_t j = 0; j < padded.size(); ++j) {
            std::size_t k = 0;
            while (i + k < entry.size() && j + k < padded.size() && entry[i + k] == padded[j + k])
                ++k;
            best = std::max(best, k);
        }
    return best;
}

// Neighbours are compared eight bytes at a time, and those eight bytes may
// run from a code into the padding or from the padding into the query code;
// runs longer than eight cross each of those seams here.
TEST(LongestCommonSubstring, RunsAcrossTheSeamsOfAPaddedPair)
{
    struct Case {
        std::string entry;
        std::size_t pad;
        std::string query;
        std::size_t length;
    };
    const Case cases[] = {
        {"xx--------ABCDEFGHIJ", 8, "ABCDEFGHIJKL", 18},         // left padding into the query code
        {"QRSTUVWXYZ-----------y", 12, "ABCQRSTUVWXYZ", 21},     // the query code into the right padding
        {"z-------------z", 13, "ABC", 13},                       // padding alone
        {"ABCDEFGHIJKLMNOPQRSTU", 0, "xABCDEFGHIJKLMNOPQRSTUx", 21},  // no padding
        {"ABCDEFGHIJKLMNOPQRSTU", 4, "ABCDEFGHIJKLMNOPQRSTU", 21},    // the whole query code
        {"--ABCDEFGHIJKLMNOPQ--", 2, "ABCDEFGHIJKLMNOPQ", 21},      // both paddings at once
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const SharedRun run = LongestCommonSubstring(PaddedPair{c.entry, c.pad, c.query});
        EXPECT_EQ(run.length, c.length);
        EXPECT_EQ(LongestRunNaively(c.entry, c.pad, c.query), c.length);
    }

    std::mt19937 random(8);
    for (std::string_view alphabet : {"ab", "a-", "ab-", "-"}) {
        for (int round = 0; round < 300; ++round) {
            const std::string entry = RandomText(random, 1 + random() % 40, alphabet);
            const std::string query = RandomText(random, random() % 40, alphabet);
            const std::size_t pad = random() % 24;
            SCOPED_TRACE(entry + " | " + std::to_string(pad) + " | " + query);
            const SharedRun run = LongestCommonSubstring(PaddedPair{entry, pad, query});
            ASSERT_EQ(run.length, LongestRunNaively(entry, pad, query));
            const std::string padded = std::string(pad, '-') + query + std::string(pad, '-');
            EXPECT_NE(padded.find(entry.substr(run.start, run.length)), std::string::npos);
        }
    }
}

}  // namespace

namespace {

std::size_t LongestPadRun(std::string_view code)
{
    std::size_t best = 0, run = 0;
    for (char byte : code) {
        run = byte == '-' ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

// Many entry codes measured in one sort with the query code give each what
// measuring it alone gives, and place the run in its own code: runs that
// would spill from one entry code into the next, or into the padded query
// code, count only to the entry code's end; a pad longer than an entry code's
// own dash runs changes nothing for it; empty entry codes score nothing.
TEST(LongestCommonSubstrings, EachEntryCodeGetsItsOwnRun)
{
    std::mt19937 random(15);
    const std::string periodic = Repeated("AB", 1500);
    struct Shape {
        std::string query;
        std::vector<std::string> entries;
    };
    std::vector<Shape> shapes;
    {
        // Repeating codes, one byte changed in each: neighbours in sorted
        // order share long runs that cross from one entry code into the next.
        Shape shape{periodic, {}};
        for (int k = 0; k < 40; ++k) {
            std::string entry = Repeated("AB", 20 + random() % 60);
            entry[random() % entry.size()] = 'C';
            shape.entries.push_back(entry);
        }
        shapes.push_back(shape);
    }
    {
        // Dashes of every run length beside ones without; the query code's
        // start and end as entry codes, with dashes around them.
        Shape shape{Random(random, 2000, "ABCD"), {}};
        for (int k = 0; k < 30; ++k)
            shape.entries.push_back(Random(random, 10 + random() % 90, k % 3 == 0 ? "ABCD" : "AB-"));
        shape.entries.push_back("--" + shape.query.substr(0, 20));
        shape.entries.push_back(shape.query.substr(1980) + "-----");
        shape.entries.push_back("-------");
        shape.entries.push_back("");
        shape.entries.push_back(shape.query.substr(500, 100));
        shapes.push_back(shape);
    }
    {
        // Each entry code a prefix of the next, and the same code twice.
        Shape shape{periodic.substr(0, 999) + "Z", {}};
        for (std::size_t length : {5, 6, 7, 50, 50, 120})
            shape.entries.push_back(std::string(periodic.substr(1, length)) + "Z");
        shapes.push_back(shape);
    }

    for (const Shape& shape : shapes) {
        std::string laid;
        std::vector<std::size_t> ends;
        std::size_t pad = 0;
        for (const std::string& entry : shape.entries) {
            laid += entry;
            ends.push_back(laid.size());
            pad = std::max(pad, LongestPadRun(entry));
        }
        const std::vector<SharedRun> runs = LongestCommonSubstrings(laid, ends, pad, shape.query);
        ASSERT_EQ(runs.size(), shape.entries.size());
        for (std::size_t k = 0; k < runs.size(); ++k) {
            const std::string& entry = shape.entries[k];
            const std::size_t ownPad = LongestPadRun(entry);
            EXPECT_EQ(runs[k].length, LongestRunNaively(entry, ownPad, shape.query)) << k << ' ' << entry;
            ASSERT_LE(runs[k].start + runs[k].length, entry.size()) << k;
            const std::string padded = std::string(ownPad, '-') + shape.query + std::string(ownPad, '-');
            EXPECT_NE(padded.find(entry.substr(runs[k].start, runs[k].length)), std::string::npos) << k;
        }
    }
}

}  // namespace
