// The longest common substring of two long byte strings, in time close to
// linear in their lengths.
#pragma once

#include <string_view>

#include "search/common_run_length.h"

// One longest run of bytes that `a` and `b` share, placed in `a`. Builds a
// suffix array of both, so it allocates about 20 bytes per input byte: meant
// for inputs whose product of lengths makes comparing every offset too slow.
SharedRun LongestCommonSubstring(std::string_view a, std::string_view b);
