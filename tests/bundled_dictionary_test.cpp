// The bundled dictionaries, searched for every one of their characters, give
// exactly what the literal measure gives: the index and the faster measure
// change nothing a user can see.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "dictionary/dictionary_file.h"
#include "search/search.h"
#include "tests/literal_search.h"

namespace {

// Every query of the dictionary at `path`, shared between two threads.
void ExpectEveryQueryMatchesTheLiteralSearch(const char* path)
{
    CharTable table;
    std::string reason;
    ASSERT_TRUE(LoadCharTable(table, path, &reason)) << reason;
    ASSERT_GT(table.size(), 1000u);
    const FilteredLiteralSearch literal(table);
    RunSearch(table, table[0].key);  // the index, built before the threads share it

    std::atomic<std::size_t> next{0}, checked{0};
    std::vector<std::string> mismatches[2];
    auto work = [&](int worker) {
        for (std::size_t i; (i = next.fetch_add(1)) < table.size();) {
            const CharEntry& entry = table[i];
            const std::optional<std::string> text = RunSearch(table, entry.key);
            const std::string expected = FormatMatches(literal.RankMatches(FindEntry(table, entry.key)->code));
            if (!text || *text != expected)
                mismatches[worker].push_back(std::string(entry.key));
            ++checked;
        }
    };
    std::thread other(work, 1);
    work(0);
    other.join();

    EXPECT_EQ(checked.load(), table.size());
    EXPECT_TRUE(mismatches[0].empty() && mismatches[1].empty())
        << path << ": " << mismatches[0].size() + mismatches[1].size() << " queries differ, the first: "
        << (mismatches[0].empty() ? mismatches[1] : mismatches[0]).front();
}

TEST(BundledDictionary, EveryQueryMatchesTheLiteralSearch)
{
    ExpectEveryQueryMatchesTheLiteralSearch(ORVALEN_BUNDLED_DICTIONARY);
}

TEST(BundledDictionary, EveryGbkQueryMatchesTheLiteralSearch)
{
    ExpectEveryQueryMatchesTheLiteralSearch(ORVALEN_BUNDLED_GBK_DICTIONARY);
}

// The reference above leaves out the entries that share no 4 bytes with the
// padded query: it must list exactly what scoring every entry lists, runs
// into the padding, duplicate codes and codes shorter than 4 bytes included.
TEST(FilteredLiteralSearch, ListsWhatScoringEveryEntryLists)
{
    std::mt19937 random(11);
    const std::string alphabet = "AB-C";
    for (int round = 0; round < 20; ++round) {
        CharTable table;
        for (int i = 0; i < 150; ++i) {
            std::string code;
            const int length = random() % 14;
            for (int k = 0; k < length; ++k)
                code += alphabet[random() % alphabet.size()];
            table.Append(CharEntry{std::string{char('a' + i % 26), char('a' + i / 26)}, code});
        }
        const FilteredLiteralSearch literal(table);
        for (const CharEntry& entry : table)
            ASSERT_EQ(FormatMatches(literal.RankMatches(entry.code)), FormatMatches(LiteralRankMatches(table, entry.code)))
                << entry.code;
    }
}

}  // namespace
