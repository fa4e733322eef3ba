// The worksheet for teachers: the answers of several queries as one printable
// HTML page. Each query and its closest look-alikes stand large with their
// pinyin, then come a word to complete for each (选字填空) and a row to make
// words with (比一比，再组词); the answers follow on a page of their own.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One character of a worksheet, in UTF-8.
struct WorksheetCharacter {
    std::string text;
    std::vector<std::string> pinyin;  // every reading, the most common first
    std::vector<std::string> words;   // common words holding it, the most frequent first
    std::string difference;           // what tells a look-alike from the query (上横长), or empty
};

// One query's part of the sheet: the query, then its look-alikes best first.
struct WorksheetSet {
    WorksheetCharacter query;
    std::vector<WorksheetCharacter> lookAlikes;
};

// At most this many look-alikes stand beside a query: more would not fit
// one row of the sheet, nor one lesson.
constexpr std::size_t kWorksheetLookAlikes = 6;

// The whole sheet: one self-contained UTF-8 HTML document for A4 paper, with
// no script and nothing fetched. Every text is escaped; text that is not
// valid UTF-8 shows U+FFFD. The sets appear in the order given, look-alikes
// beyond kWorksheetLookAlikes left out.
std::string WorksheetHtml(const std::vector<WorksheetSet>& sets);
