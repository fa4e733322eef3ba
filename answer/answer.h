// One answer to one query: what every face of Orvalen (the command line's
// plain text, TSV and JSON lines, the page, the Python module) renders. None
// of them ranks the dictionary itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "answer/score_groups.h"
#include "dictionary/char_table.h"
#include "search/search.h"

struct AnswerOptions {
    int top = 0;                    // at most this many matches, best first; 0 for all
    int minScore = kMinimumScore;   // only the groups scoring this much or more
};

struct Answer {
    std::string key;                 // the query's key, code page 936 bytes
    std::vector<ScoreGroup> groups;  // best first; empty when nothing is listed
};

// The answer for `entry` of `table`: its matches as the search ranks them,
// cut to options.top, then grouped, keeping the groups that score
// options.minScore or more. Costs one search (RankMatches).
Answer AnswerEntry(const CharTable& table, const CharEntry& entry, const AnswerOptions& options);

// The answer for the key `key` (code page 936 bytes) as a search finds it (the
// key's first entry), or nothing when no entry has that key. Costs a lookup
// and one search.
std::optional<Answer> AnswerQuery(const CharTable& table, std::string_view key, const AnswerOptions& options);
