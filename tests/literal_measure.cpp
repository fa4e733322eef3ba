#include "literal_measure.h"

#include <algorithm>

int LiteralCommonRunLength(std::string_view entryCode, std::string_view queryCode)
{
    if (entryCode == queryCode)
        return 0;
    const std::size_t m = entryCode.size();
    // Built in a buffer kept between calls: the reference is called for
    // millions of pairs, and allocating each time would be most of its cost.
    thread_local std::string padded;
    padded.assign(m, '-');
    padded.append(queryCode);
    padded.append(m, '-');
    int best = 0;
    for (std::size_t i = 0; i < padded.size() - m; ++i) {
        int run = 0;
        for (std::size_t k = 0; k < m; ++k) {
            if (entryCode[k] == padded[i + k]) {
                ++run;
            } else {
                if (run > 0)
                    best = std::max(best, run);
                run = 0;
            }
        }
        best = std::max(best, run);
    }
    return best;
}
