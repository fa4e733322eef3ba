// Dictionaries are code page 936 text. One saved in another encoding loads
// without complaint and answers "no find" to everything, so it is named.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dictionary/char_table.h"

// What a dictionary file looks like when it does not look like code page 936
// text with line feeds, with what to do about it; nothing when it does.
// `bytes` is the whole file, `table` what was read from it.
std::optional<std::string> WrongEncoding(std::string_view bytes, const CharTable& table);
