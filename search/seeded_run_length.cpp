#include "seeded_run_length.h"

#include <algorithm>
#include <climits>

#include "search/common_run_length.h"
#include "search/search.h"

namespace {

// Query codes up to this long are searched through their windows, which take
// 8 bytes per byte; longer ones through their suffixes, which take 4.
constexpr std::size_t kWindowedQuery = 4096;

std::uint32_t WindowAt(std::string_view bytes, std::size_t at)
{
    std::uint32_t window = 0;
    for (std::size_t k = 0; k < 4; ++k)
        window = window << 8 | static_cast<unsigned char>(bytes[at + k]);
    return window;
}

int Clamped(std::size_t length)
{
    return static_cast<int>(std::min<std::size_t>(length, INT_MAX));
}

}  // namespace

QueryWindows::QueryWindows(std::string_view queryCode) : m_query(queryCode)
{
    if (queryCode.size() > kWindowedQuery)
        return;
    for (std::size_t j = 0; j + 4 <= queryCode.size(); ++j)
        m_windows.push_back(std::uint64_t{WindowAt(queryCode, j)} << 32 | j);
    std::sort(m_windows.begin(), m_windows.end());
}

int QueryWindows::ThroughSuffixes(std::string_view entryCode, bool mayPutOff) const
{
    // An entry code of a length near the query code's is sorted with it,
    // which needs no copy of the query code nor its own sorted suffixes.
    if (SortedTogether(entryCode, m_query))
        return Clamped(LongestThroughSuffixes(entryCode, m_query).length);
    if (!m_suffixes)
        m_suffixes = QuerySuffixes::Of(m_query);
    if (!mayPutOff)
        return Clamped(m_suffixes->Longest(entryCode, kMinimumScore).length);
    SharedRun run;
    return m_suffixes->Quickly(entryCode, kMinimumScore, run) ? Clamped(run.length) : kLater;
}

int QueryWindows::ScoreIfAlike(std::string_view entryCode) const
{
    return Score(entryCode, false);
}

int QueryWindows::ScoreOrLater(std::string_view entryCode) const
{
    return Score(entryCode, true);
}

std::vector<int> QueryWindows::ScoreLater(const std::vector<std::string_view>& entryCodes) const
{
    std::vector<int> scores;
    if (entryCodes.empty())
        return scores;
    if (!m_suffixes)
        m_suffixes = QuerySuffixes::Of(m_query);
    for (const SharedRun& run : m_suffixes->LongestOfMany(entryCodes))
        scores.push_back(Clamped(run.length));
    return scores;
}

// An entry code with a '-' is slid along a short query code, as the measure
// is defined, and otherwise measured through the query code's suffixes.
//
// Without a '-' in the entry code nothing of it matches the padding or the
// query's own dashes, so the measure is the longest run the two codes share:
// a run of 4 or more starts with a window they share. Each run is followed
// from its first byte only, so shared runs are walked once.
//
// Codes that repeat themselves (BBBB..., ABAB...) share a window at nearly
// every pair of offsets, which makes this walk quadratic. Its work is
// therefore counted, and past a budget linear in the entry code's length the
// query code's sorted suffixes answer instead.
int QueryWindows::Score(std::string_view entryCode, bool mayPutOff) const
{
    const std::string_view e = entryCode, q = m_query;
    if (e == q)
        return 0;
    if (e.find('-') != std::string_view::npos || q.size() > kWindowedQuery) {
        if (ShortEnoughToSlide(e.size(), q.size()))
            return CommonRunLength(e, q);
        return ThroughSuffixes(e, mayPutOff);
    }
    const std::size_t budget = 16 * e.size() + 1024;
    std::size_t work = 0;
    std::size_t best = 0;
    for (std::size_t i = 0; i + 4 <= e.size(); ++i) {
        const std::uint64_t first = std::uint64_t{WindowAt(e, i)} << 32;
        for (auto it = std::lower_bound(m_windows.begin(), m_windows.end(), first);
             it != m_windows.end() && (*it >> 32) == (first >> 32); ++it) {
            if (++work > budget)
                return ThroughSuffixes(e, mayPutOff);
            const std::size_t j = static_cast<std::uint32_t>(*it);
            if (i > 0 && j > 0 && e[i - 1] == q[j - 1])
                continue;  // inside a run that started earlier
            std::size_t length = 4;
            while (i + length < e.size() && j + length < q.size() && e[i + length] == q[j + length])
                ++length;
            work += length;
            best = std::max(best, length);
        }
    }
    return Clamped(best);
}
