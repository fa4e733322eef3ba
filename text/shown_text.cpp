#include "text/shown_text.h"

#include <cstdio>

#include "text/text_codec.h"

namespace {

// Combining marks of the scripts a user of this program is likely to meet,
// the marks that are combining in every script, and invisible characters.
constexpr CodePointRange kUnshowable[] = {
    {0x0000, 0x001F}, {0x007F, 0x009F},    // C0, DEL, C1
    {0x00AD, 0x00AD},                      // soft hyphen
    {0x0300, 0x036F},                      // combining diacritical marks
    {0x034F, 0x034F},  {0x0483, 0x0489},  {0x0591, 0x05BD}, {0x05BF, 0x05C7}, {0x0610, 0x061C},
    {0x064B, 0x065F},  {0x0670, 0x0670},  {0x06D6, 0x06ED}, {0x0900, 0x0903}, {0x093A, 0x094F},
    {0x115F, 0x1160},                      // Hangul fillers
    {0x17B4, 0x17B5},  {0x180B, 0x180F},
    {0x1AB0, 0x1AFF},  {0x1DC0, 0x1DFF},   // combining marks, extended and supplement
    {0x200B, 0x200F},  {0x2028, 0x202E}, {0x2060, 0x206F},  // zero width, bidi, invisible operators
    {0x20D0, 0x20FF},                      // combining marks for symbols
    {0x302A, 0x302F},  {0x3099, 0x309A},   // CJK tone marks, kana voicing marks
    {0x3164, 0x3164},  {0xFE00, 0xFE0F},   // Hangul filler, variation selectors
    {0xFE20, 0xFE2F},  {0xFEFF, 0xFEFF}, {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFFB},
    {0xE0000, 0xE0FFF},                    // tags, variation selectors supplement
};

}  // namespace

bool IsUnshowable(std::uint32_t codePoint)
{
    // The CJK blocks hold none of the ranges: lists of Chinese characters
    // are shown without walking the table for each.
    if (codePoint > 0x3164 && codePoint < 0xFE00)
        return false;
    return InRanges(codePoint, kUnshowable);
}

std::string ShownText(std::string_view utf8)
{
    std::string shown;
    for (std::size_t at = 0; at < utf8.size();) {
        std::size_t length;
        const std::uint32_t codePoint = DecodeUtf8(utf8.substr(at), &length);
        char hex[16];
        if (codePoint == 0xFFFD && length == 1) {
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(utf8[at]));
            shown += hex;
        } else if (IsUnshowable(codePoint)) {
            std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(codePoint));
            shown += hex;
        } else {
            shown.append(utf8.substr(at, length));
        }
        at += length;
    }
    return shown;
}
