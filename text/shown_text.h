// Text from the user or from files (a query, a file name) as it may be shown
// in a message: nothing in it can drive a terminal, and nothing shows as
// nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// An inclusive range of code points, and whether a code point lies in any of
// a table of them.
struct CodePointRange {
    std::uint32_t first, last;
};

template <std::size_t kSize>
bool InRanges(std::uint32_t codePoint, const CodePointRange (&ranges)[kSize])
{
    for (const CodePointRange& range : ranges)
        if (codePoint >= range.first && codePoint <= range.last)
            return true;
    return false;
}

// Control characters (C0, DEL, C1), invisible ones (format characters,
// zero-width and other blank-looking characters, variation selectors) and
// combining marks, which would attach to what is printed before them.
bool IsUnshowable(std::uint32_t codePoint);

// `utf8` with every unshowable character, and every byte that is not UTF-8,
// written as U+XXXX (a stray byte as its hex, \xHH).
std::string ShownText(std::string_view utf8);
