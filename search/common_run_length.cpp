#include "common_run_length.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <memory>
#include <string>

#include "search/query_suffixes.h"

namespace {

constexpr char kPad = '-';

// Laying E (length m) at offset s against the padded Q (length n) puts E[k]
// over Q[k + s] where 0 <= k + s < n, and over a pad byte elsewhere. Only the
// overlap needs comparing byte against byte; on either side of it a run goes
// on exactly as far as E has consecutive '-' bytes. Runs wholly inside the
// padding are E's own runs of '-', the longest of which is met at the first
// offset, where E lies over the left padding alone.
//
// This visits the same offsets as sliding E over a built padded string, but
// does n * m comparisons instead of (n + m) * m and needs no buffer.

// The longest run of pad bytes in `e`.
SharedRun LongestPadRun(std::string_view e)
{
    SharedRun best;
    std::size_t run = 0;
    for (std::size_t k = 0; k < e.size(); ++k) {
        run = e[k] == kPad ? run + 1 : 0;
        if (run > best.length)
            best = {k + 1 - run, run};
    }
    return best;
}

// Consecutive pad bytes of `e` starting at `from`, counted as the offsets are
// walked: `from` only moves down, so each answer comes from the one before.
class PadRunAfter {
public:
    explicit PadRunAfter(std::string_view e) : m_e(e) {}
    std::size_t At(std::size_t from)
    {
        while (m_from > from) {
            --m_from;
            m_run = m_e[m_from] == kPad ? m_run + 1 : 0;
        }
        return m_run;
    }

private:
    std::string_view m_e;
    std::size_t m_from = m_e.size();
    std::size_t m_run = 0;
};

// Consecutive pad bytes of `e` that end just before `to`. `to` only moves
// down too; a run is counted once, when first met, then shortened step by step.
class PadRunBefore {
public:
    explicit PadRunBefore(std::string_view e) : m_e(e) {}
    std::size_t At(std::size_t to)
    {
        if (to + 1 == m_to && m_run > 0) {
            m_to = to;
            return --m_run;
        }
        m_to = to;
        m_run = 0;
        while (m_run < to && m_e[to - 1 - m_run] == kPad)
            ++m_run;
        return m_run;
    }

private:
    std::string_view m_e;
    std::size_t m_to = m_e.size() + 2;
    std::size_t m_run = 0;
};

// Walks every offset once. With `kWhere`, also keeps where the best run
// starts; without it the inner loop has no branch to mispredict, which is
// what the search spends nearly all its time on.
template <bool kWhere>
SharedRun Longest(std::string_view e, std::string_view q)
{
    const std::ptrdiff_t m = static_cast<std::ptrdiff_t>(e.size());
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(q.size());

    SharedRun best = LongestPadRun(e);
    // A run ending just before E[end] beats the best so far.
    auto offer = [&best](std::size_t run, std::ptrdiff_t end) {
        if (run > best.length)
            best = {static_cast<std::size_t>(end) - run, run};
    };
    PadRunBefore padBefore(e);
    PadRunAfter padAfter(e);
    // Offsets from E's last byte over Q's first to E's first byte over Q's
    // last: both bounds of the overlap only move down.
    for (std::ptrdiff_t s = 1 - m; s < n; ++s) {
        const std::ptrdiff_t first = std::max<std::ptrdiff_t>(0, -s);
        const std::ptrdiff_t last = std::min(m, n - s);  // one past the overlap
        std::size_t run = padBefore.At(static_cast<std::size_t>(first));
        if constexpr (kWhere) {
            for (std::ptrdiff_t k = first; k < last; ++k) {
                if (e[k] == q[k + s]) {
                    ++run;
                } else {
                    offer(run, k);
                    run = 0;
                }
            }
        } else {
            std::size_t top = run;
            for (std::ptrdiff_t k = first; k < last; ++k) {
                run = e[k] == q[k + s] ? run + 1 : 0;
                top = std::max(top, run);
            }
            best.length = std::max(best.length, top);
        }
        const std::size_t after = padAfter.At(static_cast<std::size_t>(last));
        offer(run + after, last + static_cast<std::ptrdiff_t>(after));
    }
    return best;
}

// Identical codes never count as alike; otherwise the way that suits the
// codes' lengths.
template <bool kWhere>
SharedRun Measure(std::string_view e, std::string_view q)
{
    if (e == q || e.empty())
        return {};
    if (ShortEnoughToSlide(e.size(), q.size()))
        return Longest<kWhere>(e, q);
    return LongestThroughSuffixes(e, q);
}

}  // namespace

SharedRun LongestSharedRun(std::string_view entryCode, std::string_view queryCode)
{
    return Measure<true>(entryCode, queryCode);
}

int CommonRunLength(std::string_view entryCode, std::string_view queryCode)
{
    return static_cast<int>(std::min<std::size_t>(Measure<false>(entryCode, queryCode).length, INT_MAX));
}

bool ShortEnoughToSlide(std::size_t entrySize, std::size_t querySize)
{
    constexpr std::size_t kSlideProduct = std::size_t{1} << 16;
    return querySize == 0 || entrySize <= kSlideProduct / querySize;
}
