// The measure of many entry codes against one long query code, each in time
// close to linear in the entry code's length rather than the query code's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "search/common_run_length.h"

// The query code's suffixes in sorted order, made on first need and then
// shared by every entry code measured against it: a shared run is a prefix
// of one of them, found by binary search. Costs five bytes per byte of the
// query code (a copy of it, and where each suffix starts). Not safe to use
// from several threads at once.
class QuerySuffixes {
public:
    explicit QuerySuffixes(std::string_view queryCode) : m_query(queryCode) {}

    // Those of `queryCode`, kept from one call to the next on this thread
    // while the query code stays the same: a search measures every entry
    // code against one query code, and sorting it anew each time would cost
    // the query code's length per entry code.
    static std::shared_ptr<QuerySuffixes> Of(std::string_view queryCode);

    // CommonRunLength(entryCode, queryCode) with one of the longest runs,
    // when that is `atLeast` bytes or more; otherwise some shorter run.
    SharedRun Longest(std::string_view entryCode, std::size_t atLeast = 0);

    // Whether Longest(entryCode, atLeast) can answer without sorting the
    // entry code's suffixes with the query code's. When not, the entry code
    // is best measured with others through LongestOfMany.
    bool Quickly(std::string_view entryCode, std::size_t atLeast, SharedRun& run);

    // Longest for each of `entryCodes` (none may equal the query code), with
    // their suffixes sorted together with the query code's in a few batches:
    // the query code's length is paid per batch, not per entry code. The
    // runs are kept, and Longest answers from them for the same codes. Lets
    // go of the query code's own sorted suffixes first (they are made again
    // if Longest needs them), so that the two are never held at once.
    std::vector<SharedRun> LongestOfMany(const std::vector<std::string_view>& entryCodes);

    std::string_view Query() const { return m_query; }

private:
    bool Measured(std::string_view entryCode, std::size_t atLeast, std::size_t patience, SharedRun& run);
    bool WithinQuery(std::string_view entry, std::size_t atLeast, std::size_t patience, SharedRun& best);

    std::string m_query;
    bool m_sorted = false;
    std::vector<std::int32_t> m_suffixes;
    // Where the suffixes starting with each two bytes begin, and end: the
    // binary searches start from there.
    std::vector<std::int32_t> m_firstTwo;
    // What LongestOfMany found, by entry code.
    std::unordered_map<std::string, SharedRun> m_measured;
};

// Whether an entry code is long enough beside the query code that its
// suffixes are best sorted with the query code's, rather than looked up in
// the query code's own: then nothing of the query code need be kept.
bool SortedTogether(std::string_view entryCode, std::string_view queryCode);

// CommonRunLength(entryCode, queryCode) with one of the longest runs, for
// codes too long to slide. An entry code much shorter than the query code is
// measured against the query code's sorted suffixes, which are kept for the
// next call; one of a like length has its suffixes sorted with the query
// code's, which keeps nothing.
SharedRun LongestThroughSuffixes(std::string_view entryCode, std::string_view queryCode);

// The runs that reach into the padding on either side of the query code:
// '-' bytes of the entry code then the start of the query code, its end then
// '-' bytes, or '-' bytes alone. The longest of them, in time linear in the
// entry code's length.
SharedRun LongestRunIntoPadding(std::string_view entryCode, std::string_view queryCode);
