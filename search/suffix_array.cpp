#include "search/suffix_array.h"

#include <algorithm>
#include <limits>

// Induced sorting (SA-IS, Nong, Zhang and Chan 2009). The suffixes are typed
// S (smaller than the suffix after it) or L (larger); the leftmost S of each
// run of them (LMS) starts a substring. Sorting those substrings by two
// induced passes, naming them, and sorting the suffixes of the string of
// names (recursively, while names repeat) orders the LMS suffixes, and two
// more passes induce all the rest from them. The string of names and its
// suffix array live in the output array itself, and the bucket array of a
// level goes into the part of it left free when it fits there, so the whole
// sort needs little beyond its four bytes per suffix.

namespace {

using Index = std::int32_t;

// How far ahead of a scan the text it is about to read is asked for: far
// enough to hide a read from main memory, near enough that what was asked
// for is still in the cache when it is reached.
constexpr Index kAhead = 24;

// i, or the nearer end of [low, high]. By value: GCC drops a prefetch of an
// address worked out through std::clamp's references.
Index Within(Index i, Index low, Index high)
{
    return i < low ? low : i > high ? high : i;
}

// The text as sorted: each byte plus one, then a unique smallest symbol 0.
struct ByteSymbols {
    static constexpr bool kManySymbols = false;
    const PaddedPair& text;
    Index end;  // where the 0 stands
    Index operator[](Index i) const { return i < end ? Index{text[static_cast<std::size_t>(i)]} + 1 : 0; }
    // Any i: one out of range is read as the right padding.
    void Prefetch(Index i) const { ORVALEN_PREFETCH(text.Address(static_cast<std::size_t>(i))); }
};

// A string of names, one level down.
struct NameSymbols {
    static constexpr bool kManySymbols = true;
    const Index* names;
    Index operator[](Index i) const { return names[i]; }
    void Prefetch(Index i) const { ORVALEN_PREFETCH(names + Within(i, 0, i)); }
};

class Types {
public:
    explicit Types(Index n) : m_bits((static_cast<std::size_t>(n) + 63) / 64, 0) {}
    bool IsS(Index i) const { return m_bits[static_cast<std::size_t>(i) / 64] >> (i % 64) & 1; }
    void SetS(Index i) { m_bits[static_cast<std::size_t>(i) / 64] |= std::uint64_t{1} << (i % 64); }
    bool IsLms(Index i) const { return i > 0 && IsS(i) && !IsS(i - 1); }
    void Prefetch(Index i) const { ORVALEN_PREFETCH(m_bits.data() + static_cast<std::size_t>(Within(i, 0, i)) / 64); }
    void Release() { std::vector<std::uint64_t>().swap(m_bits); }

private:
    std::vector<std::uint64_t> m_bits;
};

// Bucket array for an alphabet of `size` symbols: in the spare part of the
// output array when it fits, else on its own. A small alphabet's counts are
// kept, so that its bounds, asked for four times, cost one scan of the text
// rather than four.
class Buckets {
public:
    Buckets(Index size, Index* spare, std::size_t spareSize) : m_size(size)
    {
        if (static_cast<std::size_t>(size) <= spareSize) {
            m_bucket = spare;
        } else {
            m_own.resize(static_cast<std::size_t>(size));
            m_bucket = m_own.data();
        }
    }
    // Each bucket's start, or its end, for the symbols of `s`.
    template <class Symbols>
    Index* Bounds(const Symbols& s, Index n, bool ends)
    {
        constexpr Index kKeptCounts = 257;
        if (m_counts.empty() || m_size > kKeptCounts) {
            std::fill(m_bucket, m_bucket + m_size, 0);
            for (Index i = 0; i < n; ++i)
                ++m_bucket[s[i]];
            if (m_size <= kKeptCounts)
                m_counts.assign(m_bucket, m_bucket + m_size);
        } else {
            std::copy(m_counts.begin(), m_counts.end(), m_bucket);
        }
        Index sum = 0;
        for (Index c = 0; c < m_size; ++c) {
            sum += m_bucket[c];
            m_bucket[c] = ends ? sum : sum - m_bucket[c];
        }
        return m_bucket;
    }

private:
    Index m_size;
    Index* m_bucket;
    std::vector<Index> m_own;
    std::vector<Index> m_counts;
};

// From the LMS suffixes placed at their buckets' ends, every other place
// -1: the L suffixes left to right, then the S suffixes right to left.
//
// Whether a pass induces from a suffix is told by its sign rather than by
// looking up the type of the one before it, a second read from far away per
// suffix: a suffix is stored as ~j when the one before it is of the other
// type, which comparing its symbol with the one before tells (when equal,
// the type is the same). The suffixes placed to start with (LMS, with an L
// before each) are stored plain. Each pass flips every entry it passes that
// it does not induce from, so that after both all are plain again.
template <class Symbols>
void Induce(const Symbols& s, Index* sa, Index n, Buckets& buckets)
{
    // The symbols the pass will read kAhead places on; for an alphabet of
    // names, too large for the cache, their buckets half as far on.
    Index* bucket = buckets.Bounds(s, n, false);
    for (Index i = 0; i < n; ++i) {
        if (i + kAhead < n) {
            s.Prefetch(sa[i + kAhead] - 2);
            if constexpr (Symbols::kManySymbols)
                ORVALEN_PREFETCH(bucket + s[Within(sa[i + kAhead / 2] - 1, 0, n - 1)]);
        }
        const Index at = sa[i];
        sa[i] = ~at;
        if (at > 0) {
            const Index j = at - 1;
            const Index c = s[j];
            sa[bucket[c]++] = j > 0 && s[j - 1] < c ? ~j : j;
        }
    }
    bucket = buckets.Bounds(s, n, true);
    for (Index i = n - 1; i >= 0; --i) {
        if (i >= kAhead) {
            s.Prefetch(sa[i - kAhead] - 2);
            if constexpr (Symbols::kManySymbols)
                ORVALEN_PREFETCH(bucket + s[Within(sa[i - kAhead / 2] - 1, 0, n - 1)]);
        }
        const Index at = sa[i];
        if (at > 0) {
            const Index j = at - 1;
            const Index c = s[j];
            sa[--bucket[c]] = j == 0 || s[j - 1] > c ? ~j : j;
        } else {
            sa[i] = ~at;
        }
    }
}

// Sorts the suffixes of s[0, n), whose symbols are below `alphabet` and whose
// last symbol is 0 and occurs nowhere else (n >= 2). `spare` is room the
// bucket array may use.
template <class Symbols>
void SortSuffixes(const Symbols& s, Index n, Index alphabet, Index* sa, Index* spare, std::size_t spareSize)
{
    Types types(n);
    types.SetS(n - 1);
    for (Index i = n - 3; i >= 0; --i)
        if (s[i] < s[i + 1] || (s[i] == s[i + 1] && types.IsS(i + 1)))
            types.SetS(i);

    // Stage 1: sort the LMS substrings.
    Buckets buckets(alphabet, spare, spareSize);
    Index* bucket = buckets.Bounds(s, n, true);
    std::fill(sa, sa + n, -1);
    for (Index i = 1; i < n; ++i)
        if (types.IsLms(i))
            sa[--bucket[s[i]]] = i;
    Induce(s, sa, n, buckets);

    // Name them in that order: equal substrings get equal names. At most
    // half the positions start one, so the sorted ones fit in sa[0, n1) and
    // their names, kept by position / 2, in sa[n1, n).
    Index n1 = 0;
    for (Index i = 0; i < n; ++i) {
        if (i + kAhead < n)
            types.Prefetch(sa[i + kAhead]);
        if (types.IsLms(sa[i]))
            sa[n1++] = sa[i];
    }
    std::fill(sa + n1, sa + n, -1);
    Index names = 0;
    Index previous = -1;
    for (Index i = 0; i < n1; ++i) {
        if (i + kAhead < n1) {
            s.Prefetch(sa[i + kAhead]);
            types.Prefetch(sa[i + kAhead]);
            ORVALEN_PREFETCH(sa + n1 + sa[i + kAhead] / 2);
        }
        const Index at = sa[i];
        bool differs = previous < 0;
        for (Index d = 0; !differs; ++d) {
            if (s[at + d] != s[previous + d] || types.IsS(at + d) != types.IsS(previous + d))
                differs = true;
            else if (d > 0 && (types.IsLms(at + d) || types.IsLms(previous + d)))
                break;
        }
        if (differs) {
            ++names;
            previous = at;
        }
        sa[n1 + at / 2] = names - 1;
    }
    for (Index i = n - 1, j = n - 1; i >= n1; --i)
        if (sa[i] >= 0)
            sa[j--] = sa[i];
    // The types are not needed again: the sort one level down goes without
    // them, and the LMS positions are found again from the symbols.
    types.Release();

    // Stage 2: sort the suffixes of the string of names, in sa[0, n1).
    Index* const reduced = sa + n - n1;
    if (names < n1) {
        SortSuffixes(NameSymbols{reduced}, n1, names, sa, sa + n1, static_cast<std::size_t>(n - 2 * n1));
    } else {
        for (Index i = 0; i < n1; ++i)
            sa[reduced[i]] = i;
    }

    // Stage 3: the LMS suffixes in order, at their buckets' ends; then induce.
    // The LMS positions in text order, from the last: i + 1 is one when i is
    // L and i + 1 is S (the last position, the end symbol, always is).
    bool nextIsS = true;
    for (Index i = n - 2, j = n1; i >= 0; --i) {
        const bool isS = s[i] < s[i + 1] || (s[i] == s[i + 1] && nextIsS);
        if (!isS && nextIsS)
            reduced[--j] = i + 1;
        nextIsS = isS;
    }
    for (Index i = 0; i < n1; ++i) {
        if (i + kAhead < n1)
            ORVALEN_PREFETCH(reduced + sa[i + kAhead]);
        sa[i] = reduced[sa[i]];
    }
    std::fill(sa + n1, sa + n, -1);
    bucket = buckets.Bounds(s, n, true);
    for (Index i = n1 - 1; i >= 0; --i) {
        if (i >= kAhead)
            s.Prefetch(sa[i - kAhead]);
        const Index j = sa[i];
        sa[i] = -1;
        sa[--bucket[s[j]]] = j;
    }
    Induce(s, sa, n, buckets);
}

}  // namespace

