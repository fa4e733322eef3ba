// Conversion between UTF-8, which the command line speaks, and code page 936,
// which the dictionary and the search speak. Done by the platform: iconv on
// Linux, the Win32 code page functions on Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The code page 936 form of UTF-8 text, or nothing when the text is not valid
// UTF-8 or holds a character that code page 936 cannot write.
std::optional<std::string> Utf8ToCp936(std::string_view utf8);

// UTF-8 for code page 936 bytes. Bytes that do not form a code page 936
// character each become U+FFFD, so any dictionary can be shown.
std::string Cp936ToUtf8(std::string_view cp936);

// Whether `text` is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// The code point of the UTF-8 character at the start of `utf8` (not empty),
// and its length in `*length`; U+FFFD, 1 for a byte that starts no valid
// character.
std::uint32_t DecodeUtf8(std::string_view utf8, std::size_t* length);

// How many bytes the UTF-8 sequence that `lead` starts takes: 1 for ASCII,
// and for a byte that starts no sequence.
std::size_t Utf8SequenceLength(unsigned char lead);
