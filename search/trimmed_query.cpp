#include "search/trimmed_query.h"

namespace {

// Code page 936: a lead byte followed by a trail byte is one double-byte
// character; every other byte stands alone. Trail bytes are 0x40 or more, so
// an ASCII blank is never the second half of a character.
bool IsLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

bool IsTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// The length of the character `text` starts with.
std::size_t CharacterLength(std::string_view text)
{
    if (text.size() >= 2 && IsLeadByte(static_cast<unsigned char>(text[0])) &&
        IsTrailByte(static_cast<unsigned char>(text[1])))
        return 2;
    return 1;
}

// The length of the blank `text` starts with, 0 when it starts with none.
// Called on character boundaries only: A1 A1 inside "\xB0\xA1\xA1\xA1" is the
// end of one character and the start of the next, not a full-width space.
std::size_t BlankLength(std::string_view text)
{
    switch (text.empty() ? '\0' : text[0]) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
        return 1;
    default:
        return text.starts_with("\xA1\xA1") ? 2 : 0;
    }
}

}  // namespace

std::string_view TrimmedQuery(std::string_view query)
{
    while (const std::size_t blank = BlankLength(query))
        query.remove_prefix(blank);

    // The end of the last character that is not a blank. Trailing blanks can
    // only be told from the ends of double-byte characters by walking the
    // query from its start.
    std::size_t end = 0;
    for (std::size_t at = 0; at < query.size();) {
        const std::string_view rest = query.substr(at);
        if (const std::size_t blank = BlankLength(rest)) {
            at += blank;
        } else {
            at += CharacterLength(rest);
            end = at;
        }
    }
    return query.substr(0, end);
}
