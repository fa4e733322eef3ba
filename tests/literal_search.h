// The search as first defined, for comparison: every entry scored with the
// literal measure (a padded string built per call, every shift tried).
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dictionary/char_table.h"
#include "search/scored_char.h"

std::vector<ScoredChar> LiteralRankMatches(const CharTable& table, std::string_view queryCode);

// The same search for a whole dictionary's worth of queries: the literal
// measure, skipping only the entries that cannot score 4. A run of 4 equal
// bytes is 4 bytes of the entry code that also stand together in the padded
// query code, so an entry none of whose 4-byte strings stands in "----" +
// query code + "----" scores 3 or less and is not listed by the literal
// search either. What is left is scored exactly as LiteralRankMatches scores
// it, whatever the codes' length.
class FilteredLiteralSearch {
public:
    explicit FilteredLiteralSearch(const CharTable& table);
    std::vector<ScoredChar> RankMatches(std::string_view queryCode) const;

private:
    const CharTable& m_table;
    // Each 4-byte string of an entry code, and the entries holding it, in
    // table order.
    std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> m_holders;
};
