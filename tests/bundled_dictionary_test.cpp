// The bundled dictionary, searched for every one of its characters, gives
// exactly what the literal measure gives: the index and the faster measure
// change nothing a user can see.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "dictionary/char_table.h"
#include "search/search.h"
#include "tests/literal_search.h"

#ifndef ORVALEN_SAMPLE_QUERIES
#define ORVALEN_SAMPLE_QUERIES 1  // every query; builds may take every Nth
#endif

namespace {

TEST(BundledDictionary, EveryQueryMatchesTheLiteralSearch)
{
    CharTable table;
    std::string reason;
    ASSERT_TRUE(LoadCharTable(table, ORVALEN_BUNDLED_DICTIONARY, &reason)) << reason;
    ASSERT_GT(table.size(), 1000u);

    // The literal search is slow: share the queries between two threads.
    std::atomic<std::size_t> next{0}, checked{0};
    std::vector<std::string> mismatches[2];
    auto work = [&](int worker) {
        for (std::size_t i; (i = next.fetch_add(ORVALEN_SAMPLE_QUERIES)) < table.size();) {
            const CharEntry& entry = table[i];
            const std::optional<std::string> text = RunSearch(table, entry.key);
            const std::string expected = FormatMatches(LiteralRankMatches(table, FindEntry(table, entry.key)->code));
            if (!text || *text != expected)
                mismatches[worker].push_back(std::string(entry.key));
            ++checked;
        }
    };
    std::thread other(work, 1);
    work(0);
    other.join();

    EXPECT_GE(checked.load(), table.size() / ORVALEN_SAMPLE_QUERIES);
    EXPECT_TRUE(mismatches[0].empty() && mismatches[1].empty())
        << mismatches[0].size() + mismatches[1].size() << " queries differ, the first: "
        << (mismatches[0].empty() ? mismatches[1] : mismatches[0]).front();
}

}  // namespace
