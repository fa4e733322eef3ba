// Sorting all suffixes of a byte string, in time linear in its length and in
// four bytes per byte of memory: what lets long codes be compared quickly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

// Asks for the memory at `address` to be brought into the cache ahead of its
// use: the sorts read the text at places one cannot predict, a read from
// main memory each, and asking for several at once overlaps their waits. A
// hint only, which never faults.
#if defined(__GNUC__) || defined(__clang__)
#define ORVALEN_PREFETCH(address) __builtin_prefetch(address)
#else
#define ORVALEN_PREFETCH(address) ((void)(address))
#endif

// An entry code, then a query code with `pad` '-' bytes on either side, read
// as one string without being copied into one: a copy would cost as much
// memory again as the codes themselves. Either code may be empty.
//
// A byte is found without a branch on which of the four parts it lies in:
// the sorts read the text in an order no branch predictor can follow, and a
// mispredicted branch costs about as much as the read itself.
class PaddedPair {
public:
    PaddedPair(std::string_view entry, std::size_t pad, std::string_view query);

    std::string_view Entry() const { return m_entry; }
    std::size_t size() const { return m_size; }
    // Where byte i stands (i < size()): in one of the codes, or the one
    // '-' that every pad byte is read from.
    // Any i: one past the end is read as the right padding.
    const unsigned char* Address(std::size_t i) const
    {
        const std::size_t part = Part(i);
        return reinterpret_cast<const unsigned char*>(m_base[part] + (i & m_mask[part]));
    }
    unsigned char operator[](std::size_t i) const { return *Address(i); }
    // The 8 bytes from i on (i + 8 <= size()) as they lie in memory, for
    // comparing 8 at once.
    std::uint64_t Load8(std::size_t i) const
    {
        unsigned char bytes[8];
        if (Part(i) == Part(i + 7)) {
            std::memcpy(bytes, Address(i), 8);
        } else {
            for (std::size_t k = 0; k < 8; ++k)
                bytes[k] = (*this)[i + k];
        }
        std::uint64_t word;
        std::memcpy(&word, bytes, 8);
        return word;
    }

private:
    std::size_t Part(std::size_t i) const
    {
        return std::size_t{i >= m_ends[0]} + std::size_t{i >= m_ends[1]} + std::size_t{i >= m_ends[2]};
    }

    std::string_view m_entry;
    std::size_t m_size;
    // Where the entry code, the left padding and the query code end.
    std::size_t m_ends[3];
    // Part k's byte i is at m_base[k] + (i & m_mask[k]): the code's address
    // less its start in the text, or the address of eight '-' with a mask of 0.
    std::uintptr_t m_base[4];
    std::size_t m_mask[4];
};

// The starts of the suffixes of `text` in lexicographic order (a suffix that
// is a prefix of another comes first). Empty when the text is too long for
// 32-bit positions: callers then measure another way.
std::vector<std::int32_t> SuffixArray(const PaddedPair& text);

// Whether SuffixArray can sort a text of `size` bytes.
bool FitsSuffixArray(std::size_t size);
