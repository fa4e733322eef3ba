// The longest common substring of two long byte strings, in time linear in
// their lengths.
#pragma once

#include <string_view>

#include "search/common_run_length.h"
#include "search/suffix_array.h"

// One longest run of the entry code's bytes that stands in the query code as
// padded (`pad` '-' bytes on either side), placed in the entry code. Sorts
// the suffixes of both at once, in about 4 bytes per byte of the two and an
// eighth, so it suits codes whose product of lengths makes comparing every
// offset too slow. The entry code need not differ from the query code.
SharedRun LongestCommonSubstring(const PaddedPair& codes);
SharedRun LongestCommonSubstring(std::string_view a, std::string_view b);
