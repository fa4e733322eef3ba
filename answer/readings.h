// The readings data: each character's pinyin and common words
// (readings.txt), and what tells two look-alikes apart (differences.txt).
// Both files are code page 936 text made by tools/make-dictionary:
//   readings.txt     char TAB readings (space-separated) TAB words (space-separated)
//   differences.txt  query char + listed char (4 bytes) TAB kind id TAB phrase
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the listed character differs from the query: a kind id (stroke_more,
// stroke_differs, arrangement, radical, other_part, other) and a short phrase
// in code page 936 bytes, which may be empty.
struct Difference {
    std::string kind;
    std::string text;
};

class Readings {
public:
    // Parses the two files' bytes (either may be empty), keeping them. Never
    // throws on bad input: a malformed line is skipped, and a later line for
    // the same key or pair is ignored. One pass over the bytes and a sort of
    // the pairs: a few milliseconds for the bundled files; the fields are
    // split only when asked for.
    static Readings Parse(std::string readingsBytes, std::string differencesBytes);

    // The key's readings, most common first (pinyin with tone marks, code
    // page 936); empty when the file has none for it. A binary search.
    std::vector<std::string> Pinyin(std::string_view key) const;
    // Up to three common words holding the key, most frequent first; empty
    // when the file has none for it. A binary search.
    std::vector<std::string> Words(std::string_view key) const;
    // What tells `listed` apart from `query`, or nothing when no difference
    // is recorded for that ordered pair. A binary search.
    std::optional<Difference> DifferenceOf(std::string_view query, std::string_view listed) const;

    bool empty() const { return m_characters.empty() && m_pairIndex.empty(); }

private:
    // A character's readings and words fields, and a pair's kind and phrase:
    // views into the bytes, which copies and moves of the object share.
    struct Line {
        std::string_view key;
        std::string_view first, second;
    };
    const Line* CharacterLine(std::string_view key) const;

    std::shared_ptr<const std::string> m_readingBytes, m_differenceBytes;
    std::vector<Line> m_characters;   // sorted by key, the first line of each
    // Each pair's 4 bytes (big-endian) above the offset of its line in the
    // differences bytes, sorted: a pair is found by a binary search of
    // numbers, and its line split when asked for.
    std::vector<std::uint64_t> m_pairIndex;
};

// A reading (code page 936) in UTF-8, its tone digit made a mark
// (ToneDigitToMark). Linear in the reading.
std::string ReadingToUtf8(std::string_view cp936);

// A syllable that code page 936 cannot spell is stored with an ASCII tone
// digit after its letters (ê1, m2, ng4): in UTF-8 text, the digit becomes
// the combining tone mark on ê, else on the first m or n (ê̄, ḿ, ňg). Other
// text is returned as it is.
std::string ToneDigitToMark(std::string utf8);
