// An answer as TSV lines, UTF-8, as orvalen-find --format tsv prints them:
//   one line per score group: character TAB score TAB characters, space-separated;
//   explained, one line per listed character instead: character TAB score TAB
//   listed character TAB its readings TAB its words TAB difference kind TAB
//   difference phrase (readings and words space-separated; empty fields when
//   the data has nothing).
#pragma once

#include <string>
#include <string_view>

#include "answer/answer.h"

// A TSV field: a tab, CR or line feed would break the columns, so those are
// escaped as \t, \r and \n, and the backslash itself as \\; other control
// and invisible characters are written U+XXXX, as ShownText does, so that no
// key can drive a terminal. Linear in the text.
std::string TsvField(std::string_view utf8);

// Appends the answer's lines to `out` (none when it lists nothing). Linear
// in the answer; converts each key from code page 936.
void AppendTsvLines(std::string& out, const Answer& answer);
std::string TsvLines(const Answer& answer);
