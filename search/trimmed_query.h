// A query as the user means it, without the blanks around it. A character
// copied out of the result box comes with the space that follows every key
// there ("本 "), and pasted text may bring a line break or a full-width space
// along; none of them can be part of a key.
#pragma once

#include <string_view>

// `query` without the ASCII spaces, tabs, carriage returns and line feeds and
// the full-width spaces (U+3000, code page 936 bytes A1 A1) at either end.
// The bytes in between stay exactly as they are. A view of `query`, no copy;
// linear in the blanks trimmed.
std::string_view TrimmedQuery(std::string_view query);
