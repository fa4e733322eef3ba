// Scoring the whole dictionary against a query character and rendering the
// matches as the result box shows them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/char_table.h"
#include "search/scored_char.h"

// Entries scoring at least this much against the query are listed.
constexpr int kMinimumScore = 4;

// Every entry whose code scores kMinimumScore or more against `queryCode`,
// best first; equal scores keep table order. Scores only the entries that
// the table's index (IndexOf) names as candidates, so a search costs about
// the query code's windows and the matches, not the table: tens of
// microseconds in the bundled dictionaries. The first search of a table
// builds its index (linear in the codes' bytes, about 0.1 s for 20,000
// characters). Safe to call from several threads.
std::vector<ScoredChar> RankMatches(const CharTable& table, std::string_view queryCode);
std::vector<ScoredChar> RankMatches(std::string_view queryCode);

// The same list as places in the table with their scores. The runs behind
// the scores of long codes are kept for the same query code on this thread,
// so that LongestSharedRun then finds each listed match's run without
// measuring it again.
struct RankedEntry {
    std::uint32_t index;
    int score;
};
std::vector<RankedEntry> RankEntries(const CharTable& table, std::string_view queryCode);

// Keys, each followed by one space, with "\r\n" between score groups.
// Linear in the list.
std::string FormatMatches(const std::vector<ScoredChar>& list);

// The result text for the query box's bytes as they stand, or nothing when
// the query is not a key of the table. A found query with no match gives
// empty text. Costs FindEntry (a scan of the keys), then RankMatches and
// FormatMatches.
std::optional<std::string> RunSearch(const CharTable& table, std::string_view query);
std::optional<std::string> RunSearch(std::string_view query);
