// The code similarity measure exactly as it is defined: build the padded
// string, slide the entry code over it shift by shift, and keep the longest
// run. Slow, and only for checking the real one.
#pragma once

#include <string>
#include <string_view>

int LiteralCommonRunLength(std::string_view entryCode, std::string_view queryCode);
