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
// which the exact measure then scores. For a table too large to index within
// a memory budget, every entry is a candidate.
class CodeIndex {
public:
    explicit CodeIndex(const CharTable& table);

    // Indices into the table of the entries that may score 4 or more against
    // `queryCode`, ascending. `candidates` is reused scratch space.
    void Candidates(std::string_view queryCode, std::vector<std::uint32_t>& candidates) const;

    std::uint64_t Revision() const { return m_revision; }
    std::size_t TableSize() const { return m_tableSize; }

private:
    // (window << 32 | entry index), sorted: the entries of one window lie
    // together, in table order.
    std::vector<std::uint64_t> m_postings;
    // The table is too large to index within its memory budget: every entry
    // is a candidate.
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
