#include "answer/shared_run_text.h"

#include <cstdint>
#include <cstdio>
#include <set>

#include "text/shown_text.h"
#include "text/text_codec.h"

namespace {

bool IsLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

bool IsTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// Code page 936's user-defined area, where no character is: lead bytes
// 0xAA-0xAF and 0xF8-0xFE with trail bytes from 0xA1, and lead bytes
// 0xA1-0xA7 with trail bytes below 0xA1. Dictionaries give the parts that
// have no character of their own (unnamed clusters of strokes, unnamed
// compounds) codes there.
bool IsUserDefined(unsigned char lead, unsigned char trail)
{
    const bool upper = (lead >= 0xAA && lead <= 0xAF) || (lead >= 0xF8 && lead <= 0xFE);
    return (upper && trail >= 0xA1) || (lead >= 0xA1 && lead <= 0xA7 && trail <= 0xA0);
}

// The rows of punctuation, digits, Latin, Greek and Cyrillic letters, kana,
// pinyin and box drawing (lead bytes 0xA1-0xA9): no hanzi is there, and a
// part coded with one of them (the katakana コ for the top of 己) is a shape
// that stands for strokes, not what a Chinese reader would read it as.
bool IsSymbol(unsigned char lead)
{
    return lead >= 0xA1 && lead <= 0xA9;
}

// What a part with no hanzi of its own is shown as: a described placeholder
// ("a part without a name"), as a dictionary of characters would show it.
constexpr std::string_view kUnnamedPart = "〔无名部件〕";

// Whether converted text is something to read: no U+FFFD, which stands for
// a pair code page 936 leaves without a character, and nothing of the
// private-use area U+E000-U+F8FF, where Windows puts the user-defined pairs.
bool IsReadable(std::string_view utf8)
{
    for (std::size_t at = 0, length; at < utf8.size(); at += length) {
        const std::uint32_t codePoint = DecodeUtf8(utf8.substr(at), &length);
        if (codePoint == 0xFFFD || (codePoint >= 0xE000 && codePoint <= 0xF8FF))
            return false;
    }
    return !utf8.empty();
}

// How one whole double-byte character of a code reads: the hanzi itself, or
// the placeholder for any other pair.
std::string ShownPart(std::string_view pair)
{
    const unsigned char lead = static_cast<unsigned char>(pair[0]);
    const unsigned char trail = static_cast<unsigned char>(pair[1]);
    if (IsUserDefined(lead, trail) || IsSymbol(lead))
        return std::string(kUnnamedPart);
    const std::string shown = Cp936ToUtf8(pair);
    return IsReadable(shown) ? shown : std::string(kUnnamedPart);
}

// The bundled dictionaries give look-alike characters a block in common:
// 0xFF and three id bytes, once or more, then 0xFF. 0xFF is no code page 936
// byte, so a run holding it at that period lies in such a block; its bytes
// mean nothing to a reader, what they stand for does.
constexpr unsigned char kLookAlikeMark = 0xFF;
constexpr std::size_t kLookAlikePeriod = 4;
constexpr std::string_view kLookAlikeLabel = "字形相近";

bool InLookAlikeBlock(std::string_view entryCode, SharedRun run)
{
    const std::string_view bytes = entryCode.substr(run.start, run.length);
    const std::size_t first = bytes.find(static_cast<char>(kLookAlikeMark));
    return first != std::string_view::npos && first + kLookAlikePeriod < bytes.size() &&
           static_cast<unsigned char>(bytes[first + kLookAlikePeriod]) == kLookAlikeMark;
}

}  // namespace

std::string DescribeSharedRun(std::string_view entryCode, SharedRun run)
{
    if (run.start + run.length <= entryCode.size() && InLookAlikeBlock(entryCode, run))
        return std::string(kLookAlikeLabel);
    const std::size_t end = run.start + run.length;
    std::string text;
    std::string hex;  // hex bytes waiting to be closed with "]"
    std::set<std::string> told;
    auto flushHex = [&] {
        if (hex.empty())
            return;
        text += (text.empty() ? "[" : " [") + hex + "]";
        hex.clear();
    };
    // Walk the code from its start, so that characters are cut where the
    // code's own characters begin, not where the run happens to.
    std::size_t i = 0;
    while (i < end && i < entryCode.size()) {
        const unsigned char byte = static_cast<unsigned char>(entryCode[i]);
        const bool pair = IsLeadByte(byte) && i + 1 < entryCode.size() &&
                          IsTrailByte(static_cast<unsigned char>(entryCode[i + 1]));
        const std::size_t width = pair ? 2 : 1;
        const bool inside = i >= run.start && i + width <= end;
        if (pair && inside) {
            // A component's code stands after each of its parts (请 讠 请 青
            // 请), so each part is told once: the parts, not the weave. Told
            // by its bytes: two different unnamed parts are two placeholders.
            if (told.insert(std::string(entryCode.substr(i, 2))).second) {
                flushHex();
                if (!text.empty())
                    text += ' ';
                text += ShownPart(entryCode.substr(i, 2));
            }
        } else {
            for (std::size_t k = i; k < i + width; ++k) {
                if (k < run.start || k >= end)
                    continue;
                char digits[4];
                std::snprintf(digits, sizeof digits, "%s%02X", hex.empty() ? "" : " ",
                              static_cast<unsigned char>(entryCode[k]));
                hex += digits;
            }
        }
        i += width;
    }
    flushHex();
    return text;
}
