// Typed or pasted text cut into the characters to look up. Every front end
// reads its queries with these, so that 未，末；土 means the same everywhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/shown_text.h"

// One character to look up, or text that could not be read as characters.
struct Query {
    std::string text;     // one character, UTF-8
    std::string problem;  // when not empty, why there is no character to look up

    // The character as messages show it: a control character, an invisible
    // one or a combining mark as U+XXXX.
    std::string Shown() const { return ShownText(text); }
};

// The next character of valid UTF-8 text at or after `position`, which moves
// past it. Blanks and punctuation between characters are skipped, so that a
// pasted worksheet line ("未，末；土、士"), or a result line with its
// trailing spaces, reads as its characters; `*skippedPunctuation` is set when
// punctuation was skipped. Empty at the end of the text. Linear in what it
// skips.
std::string_view NextCharacter(std::string_view utf8, std::size_t& position, bool* skippedPunctuation = nullptr);

// Blanks: every character with Unicode's White_Space property (the
// ideographic space U+3000 among them), the zero-width space U+200B and the
// byte order mark U+FEFF.
bool IsBlank(std::uint32_t codePoint);
// Punctuation that separates queries: ASCII punctuation and symbols, their
// full-width forms, and the general and CJK punctuation and brackets.
bool IsPunctuation(std::uint32_t codePoint);

inline constexpr std::string_view kOnlyPunctuation =
    "holds only punctuation, which separates characters, and no character to look up";
// The problem of text that holds punctuation and no character: the text
// (its start, when long) in quotes, then kOnlyPunctuation.
std::string OnlyPunctuation(std::string_view utf8);

// The characters of valid UTF-8 text, one query each, in order: none for
// blank text, one query with a problem for text of only punctuation. Linear
// in the text.
std::vector<Query> QueriesInUtf8(std::string_view utf8);
