// Shows the run of code that links a match to the query, in the words every
// face uses for it: orvalen-find's --why and --compare, and the Python
// module's Comparison.why.
#pragma once

#include <string>
#include <string_view>

#include "search/common_run_length.h"

// The bytes of `run` in `entryCode`, cut along the entry code's own code page
// 936 characters: a whole double-byte hanzi shows as itself (in UTF-8), any
// other double-byte character (the user-defined area, symbols, kana) as the
// placeholder 〔无名部件〕, any other byte, or part of a character cut by the
// run's ends, as hex in brackets. Tokens are separated by spaces:
// "冖 车 [21]". A run in the look-alike block that two characters of the
// bundled dictionaries share (0xFF and three id bytes, once or more) is told as
// "字形相近" (glyphs alike).
std::string DescribeSharedRun(std::string_view entryCode, SharedRun run);
