// The measure for the search, quicker on long codes: only runs of
// kMinimumScore bytes or more are looked for, starting from the 4-byte
// windows the two codes share.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The 4-byte windows of a query code with where they start, sorted, made
// once per search.
class QueryWindows {
public:
    explicit QueryWindows(std::string_view queryCode);

    // CommonRunLength(entryCode, queryCode) when that is kMinimumScore or
    // more; otherwise some smaller number.
    int ScoreIfAlike(std::string_view entryCode) const;

private:
    std::string_view m_query;
    std::vector<std::uint64_t> m_windows;  // window << 32 | start
};
