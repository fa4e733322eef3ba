// Text the user gave (an argument, a line of input), in the locale's
// character set, cut into the characters to look up.
#pragma once

#include <string_view>
#include <vector>

#include "text/query_text.h"

// The characters of text in the locale's character set (an argument, a line
// typed at the prompt), one query each. Text that is not valid in it is one
// query with a problem, which calls the text `whatItIs`.
std::vector<Query> QueriesInText(std::string_view text, std::string_view whatItIs);
