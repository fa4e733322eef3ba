// An answer as TSV lines, UTF-8: one line per score group, "character TAB
// score TAB characters separated by spaces", as orvalen-find --format tsv
// prints them.
#pragma once

#include <string>
#include <string_view>

#include "answer/answer.h"

// A TSV field: a key may hold any byte but zero, and a tab, CR or line feed
// in it would break the columns, so those are escaped as \t, \r and \n, and
// the backslash itself as \\. Linear in the text.
std::string TsvField(std::string_view utf8);

// Appends the answer's lines to `out` (none when it lists nothing). Linear
// in the answer; converts each key from code page 936.
void AppendTsvLines(std::string& out, const Answer& answer);
std::string TsvLines(const Answer& answer);
