// Sorting all suffixes of a byte string, in time linear in its length and in
// four bytes per byte of memory: what lets long codes be compared quickly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// An entry code, then a query code with `pad` '-' bytes on either side, read
// as one string without being copied into one: a copy would cost as much
// memory again as the codes themselves. Either code may be empty.
struct PaddedPair {
    std::string_view entry;
    std::size_t pad = 0;
    std::string_view query;

    std::size_t size() const { return entry.size() + 2 * pad + query.size(); }
    unsigned char operator[](std::size_t i) const
    {
        if (i < entry.size())
            return static_cast<unsigned char>(entry[i]);
        i -= entry.size();
        if (i < pad || i - pad >= query.size())
            return '-';
        return static_cast<unsigned char>(query[i - pad]);
    }
};

// The starts of the suffixes of `text` in lexicographic order (a suffix that
// is a prefix of another comes first). Empty when the text is too long for
// 32-bit positions: callers then measure another way.
std::vector<std::int32_t> SuffixArray(const PaddedPair& text);

// Whether SuffixArray can sort a text of `size` bytes.
bool FitsSuffixArray(std::size_t size);
