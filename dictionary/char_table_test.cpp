#include "dictionary/char_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries Parse(std::string_view bytes)
{
    CharTable table;
    ParseCharTable(bytes, table);
    Entries entries;
    for (const CharEntry& entry : table)
        entries.emplace_back(entry.key, entry.code);
    return entries;
}

TEST(DictionaryLines, DropTheLastTwoBytes)
{
    // The pad byte and the line feed go; without the pad a code loses a byte.
    EXPECT_EQ(Parse("KK ABCD \n"), (Entries{{"KK", "ABCD"}}));
    EXPECT_EQ(Parse("KK ABCD\n"), (Entries{{"KK", "ABC"}}));
}

TEST(DictionaryLines, CarriageReturnLineFeedReadsAsLineFeed)
{
    const Entries expected{{"AA", "1234"}, {"BB", "5678"}};
    EXPECT_EQ(Parse("AA 1234 \r\nBB 5678 \r\n"), expected);
    EXPECT_EQ(Parse("AA 1234 \nBB 5678 \n"), expected);
    EXPECT_EQ(Parse("AA 1234 \r\nBB 5678 \n"), expected);
    // A carriage return not before a line feed is an ordinary byte.
    EXPECT_EQ(Parse("AA 12\r34 \n"), (Entries{{"AA", "12\r34"}}));
    EXPECT_EQ(Parse("AA 1234\r\r\n"), (Entries{{"AA", "1234"}}));
}

TEST(DictionaryLines, LastLineWithoutLineFeedLosesTwoBytesToo)
{
    EXPECT_EQ(Parse("KK ABCD"), (Entries{{"KK", "AB"}}));
    EXPECT_EQ(Parse("AA 1234 \nKK ABCD \r"), (Entries{{"AA", "1234"}, {"KK", "ABCD"}}));
}

TEST(DictionaryLines, ShortLines)
{
    // Four bytes: the code is the byte after the separator, the line feed.
    EXPECT_EQ(Parse("KK \n"), (Entries{{"KK", "\n"}}));
    EXPECT_EQ(Parse("KK \r\n"), (Entries{{"KK", "\n"}}));
    EXPECT_EQ(Parse("KK X"), (Entries{{"KK", "X"}}));
    // Three bytes: a one-byte key and an empty code.
    EXPECT_EQ(Parse("KK\n"), (Entries{{"K", ""}}));
    // Shorter lines hold nothing and are skipped.
    EXPECT_EQ(Parse("\n\nK\n\r\nAA 1234 \n\n"), (Entries{{"AA", "1234"}}));
    EXPECT_EQ(Parse("K"), Entries{});
    EXPECT_EQ(Parse(""), Entries{});
}

TEST(DictionaryLines, SeparatorIsAnyByte)
{
    const Entries expected{{"KK", "ABCD"}};
    for (char separator : {' ', '\t', 'x', '\xA1', '\r'})
        EXPECT_EQ(Parse(std::string("KK") + separator + "ABCD \n"), expected) << int(separator);
}

TEST(DictionaryLines, TextEndsAtTheFirstZeroByte)
{
    using namespace std::string_literals;
    EXPECT_EQ(Parse("KK ABCDE\0XYZ\nLL 1234 \n"s), (Entries{{"KK", "ABC"}, {"LL", "1234"}}));
    // A zero byte early in the line leaves too little to keep.
    EXPECT_EQ(Parse("K\0 ABCD \n"s), Entries{});
    EXPECT_EQ(Parse("\0\0\0\0\0\n"s), Entries{});
}

TEST(DictionaryLines, DuplicateKeysAreAllKeptAndTheFirstIsFound)
{
    CharTable table;
    ParseCharTable("AA 1111 \nBB 2222 \nAA 3333 \n", table);
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[2].code, "3333");
    ASSERT_NE(FindEntry(table, "AA"), nullptr);
    EXPECT_EQ(FindEntry(table, "AA")->code, "1111");
    EXPECT_EQ(FindEntry(table, "AA"), &table[0]);
}

TEST(DictionaryLines, FindEntryMatchesTheWholeKeyOnly)
{
    CharTable table;
    ParseCharTable("AA 1111 \nB\n", table);
    EXPECT_EQ(FindEntry(table, "A"), nullptr);
    EXPECT_EQ(FindEntry(table, "AA "), nullptr);
    EXPECT_EQ(FindEntry(table, ""), nullptr);
    EXPECT_EQ(FindEntry(CharTable{}, "AA"), nullptr);
}

TEST(DictionaryLines, LongLinesAreReadWhole)
{
    const std::string code(10'000, 'c');
    const Entries entries = Parse("AA 1234 \nLL " + code + " \nBB 5678 \n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1], (Entries::value_type{"LL", code}));
    EXPECT_EQ(entries[2].first, "BB");
}

TEST(DictionaryLines, AppendsToWhatTheTableHolds)
{
    CharTable table;
    ParseCharTable("AA 1234 \n", table);
    ParseCharTable("BB 5678 \n", table);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[1].key, "BB");
}

// Keys and codes are views of bytes the table holds: they must outlive the
// text parsed or appended, and go along when the table is moved or copied.
TEST(DictionaryLines, EntriesHoldTheirBytesThroughMovesAndCopies)
{
    CharTable table;
    {
        std::string bytes = "AA 1234 \r\nBB 5678 \n";
        ParseCharTable(bytes, table);
        std::string key = "CC", code = "9999";
        table.Append(CharEntry{key, code});
        bytes.assign(bytes.size(), 'x');
        key = "xx";
        code = "xxxx";
    }
    const Entries expected{{"AA", "1234"}, {"BB", "5678"}, {"CC", "9999"}};
    auto entries = [](const CharTable& t) {
        Entries all;
        for (const CharEntry& entry : t)
            all.emplace_back(entry.key, entry.code);
        return all;
    };
    EXPECT_EQ(entries(table), expected);
    std::optional<CharTable> copy(table);
    CharTable moved = std::move(table);
    EXPECT_EQ(entries(moved), expected);
    CharTable assigned;
    assigned = *copy;
    copy.reset();
    EXPECT_EQ(entries(assigned), expected);
    EXPECT_NE(assigned.Revision(), moved.Revision());
}

}  // namespace
