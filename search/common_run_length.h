// How alike two structure codes are.
#pragma once

#include <cstddef>
#include <string_view>

// The longest run of consecutive equal bytes that `entryCode` shares with
// `queryCode` when slid along it, byte by byte, with `queryCode` padded on
// both sides by as many '-' bytes as `entryCode` is long. Identical codes
// score 0, so a character never matches its own code.
//
// The padding takes part: a '-' in `entryCode` matches it, so a run that
// reaches the end of the overlap can go on through dashes. Without any '-'
// the score is the length of the longest common substring.
int CommonRunLength(std::string_view entryCode, std::string_view queryCode);

// Where the longest shared run lies in the entry code: `length` bytes from
// `start`. Bytes that met the padding are the entry's own '-' bytes.
struct SharedRun {
    std::size_t start = 0;
    std::size_t length = 0;
};

// The run that CommonRunLength measures, with its place in `entryCode`: the
// first of the longest by offset for codes short enough to slide, otherwise
// one of the longest.
SharedRun LongestSharedRun(std::string_view entryCode, std::string_view queryCode);

// Whether two codes are short enough that sliding one along the other, as
// the measure is defined, is the quickest way to measure them: the work is
// the product of their lengths. Longer ones are measured through sorted
// suffixes, in time near linear in their lengths.
bool ShortEnoughToSlide(std::size_t entrySize, std::size_t querySize);
