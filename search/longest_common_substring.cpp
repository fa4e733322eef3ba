#include "longest_common_substring.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

using Index = std::int32_t;

// How many places ahead of the pass in sorted order the text is asked for.
constexpr std::size_t kAhead = 16;

// Every suffix of the entry code (the text's first `m` bytes) meets the
// suffixes of the padded query code that share most with it among its nearest
// neighbours in sorted order, one on each side: what it shares with any other
// is no longer. Beyond the entry code's end a suffix runs on into the padded
// query, so what it shares counts only up to that end.
//
// The common prefix of two neighbours is found as Kasai et al. find it, from
// the one of the suffix a byte earlier in the text, less one. Kept for every
// 32nd suffix only, it costs an eighth of a byte per byte; the others start
// from the nearest kept one before them, which costs at most 32 comparisons
// more each (eight at a time), and only for the neighbours that share 16
// bytes or more.
class NeighbourPrefixes {
public:
    static constexpr Index kStep = 32;

    NeighbourPrefixes(const PaddedPair& text, const std::vector<Index>& suffixes)
        : m_text(text), m_suffixes(suffixes), m_size(static_cast<Index>(suffixes.size())),
          m_kept(static_cast<std::size_t>((m_size + kStep - 1) / kStep), -1)
    {
        // The suffix before each kept one in sorted order, then in text order
        // what the two share.
        for (Index r = 1; r < m_size; ++r)
            if (suffixes[r] % kStep == 0)
                m_kept[suffixes[r] / kStep] = suffixes[r - 1];
        Index shared = 0;
        for (std::size_t k = 0; k < m_kept.size(); ++k) {
            if (k + kAhead < m_kept.size())
                ORVALEN_PREFETCH(text.Address(static_cast<std::size_t>(m_kept[k + kAhead] < 0 ? 0 : m_kept[k + kAhead])));
            const Index before = m_kept[k];
            shared = std::max<Index>(shared - kStep, 0);
            if (before < 0) {
                m_kept[k] = shared = 0;
                continue;
            }
            m_kept[k] = shared = Extend(static_cast<Index>(k) * kStep, before, shared);
        }
    }

    // What the suffixes at sorted places r - 1 and r share (r >= 1), or
    // `limit` if that is less; when it is `floor` or less, any number up to
    // `floor`. Most neighbours differ at the floor (the best run so far),
    // which one comparison tells; most others share little, which comparing
    // a few bytes finds before the kept prefix is looked up.
    Index At(Index r, Index limit, Index floor) const
    {
        const Index i = m_suffixes[r];
        const Index j = m_suffixes[r - 1];
        if (floor < limit && i + floor < m_size && j + floor < m_size &&
            m_text[static_cast<std::size_t>(i + floor)] != m_text[static_cast<std::size_t>(j + floor)])
            return floor;
        const Index near = Extend(i, j, 0, std::min<Index>(limit, 16));
        if (near < 16 || limit <= 16)
            return near;
        const Index kept = i - i % kStep;
        return Extend(i, j, std::max<Index>(m_kept[kept / kStep] - (i - kept), near), limit);
    }

private:
    // Eight bytes at a time while they are equal, then byte by byte.
    Index Extend(Index a, Index b, Index from, Index limit = std::numeric_limits<Index>::max()) const
    {
        while (limit - from >= 8 && std::max(a, b) + from <= m_size - 8) {
            const std::uint64_t differ =
                m_text.Load8(static_cast<std::size_t>(a + from)) ^ m_text.Load8(static_cast<std::size_t>(b + from));
            if (differ != 0) {
                const int bit = std::endian::native == std::endian::little ? std::countr_zero(differ) : std::countl_zero(differ);
                return from + bit / 8;
            }
            from += 8;
        }
        while (from < limit && a + from < m_size && b + from < m_size &&
               m_text[static_cast<std::size_t>(a + from)] == m_text[static_cast<std::size_t>(b + from)])
            ++from;
        return from;
    }

    const PaddedPair& m_text;
    const std::vector<Index>& m_suffixes;
    Index m_size;
    std::vector<Index> m_kept;
};

// Only a longer run replaces the best: below it, what the pass keeps may
// no longer be up to date.
void Offer(SharedRun& best, std::size_t start, std::size_t length)
{
    if (length > best.length)
        best = {start, length};
}

}  // namespace

