#include "seeded_run_length.h"

#include <algorithm>

#include "search/common_run_length.h"
#include "search/longest_common_substring.h"

namespace {

std::uint32_t WindowAt(std::string_view bytes, std::size_t at)
{
    std::uint32_t window = 0;
    for (std::size_t k = 0; k < 4; ++k)
        window = window << 8 | static_cast<unsigned char>(bytes[at + k]);
    return window;
}

int Clamped(std::size_t length)
{
    return static_cast<int>(std::min<std::size_t>(length, INT32_MAX));
}

}  // namespace

QueryWindows::QueryWindows(std::string_view queryCode) : m_query(queryCode)
{
    for (std::size_t j = 0; j + 4 <= queryCode.size(); ++j)
        m_windows.push_back(std::uint64_t{WindowAt(queryCode, j)} << 32 | j);
    std::sort(m_windows.begin(), m_windows.end());
}

// Without a '-' in the entry code nothing of it matches the padding or the
// query's own dashes, so the measure is the longest run the two codes share:
// a run of 4 or more starts with a window they share. Each run is followed
// from its first byte only, so shared runs are walked once.
//
// Codes that repeat themselves (BBBB..., ABAB...) share a window at nearly
// every pair of offsets, which makes this walk quadratic. Its work is
// therefore counted, and past a budget linear in the lengths the longest
// common substring answers instead, through a suffix array: without a '-' in
// the entry that is the measure, and it costs a little per byte.
int QueryWindows::ScoreIfAlike(std::string_view entryCode) const
{
    if (entryCode.find('-') != std::string_view::npos)
        return CommonRunLength(entryCode, m_query);
    if (entryCode == m_query)
        return 0;
    const std::string_view e = entryCode, q = m_query;
    const std::size_t budget = 16 * (e.size() + q.size()) + 1024;
    std::size_t work = 0;
    std::size_t best = 0;
    for (std::size_t i = 0; i + 4 <= e.size(); ++i) {
        const std::uint64_t first = std::uint64_t{WindowAt(e, i)} << 32;
        for (auto it = std::lower_bound(m_windows.begin(), m_windows.end(), first);
             it != m_windows.end() && (*it >> 32) == (first >> 32); ++it) {
            if (++work > budget)
                return Clamped(LongestCommonSubstring(e, q).length);
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
