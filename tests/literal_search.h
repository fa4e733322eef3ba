// The search as first defined, for comparison: every entry scored with the
// literal measure (a padded string built per call, every shift tried).
#pragma once

#include <string_view>
#include <vector>

#include "dictionary/char_table.h"
#include "search/scored_char.h"

std::vector<ScoredChar> LiteralRankMatches(const CharTable& table, std::string_view queryCode);