SharedRun LongestCommonSubstring(const PaddedPair& codes)
{
    const std::size_t m = codes.Entry().size();
    if (m == 0 || codes.size() == m)
        return {};
    const std::vector<Index> suffixes = SuffixArray(codes);
    if (suffixes.empty())
        return {};  // too long to sort; not met with codes read from a file
    const NeighbourPrefixes neighbours(codes, suffixes);
    const Index n = static_cast<Index>(suffixes.size());
    const Index inEntry = static_cast<Index>(m);
    constexpr Index kWhole = std::numeric_limits<Index>::max();

    // One pass in sorted order. `above`: what the current suffix shares with
    // the nearest query suffix before it, the least of the neighbours'
    // prefixes since (0 before the first). `pending`: the most that one of
    // the entry suffixes since then shares with the current suffix, counted
    // up to its end, and which one: once a query suffix is reached, that is
    // what it shares with its nearest query suffix after it. Each new
    // neighbours' prefix lowers both alike. The prefix needs working out
    // only as far as it can lower one of them beyond the best so far.
    SharedRun best;
    Index above = 0;
    SharedRun pending;
    for (Index r = 0; r < n; ++r) {
        if (r + static_cast<Index>(kAhead) < n) {
            const std::size_t ahead = static_cast<std::size_t>(suffixes[r + static_cast<Index>(kAhead)]);
            ORVALEN_PREFETCH(codes.Address(ahead));
            ORVALEN_PREFETCH(codes.Address(ahead + best.length));
        }
        const Index longest = std::max(above, static_cast<Index>(pending.length));
        if (r > 0 && longest > static_cast<Index>(best.length)) {
            const Index prefix = neighbours.At(r, longest, static_cast<Index>(best.length));
            above = std::min(above, prefix);
            pending.length = std::min(pending.length, static_cast<std::size_t>(prefix));
        }
        const Index i = suffixes[r];
        if (i >= inEntry) {
            Offer(best, pending.start, pending.length);
            pending = {};
            above = kWhole;
        } else {
            const std::size_t toEnd = static_cast<std::size_t>(inEntry - i);
            Offer(best, static_cast<std::size_t>(i), std::min(static_cast<std::size_t>(above), toEnd));
            if (toEnd > pending.length)
                pending = {static_cast<std::size_t>(i), toEnd};
        }
    }
    return best;
}

SharedRun LongestCommonSubstring(std::string_view a, std::string_view b)
{
    return LongestCommonSubstring(PaddedPair{a, 0, b});
}

std::vector<SharedRun> LongestCommonSubstrings(std::string_view entries, const std::vector<std::size_t>& ends,
                                               std::size_t pad, std::string_view query)
{
    std::vector<SharedRun> best(ends.size());
    const PaddedPair codes{entries, pad, query};
    if (ends.empty() || codes.size() == entries.size())
        return best;
    const std::vector<Index> suffixes = SuffixArray(codes);
    if (suffixes.empty())
        return best;  // too long to sort; callers keep batches well within
    const NeighbourPrefixes neighbours(codes, suffixes);
    const Index n = static_cast<Index>(suffixes.size());
    const Index inEntries = static_cast<Index>(entries.size());
    constexpr Index kWhole = std::numeric_limits<Index>::max();

    // What an entry suffix shares with the query code is what it shares with
    // the nearest query suffix before it or after it in sorted order, counted
    // up to its own entry code's end. One pass each way; `shared` is the
    // least of the neighbours' prefixes since the last query suffix met.
    auto offer = [&](Index at, Index shared) {
        const std::size_t i = static_cast<std::size_t>(at);
        const std::size_t owner = static_cast<std::size_t>(std::upper_bound(ends.begin(), ends.end(), i) - ends.begin());
        const std::size_t length = std::min(static_cast<std::size_t>(shared), ends[owner] - i);
        if (length > best[owner].length)
            best[owner] = {i - (owner > 0 ? ends[owner - 1] : 0), length};
    };
    Index shared = 0;
    for (Index r = 0; r < n; ++r) {
        if (r > 0 && shared > 0)
            shared = std::min(shared, neighbours.At(r, shared, 0));
        if (suffixes[r] >= inEntries)
            shared = kWhole;
        else if (shared > 0)
            offer(suffixes[r], shared);
    }
    shared = 0;
    for (Index r = n; r-- > 0;) {
        if (r + 1 < n && shared > 0)
            shared = std::min(shared, neighbours.At(r + 1, shared, 0));
        if (suffixes[r] >= inEntries)
            shared = kWhole;
        else if (shared > 0)
            offer(suffixes[r], shared);
    }
    return best;
}
