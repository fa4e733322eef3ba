// The character dictionary: one entry per line of a dictionary file, kept in
// file order. Keys and codes are code page 936 byte strings, never converted.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Key and code are views of bytes the table holds: they stay valid while the
// table lives, is moved, or grows, and end with it.
struct CharEntry {
    std::string_view key;   // normally one double-byte character
    std::string_view code;  // structure code; any bytes but zero, possibly empty
};

// An ordered sequence of entries, in the order their lines stand in the file.
// Duplicate keys and codes are stored as they come; entries are only appended.
// A parsed file's entries are views into one copy of its bytes, so a table
// takes little more than the file (16 bytes of views per line besides).
class CharTable {
public:
    using const_iterator = std::vector<CharEntry>::const_iterator;

    CharTable() = default;
    CharTable(CharTable&&) noexcept = default;
    CharTable& operator=(CharTable&&) noexcept = default;
    // A copy holds its own bytes.
    CharTable(const CharTable& other);
    CharTable& operator=(const CharTable& other);

    // Appends an entry holding a copy of `entry`'s bytes: one allocation for
    // them, amortised constant time for the entry.
    void Append(CharEntry entry);
    void Clear()
    {
        m_entries.clear();
        m_bytes.clear();
        m_revision = NextRevision();
    }

    // Changes whenever the entries do, and is never the same for two tables
    // with different entries: what is worked out from a table (an index) can
    // be kept and reused while its revision and size stay the same. A table
    // that was never filled has revision 0.
    std::uint64_t Revision() const { return m_revision; }

    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    const CharEntry& operator[](std::size_t i) const { return m_entries[i]; }
    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }

private:
    friend void ParseCharTable(std::string_view bytes, CharTable& table);

    static std::uint64_t NextRevision();
    // A copy of `bytes` that lives as long as the table.
    std::string_view Keep(std::string_view bytes);

    std::vector<CharEntry> m_entries;
    std::vector<std::unique_ptr<char[]>> m_bytes;
    std::uint64_t m_revision = 0;
};

// The process-wide table: empty at start, filled once, then only read.
CharTable& TheCharTable();

// Appends one entry per line of `bytes`, read as a dictionary file's content.
// Linear in the bytes: one copy of them, which the entries view, and 32 bytes
// of views per line.
void ParseCharTable(std::string_view bytes, CharTable& table);

// Reading a dictionary file (with its limits) is in dictionary_file.h.

// The first entry, in table order, whose key equals `query` byte for byte.
// A scan of the keys from the first, linear in the table; a caller looking
// up many keys keeps its own map of first entries.
const CharEntry* FindEntry(const CharTable& table, std::string_view query);
const CharEntry* FindEntry(std::string_view query);
