// Which dictionary entries can score at least kMinimumScore against a code,
// found without scoring the whole table.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "dictionary/char_table.h"

// Every 4-byte window of every entry's code, with the entries it occurs in.
// An entry that scores 4 or more against a query code shares a run of 4
// bytes with the query code as padded by '-' bytes, so some window of the
// entry's code is a window of that padded code. The candidates are the
// entries holding any such window: a superset of the matches, in table order,
// which the exact measure then scores. For a table whose index would not fit
// within a few bytes per byte of its lines, every entry is a candidate.
class CodeIndex {
public:
    explicit CodeIndex(const CharTable& table);

    // Indices into the table of the entries that may score 4 or more against
    // `queryCode`, ascending. `candidates` is reused scratch space.
    void Candidates(std::string_view queryCode, std::vector<std::uint32_t>& candidates) const;

    std::uint64_t Revision() const { return m_revision; }
    std::size_t TableSize() const { return m_tableSize; }
    // What the index holds, in bytes.
    std::size_t Bytes() const;

private:
    // Adds the windows whose first two bytes lie in [firstHigh, endHigh) to
    // the index, gathered in `pairs` (scratch space, its capacity kept);
    // false once the index passes `budget` bytes.
    bool AddWindows(const CharTable& table, std::uint32_t firstHigh, std::uint32_t endHigh,
                    std::vector<std::uint64_t>& pairs, std::size_t budget);

    // The windows whose first two bytes lie below endHigh and at or above
    // the piece before's, each piece of the index made in one pass and sized
    // exactly, so that none is copied to grow. Those whose first two bytes
    // are highs[i] are lows[highStarts[i] .. highStarts[i + 1]), which hold
    // their last two bytes, ascending. Window j's entries are the bytes
    // lists[listStarts[j] .. listStarts[j + 1]): the first entry's index,
    // then the differences from one to the next, ascending, each 7 bits a
    // byte, low bits first, the high bit of every byte but a number's last
    // set.
    struct Piece {
        std::uint32_t endHigh = 0;
        std::vector<std::uint16_t> highs;
        std::vector<std::uint32_t> highStarts;
        std::vector<std::uint16_t> lows;
        std::vector<std::uint32_t> listStarts;
        std::vector<std::uint8_t> lists;
    };
    std::vector<Piece> m_pieces;
    // The index would be too large: every entry is a candidate.
    bool m_everyEntry = false;
    std::uint64_t m_revision;
    std::size_t m_tableSize;
};

// The index of `table`, built on first use (about as long as a tenth of a
// second for a dictionary of 20,000 characters) and kept while the table is
// unchanged: the last one asked for, and any that a caller still holds, so
// that a program searching two tables in turn, holding each one's index,
// builds each once. Safe to call from several threads.
std::shared_ptr<const CodeIndex> IndexOf(const CharTable& table);
