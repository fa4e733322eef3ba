#include "longest_common_substring.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using Index = std::int64_t;

// Sorts the cyclic shifts of `s` by prefix doubling with counting sorts.
// With a unique smallest symbol at the end, that is the suffix array.
std::vector<Index> SortCyclicShifts(const std::vector<int>& s, int alphabet)
{
    const Index n = static_cast<Index>(s.size());
    std::vector<Index> p(n), c(n), count(std::max<Index>(alphabet, n), 0);
    for (Index i = 0; i < n; ++i)
        ++count[s[i]];
    for (Index i = 1; i < alphabet; ++i)
        count[i] += count[i - 1];
    for (Index i = 0; i < n; ++i)
        p[--count[s[i]]] = i;
    c[p[0]] = 0;
    Index classes = 1;
    for (Index i = 1; i < n; ++i) {
        if (s[p[i]] != s[p[i - 1]])
            ++classes;
        c[p[i]] = classes - 1;
    }
    std::vector<Index> pn(n), cn(n);
    for (Index h = 1; h < n && classes < n; h <<= 1) {
        for (Index i = 0; i < n; ++i)
            pn[i] = p[i] >= h ? p[i] - h : p[i] - h + n;
        std::fill(count.begin(), count.begin() + classes, 0);
        for (Index i = 0; i < n; ++i)
            ++count[c[pn[i]]];
        for (Index i = 1; i < classes; ++i)
            count[i] += count[i - 1];
        for (Index i = n - 1; i >= 0; --i)
            p[--count[c[pn[i]]]] = pn[i];
        cn[p[0]] = 0;
        classes = 1;
        for (Index i = 1; i < n; ++i) {
            const Index a = p[i], b = p[i - 1];
            if (c[a] != c[b] || c[(a + h) % n] != c[(b + h) % n])
                ++classes;
            cn[p[i]] = classes - 1;
        }
        c.swap(cn);
    }
    return p;
}

}  // namespace

SharedRun LongestCommonSubstring(std::string_view a, std::string_view b)
{
    // Symbols: the end 0, bytes 1..256, and 257 between the two strings, so
    // that no common prefix runs from one string into the other.
    std::vector<int> s;
    s.reserve(a.size() + b.size() + 2);
    for (char byte : a)
        s.push_back(static_cast<unsigned char>(byte) + 1);
    s.push_back(257);
    for (char byte : b)
        s.push_back(static_cast<unsigned char>(byte) + 1);
    s.push_back(0);

    const std::vector<Index> suffixes = SortCyclicShifts(s, 258);
    const Index n = static_cast<Index>(s.size());
    const Index inA = static_cast<Index>(a.size());
    std::vector<Index> rank(n);
    for (Index i = 0; i < n; ++i)
        rank[suffixes[i]] = i;

    // Longest common prefixes of neighbours in suffix order (Kasai et al.);
    // the longest between a suffix of `a` and one of `b` is the answer.
    SharedRun best;
    Index common = 0;
    for (Index i = 0; i < n; ++i) {
        if (rank[i] + 1 == n) {
            common = 0;
            continue;
        }
        const Index j = suffixes[rank[i] + 1];
        while (i + common < n && j + common < n && s[i + common] == s[j + common])
            ++common;
        const bool acrossStrings = (i < inA) != (j < inA) && i != inA && j != inA;
        if (acrossStrings && static_cast<std::size_t>(common) > best.length)
            best = {static_cast<std::size_t>(i < inA ? i : j), static_cast<std::size_t>(common)};
        if (common > 0)
            --common;
    }
    return best;
}
