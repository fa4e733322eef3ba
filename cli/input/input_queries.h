// The characters to look up that standard input holds.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "cli/input/query_text.h"

// Every character of every line of `in`, in the locale's character set, as
// one query each, with blanks and punctuation skipped; a line of punctuation
// alone is one query with a problem. Lines are read as they are needed, so
// input of any length takes the memory of its longest line.
class InputQueries {
public:
    explicit InputQueries(std::FILE* in) : m_in(in) {}

    // The next query, or nothing at the end of the input. A line that is not
    // valid text is one query with a problem.
    std::optional<Query> Next();

    // Why the input could not be read to its end, or empty.
    std::string ReadError() const { return m_readError; }

private:
    std::FILE* m_in;
    std::string m_line;  // UTF-8
    std::size_t m_position = 0;
    std::size_t m_lineNumber = 0;
    bool m_punctuation = false;   // the line so far held punctuation
    bool m_anyCharacter = false;  // the line so far held a character
    std::string m_readError;
};
