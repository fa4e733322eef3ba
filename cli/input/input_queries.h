// The characters to look up that standard input holds.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "cli/input/query_text.h"

// The most bytes of a line held at once. Every character of a line is a query
// of its own, so a longer line (one with no end at all: `< /dev/zero`) is
// read and answered in pieces of this size, cut between characters, and the
// memory stays bounded whatever the input.
inline constexpr std::size_t kInputPieceBytes = std::size_t{64} << 10;

// Every character of every line of `in`, in the locale's character set, as
// one query each, with blanks and punctuation skipped; a line of punctuation
// alone is one query with a problem. Lines are read as they are needed, in
// pieces of at most kInputPieceBytes.
class InputQueries {
public:
    explicit InputQueries(std::FILE* in) : m_in(in) {}

    // Called before each read of the input, which may wait: a program that
    // writes a line and waits for its answer must have it by then.
    void BeforeEachRead(std::function<void()> call) { m_beforeRead = std::move(call); }

    // The next query, or nothing at the end of the input. A line (or piece of
    // one) that is not valid text is one query with a problem.
    std::optional<Query> Next();
    // The next query when one is at hand: more of the line read, or input
    // that arrives within `milliseconds`; else nothing, with nothing read.
    std::optional<Query> NextIfWaiting(int milliseconds);

    // Why the input could not be read to its end, or empty.
    std::string ReadError() const { return m_readError; }

private:
    // The next piece of the input into m_line; false at its end.
    bool ReadPiece();

    std::FILE* m_in;
    std::function<void()> m_beforeRead;
    std::string m_line;   // UTF-8
    std::string m_carry;  // the start of a character cut at a piece's end
    bool m_valid = true;  // m_line was valid text
    bool m_lineEnded = true;
    std::size_t m_position = 0;
    std::size_t m_lineNumber = 0;
    bool m_punctuation = false;   // the line so far held punctuation
    bool m_anyCharacter = false;  // the line so far held a character
    std::string m_readError;
};
