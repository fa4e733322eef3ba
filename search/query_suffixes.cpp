#include "search/query_suffixes.h"

#include <algorithm>
#include <bit>
#include <string>

#include "search/longest_common_substring.h"
#include "search/suffix_array.h"

namespace {

constexpr char kPad = '-';

void Offer(SharedRun& best, SharedRun run)
{
    if (run.length > best.length || (run.length == best.length && run.length > 0 && run.start < best.start))
        best = run;
}

std::size_t LongestPadRunLength(std::string_view code)
{
    std::size_t best = 0, run = 0;
    for (char byte : code) {
        run = byte == kPad ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

// For every x, how many bytes text[x, ...) shares with the start of
// `pattern`: the Z algorithm, matching against the pattern's own
// self-similarity so that no byte of the text is compared twice over.
std::vector<std::uint32_t> PrefixMatches(std::string_view text, std::string_view pattern)
{
    const std::size_t p = pattern.size();
    std::vector<std::uint32_t> z(p);
    if (p > 0)
        z[0] = static_cast<std::uint32_t>(p);
    for (std::size_t k = 1, left = 0, right = 0; k < p; ++k) {
        std::size_t length = k < right ? std::min<std::size_t>(right - k, z[k - left]) : 0;
        while (k + length < p && pattern[length] == pattern[k + length])
            ++length;
        z[k] = static_cast<std::uint32_t>(length);
        if (k + length > right)
            left = k, right = k + length;
    }
    std::vector<std::uint32_t> shared(text.size());
    // text[left, right) equals pattern[0, right - left).
    for (std::size_t x = 0, left = 0, right = 0; x < text.size(); ++x) {
        std::size_t length = 0;
        if (x < right) {
            length = std::min<std::size_t>(right - x, z[x - left]);
            if (length < right - x) {
                shared[x] = static_cast<std::uint32_t>(length);
                continue;
            }
        }
        while (x + length < text.size() && length < p && text[x + length] == pattern[length])
            ++length;
        shared[x] = static_cast<std::uint32_t>(length);
        if (x + length > right)
            left = x, right = x + length;
    }
    return shared;
}

// Suffixes sort by their first two bytes as by this key; one of a single
// byte comes before those that go on.
std::size_t FirstTwoKey(std::string_view bytes)
{
    const std::size_t first = static_cast<unsigned char>(bytes[0]);
    return first * 257 + (bytes.size() > 1 ? std::size_t{static_cast<unsigned char>(bytes[1])} + 1 : 0);
}

// Which sorted suffixes of `query` agree with what the binary search looks
// for, counting the work it takes.
class SortedSuffixes {
public:
    SortedSuffixes(std::string_view query, const std::vector<std::int32_t>& suffixes,
                   const std::vector<std::int32_t>& firstTwo, std::size_t& work)
        : m_query(query), m_suffixes(suffixes), m_firstTwo(firstTwo), m_work(work)
    {
    }

    // The suffixes that start with `pattern` (two bytes or more), as
    // [first, last).
    std::pair<std::size_t, std::size_t> Starting(std::string_view pattern) const
    {
        const std::size_t key = FirstTwoKey(pattern);
        const std::size_t low = static_cast<std::size_t>(m_firstTwo[key]);
        const std::size_t high = static_cast<std::size_t>(m_firstTwo[key + 1]);
        return {Bound(pattern, false, low, high), Bound(pattern, true, low, high)};
    }

    // Of the suffixes in [first, last), which all share `offset` bytes, those
    // whose next byte is `next`.
    std::pair<std::size_t, std::size_t> Narrowed(std::size_t first, std::size_t last, std::size_t offset,
                                                 unsigned char next) const
    {
        // Suffixes that end here sort before any that go on.
        auto key = [&](std::int32_t at) {
            const std::size_t i = static_cast<std::size_t>(at) + offset;
            return i < m_query.size() ? int{static_cast<unsigned char>(m_query[i])} : -1;
        };
        const auto begin = m_suffixes.begin() + static_cast<std::ptrdiff_t>(first);
        const auto end = m_suffixes.begin() + static_cast<std::ptrdiff_t>(last);
        const auto from = std::partition_point(begin, end, [&](std::int32_t at) { return key(at) < next; });
        const auto to = std::partition_point(from, end, [&](std::int32_t at) { return key(at) == next; });
        m_work += 2 * static_cast<std::size_t>(std::bit_width(last - first));
        return {static_cast<std::size_t>(from - m_suffixes.begin()), static_cast<std::size_t>(to - m_suffixes.begin())};
    }

private:
    // The first sorted suffix whose first |pattern| bytes are not less than
    // the pattern (`after`: greater than it). What the pattern shares with
    // the suffixes on either side of the range left bounds what it shares
    // with any suffix between them, so comparing starts there.
    // All suffixes in [low, high) start with the pattern's first two bytes.
    std::size_t Bound(std::string_view pattern, bool after, std::size_t low, std::size_t high) const
    {
        std::size_t sharedLow = 2, sharedHigh = 2;
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            const std::size_t at = static_cast<std::size_t>(m_suffixes[middle]);
            std::size_t k = std::min(sharedLow, sharedHigh);
            const std::size_t from = k;
            while (k < pattern.size() && at + k < m_query.size() && m_query[at + k] == pattern[k])
                ++k;
            m_work += 1 + k - from;
            bool below;  // the suffix comes before what is looked for
            if (k == pattern.size())
                below = after;
            else if (at + k == m_query.size())
                below = true;
            else
                below = static_cast<unsigned char>(m_query[at + k]) < static_cast<unsigned char>(pattern[k]);
            if (below) {
                low = middle + 1;
                sharedLow = k;
            } else {
                high = middle;
                sharedHigh = k;
            }
        }
        return low;
    }

    std::string_view m_query;
    const std::vector<std::int32_t>& m_suffixes;
    const std::vector<std::int32_t>& m_firstTwo;
    std::size_t& m_work;
};

}  // namespace

bool SortedTogether(std::string_view entryCode, std::string_view queryCode)
{
    return entryCode.size() * 8 >= queryCode.size() || !FitsSuffixArray(queryCode.size());
}

SharedRun LongestThroughSuffixes(std::string_view entryCode, std::string_view queryCode)
{
    if (entryCode == queryCode || entryCode.empty())
        return {};
    if (SortedTogether(entryCode, queryCode))
        return LongestCommonSubstring(PaddedPair{entryCode, LongestPadRunLength(entryCode), queryCode});
    return QuerySuffixes::Of(queryCode)->Longest(entryCode);
}

SharedRun LongestRunIntoPadding(std::string_view entryCode, std::string_view queryCode)
{
    const std::string_view e = entryCode, q = queryCode;
    const std::size_t m = e.size(), n = q.size();
    if (e.find(kPad) == std::string_view::npos)
        return {};
    // Only the query code's first and last m bytes can take part.
    const std::size_t p = std::min(m, n);
    const std::vector<std::uint32_t> intoStart = PrefixMatches(e, q.substr(0, p));
    const std::string reversedEntry(e.rbegin(), e.rend());
    const std::string reversedEnd(q.rbegin(), q.rbegin() + static_cast<std::ptrdiff_t>(p));
    const std::vector<std::uint32_t> fromEnd = PrefixMatches(reversedEntry, reversedEnd);

    // Pad bytes of the entry code that end at each place, and start there.
    std::vector<std::uint32_t> padsBefore(m + 1, 0), padsFrom(m + 1, 0);
    for (std::size_t k = 0; k < m; ++k)
        padsBefore[k + 1] = e[k] == kPad ? padsBefore[k] + 1 : 0;
    for (std::size_t k = m; k-- > 0;)
        padsFrom[k] = e[k] == kPad ? padsFrom[k + 1] + 1 : 0;

    SharedRun best;
    for (std::size_t k = 0; k <= m; ++k) {
        // Pad bytes up to k over the left padding, the query code from k on.
        if (k > 0 && e[k - 1] == kPad) {
            const std::size_t shared = k < m ? intoStart[k] : 0;
            std::size_t length = padsBefore[k] + shared;
            if (shared == n)  // the whole query code, and the right padding after it
                length += padsFrom[k + n];
            Offer(best, {k - padsBefore[k], length});
        }
        // The query code's end up to k, pad bytes from k on.
        if (k < m && e[k] == kPad) {
            const std::size_t shared = k > 0 ? fromEnd[m - k] : 0;
            Offer(best, {k - shared, shared + padsFrom[k]});
        }
    }
    return best;
}

SharedRun QuerySuffixes::Longest(std::string_view entryCode, std::size_t atLeast)
{
    // An entry code of a size near the query code's: sorting the suffixes of
    // both costs little more than sorting the query code's, and is linear in
    // any case. Otherwise a patient search of the query code's suffixes: what
    // the search falls back on costs the query code's length.
    SharedRun best;
    if (Measured(entryCode, atLeast, 8, best))
        return best;
    return LongestCommonSubstring(PaddedPair{entryCode, LongestPadRunLength(entryCode), m_query});
}

bool QuerySuffixes::Quickly(std::string_view entryCode, std::size_t atLeast, SharedRun& run)
{
    // A brief one: what is not measured here is measured in a batch with
    // others, which costs little more per byte than the search does.
    return Measured(entryCode, atLeast, 1, run);
}

bool QuerySuffixes::Measured(std::string_view entryCode, std::size_t atLeast, std::size_t patience, SharedRun& run)
{
    const std::string_view e = entryCode, q = m_query;
    run = {};
    if (e == q || e.empty())
        return true;
    if (!m_measured.empty()) {
        if (const auto found = m_measured.find(std::string(e)); found != m_measured.end()) {
            run = found->second;
            return true;
        }
    }
    if (SortedTogether(e, q) || !WithinQuery(e, atLeast, patience, run))
        return false;
    Offer(run, LongestRunIntoPadding(e, q));
    return true;
}

std::vector<SharedRun> QuerySuffixes::LongestOfMany(const std::vector<std::string_view>& entryCodes)
{
    m_sorted = false;
    std::vector<std::int32_t>().swap(m_suffixes);
    std::vector<std::int32_t>().swap(m_firstTwo);

    std::vector<SharedRun> runs(entryCodes.size());
    // A batch of entry codes twice the query code's length, or a megabyte:
    // sorting the query code again with each batch then adds at most half
    // the work, and the batch takes memory of a few times the query code.
    const std::size_t batchBytes = std::max<std::size_t>(2 * m_query.size(), std::size_t{1} << 20);
    std::size_t total = 0;
    for (std::string_view e : entryCodes)
        total += e.size();
    std::string batch;
    batch.reserve(std::min(total, batchBytes));
    std::vector<std::size_t> ends;
    std::size_t pad = 0, first = 0;
    auto measure = [&](std::size_t last) {
        const std::vector<SharedRun> found = LongestCommonSubstrings(batch, ends, pad, m_query);
        for (std::size_t k = first; k < last; ++k) {
            runs[k] = found[k - first];
            if (entryCodes[k] != m_query)
                m_measured.emplace(entryCodes[k], runs[k]);
        }
        batch.clear();
        ends.clear();
        pad = 0;
        first = last;
    };
    for (std::size_t k = 0; k < entryCodes.size(); ++k) {
        // The query code's own code is never alike: an empty one in its place.
        const std::string_view e = entryCodes[k] == m_query ? std::string_view{} : entryCodes[k];
        const std::size_t grown = batch.size() + e.size();
        if (!batch.empty() && (grown > batchBytes || !FitsSuffixArray(grown + 2 * (pad + e.size()) + m_query.size())))
            measure(k);
        batch += e;
        ends.push_back(batch.size());
        pad = std::max(pad, LongestPadRunLength(e));
    }
    if (!ends.empty())
        measure(entryCodes.size());
    return runs;
}

// The longest run of the entry code that stands in the query code itself. Of
// the runs from each place in the entry code only one longer than the best so
// far is looked for, so a place costs a binary search for that many bytes,
// and a longer run a step more per byte. Codes that repeat themselves can
// make the searches compare many bytes each; past a budget false is returned,
// and the two codes' suffixes are sorted together instead.
bool QuerySuffixes::WithinQuery(std::string_view entry, std::size_t atLeast, std::size_t patience, SharedRun& best)
{
    if (!m_sorted) {
        m_suffixes = SuffixArray(PaddedPair{{}, 0, m_query});
        m_firstTwo.assign(256 * 257 + 1, 0);
        for (std::int32_t at : m_suffixes)
            ++m_firstTwo[FirstTwoKey(std::string_view(m_query).substr(static_cast<std::size_t>(at))) + 1];
        for (std::size_t key = 1; key < m_firstTwo.size(); ++key)
            m_firstTwo[key] += m_firstTwo[key - 1];
        m_sorted = true;
    }
    const std::size_t m = entry.size();
    // A binary search costs about two steps per bit of the query code's
    // length, each comparing a byte or two; what the entry code's own length
    // allows for that, `patience` times over, is the budget. It must not grow
    // with the query code: an entry code short beside it may not cost as much.
    const std::size_t budget = m * patience * (static_cast<std::size_t>(std::bit_width(m_query.size())) + 8) + 4096;
    std::size_t work = 0;
    const SortedSuffixes sorted(m_query, m_suffixes, m_firstTwo, work);
    std::size_t wanted = std::max<std::size_t>(atLeast, 2);
    for (std::size_t i = 0; i + wanted <= m; ++i) {
        auto [first, last] = sorted.Starting(entry.substr(i, wanted));
        if (work > budget)
            return false;
        if (first == last)
            continue;
        std::size_t length = wanted;
        while (i + length < m) {
            const auto [from, to] = sorted.Narrowed(first, last, length, static_cast<unsigned char>(entry[i + length]));
            if (from == to)
                break;
            first = from, last = to;
            ++length;
        }
        best = {i, length};
        wanted = length + 1;
    }
    // Runs of one byte: the first byte of the entry code that the query
    // code holds at all.
    if (best.length == 0 && atLeast <= 1) {
        for (std::size_t i = 0; i < m; ++i) {
            const std::size_t key = FirstTwoKey(entry.substr(i, 1));
            if (m_firstTwo[key] < m_firstTwo[key + 257]) {
                best = {i, 1};
                break;
            }
        }
    }
    return work <= budget;
}

std::shared_ptr<QuerySuffixes> QuerySuffixes::Of(std::string_view queryCode)
{
    thread_local std::shared_ptr<QuerySuffixes> kept;
    if (!kept || kept->Query() != queryCode) {
        kept.reset();
        kept = std::make_shared<QuerySuffixes>(queryCode);
    }
    return kept;
}
