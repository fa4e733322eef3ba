// Text the user gave (an argument, a line of input) cut into the characters
// to look up.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One character to look up, or text that could not be read as characters.
struct Query {
    std::string text;     // one character, UTF-8
    std::string problem;  // when not empty, why there is no character to look up
};

// The next character of valid UTF-8 text at or after `position`, which moves
// past it. Spaces are skipped: ASCII white space, the no-break and
// ideographic spaces, and byte order marks, so that a pasted worksheet line,
// or a result line with its trailing spaces, reads as its characters. Empty
// at the end of the text.
std::string_view NextCharacter(std::string_view utf8, std::size_t& position);

// The characters of text in the locale's character set (an argument, a line
// typed at the prompt), one query each. Text that is not valid in it is one
// query with a problem, which calls the text `whatItIs`.
std::vector<Query> QueriesInText(std::string_view text, std::string_view whatItIs);
