// The longest common substring of two long byte strings, in time linear in
// their lengths.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "search/common_run_length.h"
#include "search/suffix_array.h"

// One longest run of the entry code's bytes that stands in the query code as
// padded (`pad` '-' bytes on either side), placed in the entry code. Sorts
// the suffixes of both at once, in about 4 bytes per byte of the two and an
// eighth, so it suits codes whose product of lengths makes comparing every
// offset too slow. The entry code need not differ from the query code.
SharedRun LongestCommonSubstring(const PaddedPair& codes);
SharedRun LongestCommonSubstring(std::string_view a, std::string_view b);

// The same for many entry codes at once, laid end to end in `entries`, entry
// code k ending at ends[k] (ends rising): their suffixes are sorted together
// with the padded query code's once, so the query code costs its length once
// rather than once per entry code. Each entry code's run is placed in its own
// code. `pad` must be at least the longest run of '-' in any of them (a
// longer pad changes nothing for a code). Takes about 4 bytes per byte of
// the two and an eighth; no entry code may equal the query code.
std::vector<SharedRun> LongestCommonSubstrings(std::string_view entries, const std::vector<std::size_t>& ends,
                                               std::size_t pad, std::string_view query);
