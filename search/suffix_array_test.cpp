#include "search/suffix_array.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>

namespace {

std::vector<std::int32_t> SortedNaively(const std::string& text)
{
    std::vector<std::int32_t> starts(text.size());
    std::iota(starts.begin(), starts.end(), 0);
    std::sort(starts.begin(), starts.end(), [&](std::int32_t a, std::int32_t b) {
        return std::string_view(text).substr(static_cast<std::size_t>(a)) <
               std::string_view(text).substr(static_cast<std::size_t>(b));
    });
    return starts;
}

// Every length from none up, over alphabets from one symbol (where every
// suffix is a prefix of a longer one) to every byte value, and texts that
// repeat themselves, which make the sort recurse deepest.
TEST(SuffixArray, SortsLikeComparingSuffixes)
{
    std::mt19937 random(11);
    for (const std::string& alphabet :
         {std::string("a"), std::string("ab"), std::string("-ab"), std::string("ACGT"), std::string("\x00\x7F\x80\xFF", 4)}) {
        for (std::size_t length = 0; length < 70; ++length) {
            std::string text(length, ' ');
            for (char& c : text)
                c = alphabet[random() % alphabet.size()];
            SCOPED_TRACE(text);
            EXPECT_EQ(SuffixArray(PaddedPair{{}, 0, text}), SortedNaively(text));
            const std::string periodic = text.substr(0, length % 5 + 1);
            std::string repeated;
            while (repeated.size() < length)
                repeated += periodic;
            EXPECT_EQ(SuffixArray(PaddedPair{{}, 0, repeated}), SortedNaively(repeated));
        }
    }
    std::string bytes(256 * 3, ' ');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(255 - i % 256);
    EXPECT_EQ(SuffixArray(PaddedPair{{}, 0, bytes}), SortedNaively(bytes));
}

// The entry code, the padding and the query code are read as one text.
TEST(SuffixArray, ReadsAPaddedPairAsOneText)
{
    const PaddedPair pair{"ab-", 2, "bab"};
    EXPECT_EQ(pair.size(), 10u);
    std::string joined;
    for (std::size_t i = 0; i < pair.size(); ++i)
        joined += static_cast<char>(pair[i]);
    EXPECT_EQ(joined, "ab---bab--");
    EXPECT_EQ(SuffixArray(pair), SortedNaively(joined));
}

}  // namespace
