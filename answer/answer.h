// One answer to one query: what every face of Orvalen (the command line's
// plain text, TSV and JSON lines, the page, the Python module) renders. None
// of them ranks the dictionary itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "answer/readings.h"
#include "answer/score_groups.h"
#include "dictionary/char_table.h"
#include "search/search.h"

struct AnswerOptions {
    int top = 0;                   // at most this many matches, best first; 0 for all
    int minScore = kMinimumScore;  // only the groups scoring this much or more
    bool explain = false;          // with each character's readings and differences
};

// What the readings data says about one character; empty when it says nothing.
struct CharacterReadings {
    std::vector<std::string> pinyin;  // code page 936, most common first
    std::vector<std::string> words;   // code page 936, most frequent first
};

// A listed character, explained: its readings, and what tells it apart from
// the query (nothing when no difference is recorded).
struct ListedCharacter {
    std::string key;  // code page 936
    CharacterReadings readings;
    std::optional<Difference> difference;
};

struct Answer {
    std::string key;                 // the query's key, code page 936 bytes
    std::vector<ScoreGroup> groups;  // best first; empty when nothing is listed

    // Filled when options.explain was asked for (empty without readings data).
    bool explained = false;
    CharacterReadings readings{};        // the query's own
    std::vector<ListedCharacter> about{};  // every listed key once, in list order
};

// What `readings` (when given) says about `key`. Two binary searches.
CharacterReadings ReadingsOf(const Readings* readings, std::string_view key);

// The answer for `entry` of `table`: its matches as the search ranks them,
// cut to options.top, then grouped, keeping the groups that score
// options.minScore or more; explained from `readings` when options.explain.
// Costs one search (RankMatches), and with explain three binary searches
// per listed character.
Answer AnswerEntry(const CharTable& table, const CharEntry& entry, const AnswerOptions& options,
                   const Readings* readings = nullptr);

// The answer for the key `key` (code page 936 bytes) as a search finds it (the
// key's first entry), or nothing when no entry has that key. Costs a lookup
// and AnswerEntry.
std::optional<Answer> AnswerQuery(const CharTable& table, std::string_view key, const AnswerOptions& options,
                                  const Readings* readings = nullptr);
