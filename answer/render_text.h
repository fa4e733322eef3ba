// An answer as plain text, UTF-8, as orvalen-find prints it: one line per
// score group, the characters separated by spaces; explained, each group
// line is followed by one line per character of the group:
//   末 mò 周末 — 上横长 (a stroke differs)
// Every text from the dictionary or the readings data is shown with
// ShownText, so that nothing in them can drive a terminal.
#pragma once

#include <string>
#include <string_view>

#include "answer/answer.h"

// A key (code page 936) as lists show it: UTF-8, with what could act on a
// terminal written U+XXXX.
std::string ShownKey(std::string_view cp936);

// "wèi/wéi 未来": the readings joined by '/', then the first word; empty
// when the data has neither.
std::string ShownReadings(const CharacterReadings& readings);

// The kind of a difference in words: "a stroke more or fewer" for
// stroke_more, and so on; an unknown kind id as it is.
std::string KindInWords(std::string_view kind);

// "上横长 (a stroke differs)", or the kind alone when there is no phrase.
std::string ShownDifference(const Difference& difference);

// Appends the answer's lines to `out`, each led by `indent`, a group's by
// its score and ": " when `scores`. Explanation lines are indented two more
// spaces. Linear in the answer.
void AppendTextLines(std::string& out, const Answer& answer, bool scores, std::string_view indent);
