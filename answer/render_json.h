// An answer as one JSON line (JSONL), UTF-8, as orvalen-find --format jsonl
// prints it and the page and the Python module hand it over:
//   {"char":"车","groups":[{"score":33,"chars":["轧"]},...]}
#pragma once

#include <string>
#include <string_view>

#include "answer/answer.h"

// A JSON string literal for UTF-8 text: quotes, backslashes and control
// characters escaped. Linear in the text.
std::string JsonString(std::string_view utf8);

// Appends the answer's JSON object and a line feed to `out`. Linear in the
// answer; converts each key from code page 936.
void AppendJsonLine(std::string& out, const Answer& answer);
std::string JsonLine(const Answer& answer);

// {"char":"X","error":"no find"} and a line feed: the line for a query
// (`utf8`, as given) that the dictionary does not hold.
std::string JsonNoFindLine(std::string_view utf8);
