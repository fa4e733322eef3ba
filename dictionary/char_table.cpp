#include "char_table.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <string>

namespace {

// One line of the file, with its line end: up to and including its first
// line feed, or the rest of the bytes.
std::string_view NextLine(std::string_view& rest)
{
    std::size_t end = rest.find('\n');
    std::size_t length = end == std::string_view::npos ? rest.size() : end + 1;
    std::string_view line = rest.substr(0, length);
    rest.remove_prefix(length);
    return line;
}

// The line feed a four-byte line keeps as its code.
constexpr std::string_view kLineFeed = "\n";

// One line, read as a text-mode read delivers it: a CR LF at its end is a
// single LF. Doing this ourselves on binary bytes makes every platform build
// the same table from the same file. The line's text ends at its first zero
// byte. The key is its first two bytes, the third byte is a separator of any
// value, and the last two bytes are dropped: dictionary files carry one pad
// byte before the line end for this. A last line without a line feed loses
// two bytes all the same, as stored files expect.
//
// Key and code are views of `line`: the CR that a CR LF drops comes after
// both, except in a four-byte line, whose code is the line feed itself.
void ParseLine(std::string_view line, std::vector<CharEntry>& entries)
{
    std::size_t zero = line.find('\0');
    if (zero != std::string_view::npos)
        line = line.substr(0, zero);
    std::size_t n = line.size();
    if (n >= 2 && line[n - 1] == '\n' && line[n - 2] == '\r')
        --n;  // the length of the text with LF alone

    // Cutting two bytes from a line this short would cut before its start:
    // such a line (an empty one, or one byte and a line end) holds nothing.
    if (n < 3)
        return;

    // A three-byte line keeps a one-byte key and no code. In a four-byte line
    // the cut and the key's end fall on the same byte, so the code is the one
    // byte after the separator: the line feed itself.
    const std::size_t keyLength = n == 3 ? 1 : 2;
    std::string_view code = n == 3 ? std::string_view() : n == 4 ? line.substr(3, 1) : line.substr(3, n - 5);
    if (n == 4 && n < line.size())
        code = kLineFeed;  // "XX \r\n": the text-mode line feed, not the CR
    entries.push_back(CharEntry{line.substr(0, keyLength), code});
}

}  // namespace

std::uint64_t CharTable::NextRevision()
{
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

CharTable& TheCharTable()
{
    static CharTable table;
    return table;
}

CharTable::CharTable(const CharTable& other)
{
    *this = other;
}

CharTable& CharTable::operator=(const CharTable& other)
{
    if (this != &other) {
        Clear();
        for (const CharEntry& entry : other)
            Append(entry);
    }
    return *this;
}

std::string_view CharTable::Keep(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    m_bytes.push_back(std::make_unique_for_overwrite<char[]>(bytes.size()));
    std::memcpy(m_bytes.back().get(), bytes.data(), bytes.size());
    return std::string_view(m_bytes.back().get(), bytes.size());
}

void CharTable::Append(CharEntry entry)
{
    const std::string_view kept = Keep(std::string(entry.key) + std::string(entry.code));
    m_entries.push_back(CharEntry{kept.substr(0, entry.key.size()), kept.substr(entry.key.size())});
    m_revision = NextRevision();
}

void ParseCharTable(std::string_view bytes, CharTable& table)
{
    std::string_view rest = table.Keep(bytes);
    // Room for every line at once: growing the list as it fills would take
    // up to half as much again for a moment.
    table.m_entries.reserve(table.m_entries.size() + static_cast<std::size_t>(std::count(rest.begin(), rest.end(), '\n')) + 1);
    while (!rest.empty())
        ParseLine(NextLine(rest), table.m_entries);
    table.m_revision = CharTable::NextRevision();
}

const CharEntry* FindEntry(const CharTable& table, std::string_view query)
{
    for (const CharEntry& entry : table)
        if (entry.key == query)
            return &entry;
    return nullptr;
}

const CharEntry* FindEntry(std::string_view query)
{
    return FindEntry(TheCharTable(), query);
}