PaddedPair::PaddedPair(std::string_view entry, std::size_t pad, std::string_view query)
    : m_entry(entry), m_size(entry.size() + 2 * pad + query.size()),
      m_ends{entry.size(), entry.size() + pad, entry.size() + pad + query.size()}
{
    static const char kPadBytes[8] = {'-', '-', '-', '-', '-', '-', '-', '-'};
    const auto address = [](const char* bytes) { return reinterpret_cast<std::uintptr_t>(bytes); };
    // Unsigned arithmetic wraps, so the query code's base may lie below it.
    m_base[0] = address(entry.data());
    m_base[1] = m_base[3] = address(kPadBytes);
    m_base[2] = address(query.data()) - m_ends[1];
    m_mask[0] = m_mask[2] = ~std::size_t{0};
    m_mask[1] = m_mask[3] = 0;
}

bool FitsSuffixArray(std::size_t size)
{
    return size < static_cast<std::size_t>(std::numeric_limits<Index>::max()) - 1;
}

std::vector<std::int32_t> SuffixArray(const PaddedPair& text)
{
    const std::size_t size = text.size();
    if (!FitsSuffixArray(size))
        return {};
    // Sorted with the end symbol, which comes first and is then dropped.
    const Index n = static_cast<Index>(size) + 1;
    std::vector<Index> sa(static_cast<std::size_t>(n));
    if (n == 1)
        return {};
    SortSuffixes(ByteSymbols{text, n - 1}, n, 257, sa.data(), nullptr, 0);
    sa.erase(sa.begin());
    return sa;
}
