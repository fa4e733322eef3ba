// The check of a dictionary's encoding and line ends. Dictionaries are code
// page 936 text: one saved in another encoding loads without complaint and
// answers "no find" to everything, so it is named.
#include "dictionary/dictionary_file.h"

#include <algorithm>
#include <cstdint>

namespace {

// Well-formed UTF-8: no stray or missing continuation byte, no overlong form,
// no surrogate, nothing past U+10FFFF. The core holds no text codec, so this
// one check lives here.
bool IsValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t size = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
        if (size == 0 || i + size > bytes.size())
            return false;
        std::uint32_t codePoint = size == 1 ? lead : lead & (0x7F >> size);
        for (std::size_t k = 1; k < size; ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            codePoint = codePoint << 6 | (next & 0x3F);
        }
        const std::uint32_t least = size == 3 ? 0x800 : size == 4 ? 0x10000 : 0;
        if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        i += size;
    }
    return true;
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// A code page 936 double-byte character: what every key should be.
bool IsDoubleByteCharacter(std::string_view key)
{
    if (key.size() != 2)
        return false;
    const unsigned char lead = static_cast<unsigned char>(key[0]);
    const unsigned char trail = static_cast<unsigned char>(key[1]);
    return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
}

// UTF-16 in the given byte order, with evidence: the whole file decodes
// (no lone surrogate, an even length), many of its bytes are zero, as in
// every ASCII character, and its lines end in that order's line feeds. A file
// of zero bytes alone has no line feed and is no UTF-16 text.
bool LooksLikeUtf16(std::string_view bytes, bool littleEndian)
{
    if (bytes.size() % 2 != 0)
        return false;
    std::size_t zeros = 0, lineFeeds = 0;
    bool highSurrogate = false;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const unsigned char first = static_cast<unsigned char>(bytes[i]);
        const unsigned char second = static_cast<unsigned char>(bytes[i + 1]);
        zeros += (first == 0) + (second == 0);
        const std::uint16_t unit = littleEndian ? (second << 8 | first) : (first << 8 | second);
        const bool high = unit >= 0xD800 && unit <= 0xDBFF, low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (low != highSurrogate)
            return false;
        highSurrogate = high;
        lineFeeds += unit == 0x000A;
    }
    return !highSurrogate && lineFeeds > 0 && zeros * 8 >= bytes.size();
}

// UTF-8 with evidence: the whole file is valid UTF-8, and most of its lines
// start with a character of three bytes or four, as a Chinese character is in
// UTF-8. Code page 936 text is almost never valid UTF-8, but it can be: a file
// whose characters all have a lead byte C2-DF and a trail byte A1-BF reads as
// two-byte UTF-8, yet its lines start with a two-byte character.
bool LooksLikeUtf8(std::string_view bytes)
{
    if (!IsValidUtf8(bytes))
        return false;
    std::size_t lines = 0, chineseFirst = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        if (end > start) {
            ++lines;
            chineseFirst += static_cast<unsigned char>(bytes[start]) >= 0xE0;
        }
        start = end + 1;
    }
    return chineseFirst > 0 && chineseFirst * 2 >= lines;
}

// Lines that end in a carriage return alone, as old Mac files do, outnumber
// those that end in a line feed: the file reads as one long line.
bool HasCarriageReturnLineEnds(std::string_view bytes)
{
    std::size_t lineFeeds = 0, loneReturns = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            ++lineFeeds;
        else if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            ++loneReturns;
    }
    return loneReturns > lineFeeds;
}

constexpr std::string_view kConvert =
    "; dictionaries are code page 936 (GB2312/GBK) text, so no search will find its characters";

}  // namespace

std::optional<std::string> WrongEncoding(std::string_view bytes, const CharTable& table)
{
    if (bytes.empty())
        return "is empty, so every search will answer \"no find\"";
    if (StartsWith(bytes, "\xEF\xBB\xBF"))
        return "is UTF-8 text (it starts with a UTF-8 byte order mark)" + std::string(kConvert) +
               "; convert it with: iconv -f UTF-8 -t CP936";
    if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF"))
        return "is UTF-16 text (it starts with a UTF-16 byte order mark)" + std::string(kConvert) +
               "; convert it with: iconv -f UTF-16 -t CP936";
    for (const bool littleEndian : {true, false}) {
        if (LooksLikeUtf16(bytes, littleEndian)) {
            const std::string order = littleEndian ? "UTF-16LE" : "UTF-16BE";
            return "looks like " + order + " text (it is full of zero bytes)" + std::string(kConvert) +
                   "; convert it with: iconv -f " + order + " -t CP936";
        }
    }
    if (LooksLikeUtf8(bytes))
        return "looks like UTF-8 text" + std::string(kConvert) + "; convert it with: iconv -f UTF-8 -t CP936";
    if (HasCarriageReturnLineEnds(bytes))
        return std::string("ends its lines with a carriage return alone (CR, as old Mac files do), so it reads as "
                           "one line and every search will answer \"no find\"; convert it with: tr '\\r' '\\n'");
    if (std::none_of(table.begin(), table.end(), [](const CharEntry& entry) { return IsDoubleByteCharacter(entry.key); }))
        return "has no line that starts with a code page 936 double-byte character; dictionaries are code page 936 "
               "(GB2312/GBK) text, so every search will answer \"no find\"";
    return std::nullopt;
}
