// Text from the user or from files (a query, a file name) as it may be shown
// in a message: nothing in it can drive a terminal, and nothing shows as
// nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The code point of the UTF-8 character at the start of `utf8`, and its
// length in `*length`; U+FFFD, 1 for a byte that starts no valid character.
std::uint32_t DecodeUtf8(std::string_view utf8, std::size_t* length);

// Control characters (C0, DEL, C1), invisible ones (format characters,
// zero-width and other blank-looking characters, variation selectors) and
// combining marks, which would attach to what is printed before them.
bool IsUnshowable(std::uint32_t codePoint);

// `utf8` with every unshowable character, and every byte that is not UTF-8,
// written as U+XXXX (a stray byte as its hex, \xHH).
std::string ShownText(std::string_view utf8);
