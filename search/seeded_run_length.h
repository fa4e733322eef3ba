// The measure for the search, quicker on long codes: only runs of
// kMinimumScore bytes or more are looked for, starting from the 4-byte
// windows the two codes share, or for a long query code through its sorted
// suffixes.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "search/query_suffixes.h"

// What is worked out once per search from the query code: for a short one,
// its 4-byte windows with where they start, sorted; for a long one, its
// sorted suffixes, made when an entry code first needs them.
class QueryWindows {
public:
    explicit QueryWindows(std::string_view queryCode);

    // CommonRunLength(entryCode, queryCode) when that is kMinimumScore or
    // more; otherwise some smaller number.
    int ScoreIfAlike(std::string_view entryCode) const;

    // ScoreIfAlike, or kLater for an entry code that is best measured
    // together with others like it: one that the query code's sorted
    // suffixes alone cannot measure within its budget.
    static constexpr int kLater = -1;
    int ScoreOrLater(std::string_view entryCode) const;

    // ScoreIfAlike for each of the entry codes that ScoreOrLater put off,
    // measured together in a few batches, in time linear in their lengths
    // and the query code's.
    std::vector<int> ScoreLater(const std::vector<std::string_view>& entryCodes) const;

private:
    std::string_view m_query;
    std::vector<std::uint64_t> m_windows;  // window << 32 | start; short query codes only
    // The measure through sorted suffixes: the query code's own, made when
    // an entry code first needs them, or those of both codes together.
    int ThroughSuffixes(std::string_view entryCode, bool mayPutOff) const;
    int Score(std::string_view entryCode, bool mayPutOff) const;
    mutable std::shared_ptr<QuerySuffixes> m_suffixes;
};
