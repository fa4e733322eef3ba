#include "answer/readings.h"

#include <algorithm>
#include <cstdint>

#include "text/text_codec.h"

namespace {

// The lines of `bytes`, without their line ends (LF, or a stray CR LF).
template <typename OnLine>
void ForEachLine(std::string_view bytes, OnLine onLine)
{
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        onLine(line);
    }
}

// Exactly three tab-separated fields, or false.
bool SplitFields(std::string_view line, std::string_view (&fields)[3])
{
    const std::size_t first = line.find('\t');
    if (first == std::string_view::npos)
        return false;
    const std::size_t second = line.find('\t', first + 1);
    if (second == std::string_view::npos || line.find('\t', second + 1) != std::string_view::npos)
        return false;
    fields[0] = line.substr(0, first);
    fields[1] = line.substr(first + 1, second - first - 1);
    fields[2] = line.substr(second + 1);
    return true;
}

std::vector<std::string> SpaceSeparated(std::string_view field)
{
    std::vector<std::string> items;
    while (!field.empty()) {
        const std::size_t end = field.find(' ');
        if (end != 0)
            items.emplace_back(field.substr(0, end));
        field.remove_prefix(end == std::string_view::npos ? field.size() : end + 1);
    }
    return items;
}

// A kind id: lower-case ASCII letters and underscores. Kinds the generator
// may add later are kept; anything else marks a broken line.
bool IsKindId(std::string_view kind)
{
    if (kind.empty())
        return false;
    for (char c : kind)
        if (!((c >= 'a' && c <= 'z') || c == '_'))
            return false;
    return true;
}

}  // namespace

namespace {

// The lines of `bytes` as key and two fields, well formed as `accept` says,
// sorted by key, the first line of each key kept.
template <typename Line, typename Accept>
std::vector<Line> IndexLines(std::string_view bytes, Accept accept)
{
    std::vector<Line> lines;
    ForEachLine(bytes, [&](std::string_view text) {
        std::string_view fields[3];
        if (SplitFields(text, fields) && accept(fields))
            lines.push_back(Line{fields[0], fields[1], fields[2]});
    });
    std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.key < b.key; });
    lines.erase(std::unique(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.key == b.key; }),
                lines.end());
    return lines;
}

// The 4 bytes of a pair as a number, in byte order.
std::uint64_t PairNumber(std::string_view pair)
{
    std::uint64_t number = 0;
    for (char c : pair)
        number = number << 8 | static_cast<unsigned char>(c);
    return number;
}

template <typename Line>
const Line* FindLine(const std::vector<Line>& lines, std::string_view key)
{
    const auto found = std::lower_bound(lines.begin(), lines.end(), key,
                                        [](const Line& line, std::string_view k) { return line.key < k; });
    return found != lines.end() && found->key == key ? &*found : nullptr;
}

}  // namespace

Readings Readings::Parse(std::string readingsBytes, std::string differencesBytes)
{
    Readings readings;
    readings.m_readingBytes = std::make_shared<const std::string>(std::move(readingsBytes));
    readings.m_differenceBytes = std::make_shared<const std::string>(std::move(differencesBytes));
    readings.m_characters = IndexLines<Line>(*readings.m_readingBytes, [](const std::string_view (&fields)[3]) {
        return !fields[0].empty() && fields[0].find(' ') == std::string_view::npos;
    });
    // The pair is two double-byte characters, without a separator. Sorting
    // numbers is several times faster than sorting the lines.
    const std::string_view differences = *readings.m_differenceBytes;
    readings.m_pairIndex.reserve(differences.size() / 16);
    ForEachLine(differences, [&](std::string_view text) {
        // The offset takes 32 bits: lines past 4 GB are not indexed.
        const std::uint64_t offset = static_cast<std::uint64_t>(text.data() - differences.data());
        std::string_view fields[3];
        if (offset <= UINT32_MAX && SplitFields(text, fields) && fields[0].size() == 4 && IsKindId(fields[1]))
            readings.m_pairIndex.push_back(PairNumber(fields[0]) << 32 | offset);
    });
    std::sort(readings.m_pairIndex.begin(), readings.m_pairIndex.end());
    // A later line for the same pair sorts after the first: drop it.
    readings.m_pairIndex.erase(std::unique(readings.m_pairIndex.begin(), readings.m_pairIndex.end(),
                                           [](std::uint64_t a, std::uint64_t b) { return a >> 32 == b >> 32; }),
                               readings.m_pairIndex.end());
    return readings;
}

const Readings::Line* Readings::CharacterLine(std::string_view key) const
{
    return FindLine(m_characters, key);
}

std::vector<std::string> Readings::Pinyin(std::string_view key) const
{
    const Line* line = CharacterLine(key);
    return line ? SpaceSeparated(line->first) : std::vector<std::string>();
}

std::vector<std::string> Readings::Words(std::string_view key) const
{
    const Line* line = CharacterLine(key);
    return line ? SpaceSeparated(line->second) : std::vector<std::string>();
}

std::optional<Difference> Readings::DifferenceOf(std::string_view query, std::string_view listed) const
{
    if (query.size() + listed.size() != 4)
        return std::nullopt;
    char pair[4];
    std::copy(query.begin(), query.end(), pair);
    std::copy(listed.begin(), listed.end(), pair + query.size());
    const std::uint64_t number = PairNumber(std::string_view(pair, 4));
    const auto found = std::lower_bound(m_pairIndex.begin(), m_pairIndex.end(), number << 32);
    if (found == m_pairIndex.end() || *found >> 32 != number)
        return std::nullopt;
    std::string_view line = std::string_view(*m_differenceBytes).substr(static_cast<std::uint32_t>(*found));
    line = line.substr(0, line.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    std::string_view fields[3];
    SplitFields(line, fields);
    return Difference{std::string(fields[1]), std::string(fields[2])};
}

std::string ReadingToUtf8(std::string_view cp936)
{
    return ToneDigitToMark(Cp936ToUtf8(cp936));
}

std::string ToneDigitToMark(std::string utf8)
{
    if (utf8.size() < 2 || utf8.back() < '1' || utf8.back() > '4')
        return utf8;
    // Only a syllable: letters, ê and ü (anything else, a U+0001 that
    // ShownText wrote, say, keeps its digit).
    for (std::size_t i = 0; i + 1 < utf8.size(); ++i) {
        const char c = utf8[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool accented = c == '\xC3' && (utf8[i + 1] == '\xAA' || utf8[i + 1] == '\xBC');
        if (accented)
            ++i;
        else if (!letter)
            return utf8;
    }
    // Combining macron, acute, caron and grave: tones 1 to 4.
    static const char* const kMarks[] = {"\xCC\x84", "\xCC\x81", "\xCC\x8C", "\xCC\x80"};
    const char* mark = kMarks[utf8.back() - '1'];
    utf8.pop_back();
    std::size_t at = utf8.find("\xC3\xAA");  // ê
    if (at != std::string::npos)
        at += 2;
    else if ((at = utf8.find_first_of("mnMN")) != std::string::npos)
        at += 1;
    else
        return utf8 + mark;  // no letter to carry it: after the syllable
    utf8.insert(at, mark);
    return utf8;
}
