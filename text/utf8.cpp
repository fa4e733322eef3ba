#include "text/text_codec.h"

std::uint32_t DecodeUtf8(std::string_view utf8, std::size_t* length)
{
    constexpr std::uint32_t kReplacement = 0xFFFD;
    *length = 1;
    const unsigned char lead = static_cast<unsigned char>(utf8[0]);
    if (lead < 0x80)
        return lead;
    std::size_t size;
    std::uint32_t min;
    if ((lead & 0xE0) == 0xC0) {
        size = 2;
        min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        size = 3;
        min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        size = 4;
        min = 0x10000;
    } else {
        return kReplacement;
    }
    if (size > utf8.size())
        return kReplacement;
    std::uint32_t codePoint = lead & (0x7F >> size);
    for (std::size_t k = 1; k < size; ++k) {
        const unsigned char next = static_cast<unsigned char>(utf8[k]);
        if ((next & 0xC0) != 0x80)
            return kReplacement;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are no
    // characters.
    if (codePoint < min || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return kReplacement;
    *length = size;
    return codePoint;
}

// Checked here rather than left to the converters: iconv and Windows differ in
// what they let through (surrogates, overlong forms), and the command line
// should refuse the same arguments everywhere.
bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0, length; i < text.size(); i += length)
        if (DecodeUtf8(text.substr(i), &length) == 0xFFFD && length == 1)
            return false;
    return true;
}

std::size_t Utf8SequenceLength(unsigned char lead)
{
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 1;
}
