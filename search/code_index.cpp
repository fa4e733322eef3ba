#include "code_index.h"

#include <algorithm>
#include <bit>
#include <mutex>
#include <string>

namespace {

std::uint32_t Window(const char* bytes)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[3]));
}

constexpr std::string_view kPadding = "---";

// Whether the window ending at byte k of a code is the one ending four bytes
// before it, `earlier` holding the last four windows by k modulo 4. Codes
// often repeat a part of four bytes (a third of the bundled dictionary's
// windows are such repeats), and dropping those at once spares their sorting.
inline bool Repeats(std::uint32_t window, std::uint32_t (&earlier)[4], std::size_t k)
{
    const bool repeats = k >= 7 && earlier[k % 4] == window;
    earlier[k % 4] = window;
    return repeats;
}

// How many values the first two bytes of a window take.
constexpr std::uint32_t kHighs = 1 << 16;

// The windows met lately in long codes, by a hash of each. A long code that
// repeats few windows (random over a few letters, or periodic) then passes
// each on about once rather than once per place, so that counting and
// sorting its windows costs little. A window forgotten is passed on again
// and dropped as a duplicate later: nothing is lost. Short codes, which
// seldom repeat a window, do without it.
class RecentLongCodeWindows {
public:
    static constexpr std::size_t kLongCode = 4096;

    // Whether `window` of the entry at `entry` was met lately; notes it.
    bool Seen(std::uint32_t window, std::size_t entry)
    {
        if (m_slots.empty())
            m_slots.assign(std::size_t{1} << kBits, UINT64_MAX);
        const std::uint64_t key = std::uint64_t{window} << 32 | static_cast<std::uint32_t>(entry);
        std::uint64_t& slot = m_slots[(window * 0x9E3779B1u) >> (32 - kBits)];
        const bool seen = slot == key;
        slot = key;
        return seen;
    }

private:
    static constexpr int kBits = 16;
    std::vector<std::uint64_t> m_slots;
};

// Calls visit(window, entry index, fresh) for every window of every code of
// the table; `fresh` is false for a window the one four bytes before repeats
// and for most of those a long code met lately, which need not be gathered.
template <class Visit>
void ForEachWindow(const CharTable& table, Visit visit)
{
    RecentLongCodeWindows recent;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string_view code = table[i].code;
        if (code.size() < 4)
            continue;
        const bool isLong = code.size() > RecentLongCodeWindows::kLongCode;
        std::uint32_t window = Window(code.data()) >> 8, earlier[4] = {};
        for (std::size_t k = 3; k < code.size(); ++k) {
            window = window << 8 | static_cast<unsigned char>(code[k]);
            visit(window, i, !Repeats(window, earlier, k) && !(isLong && recent.Seen(window, i)));
        }
    }
}

}  // namespace

CodeIndex::CodeIndex(const CharTable& table) : m_revision(table.Revision()), m_tableSize(table.size())
{
    // The windows are counted by their first two bytes, then gathered a
    // range of those at a time, in passes over the codes: each pass sorts
    // at most about an eighth of all the windows, eight bytes each, so
    // that building takes little more than the index itself. A long code's
    // windows that repeat are dropped whenever the pass's buffer fills, so
    // that they take no more room than the distinct ones.
    std::size_t windows = 0, lineBytes = 0;
    for (const CharEntry& entry : table) {
        lineBytes += entry.key.size() + entry.code.size() + 3;
        windows += entry.code.size() >= 4 ? entry.code.size() - 3 : 0;
    }
    // Dictionaries of short codes take one to four bytes of index per byte
    // of their lines; a long code takes a few bytes per distinct window of
    // it. Past this, every entry is a candidate instead, which costs no
    // memory and, per search, one pass over the table.
    constexpr std::size_t kSmallIndexBytes = std::size_t{8} << 20;
    const std::size_t budget = std::min<std::size_t>(kSmallIndexBytes + 3 * lineBytes, UINT32_MAX);
    std::size_t chunk = std::max<std::size_t>(std::size_t{1} << 19, windows / 8);
    std::vector<std::uint64_t> pairs;
    auto add = [&](std::uint32_t firstHigh, std::uint32_t endHigh) {
        if (AddWindows(table, firstHigh, endHigh, pairs, budget))
            return true;
        m_everyEntry = true;
        m_pieces = {};
        return false;
    };
    if (windows <= chunk) {
        pairs.reserve(windows + 1);
        add(0, kHighs);
        return;
    }
    std::vector<std::uint32_t> counts(kHighs, 0);
    std::size_t counted = 0;
    ForEachWindow(table, [&](std::uint32_t window, std::size_t, bool fresh) {
        if (fresh) {
            std::uint32_t& count = counts[window >> 16];
            count += count != UINT32_MAX;
            ++counted;
        }
    });
    // The passes' buffer is sized by the windows that will be gathered, not
    // by every place of every code.
    chunk = std::max<std::size_t>(std::size_t{1} << 19, counted / 8);
    pairs.reserve(std::min(chunk, counted) + 1);
    std::uint32_t first = 0;
    std::size_t inRange = 0;
    for (std::uint32_t high = 0; high <= kHighs; ++high) {
        if (inRange > 0 && (high == kHighs || inRange + counts[high] > chunk)) {
            if (!add(first, high))
                return;
            first = high;
            inRange = 0;
        }
        if (high < kHighs)
            inRange += counts[high];
    }
    m_pieces.shrink_to_fit();
}

bool CodeIndex::AddWindows(const CharTable& table, std::uint32_t firstHigh, std::uint32_t endHigh,
                           std::vector<std::uint64_t>& pairs, std::size_t budget)
{
    // (window << 32 | entry index): sorted, the entries of one window lie
    // together, in table order. The first `used` are gathered; each window is
    // written, and counted only if it belongs, which is quicker than
    // branching on it when the range holds a few windows in many.
    pairs.resize(std::max<std::size_t>(pairs.capacity(), 2));
    std::size_t used = 0;
    auto compact = [&] {
        std::sort(pairs.begin(), pairs.begin() + used);
        used = static_cast<std::size_t>(std::unique(pairs.begin(), pairs.begin() + used) - pairs.begin());
    };
    const std::uint32_t span = endHigh - firstHigh;
    ForEachWindow(table, [&](std::uint32_t window, std::size_t i, bool fresh) {
        pairs[used] = std::uint64_t{window} << 32 | i;
        used += ((window >> 16) - firstHigh < span) & fresh;
        // A range holds no more windows than the buffer has places less
        // one: it fills only with a long code's repeated windows.
        if (used == pairs.size()) {
            compact();
            if (used > pairs.size() / 2)
                pairs.resize(2 * pairs.size());
        }
    });
    compact();
    pairs.resize(used);
    // The piece's sizes first, so that its vectors are allocated once.
    std::size_t highCount = 0, windowCount = 0, listBytes = 0;
    for (std::size_t a = 0; a < pairs.size(); ++a) {
        const bool newWindow = a == 0 || (pairs[a] >> 32) != (pairs[a - 1] >> 32);
        highCount += a == 0 || (pairs[a] >> 48) != (pairs[a - 1] >> 48);
        windowCount += newWindow;
        std::uint32_t step =
            static_cast<std::uint32_t>(pairs[a]) - (newWindow ? 0 : static_cast<std::uint32_t>(pairs[a - 1]));
        for (listBytes += 1; step >= 0x80; step >>= 7)
            ++listBytes;
    }
    Piece& piece = m_pieces.emplace_back();
    piece.endHigh = endHigh;
    piece.highs.reserve(highCount);
    piece.highStarts.reserve(highCount + 1);
    piece.lows.reserve(windowCount);
    piece.listStarts.reserve(windowCount + 1);
    piece.lists.reserve(listBytes);
    for (std::size_t a = 0; a < pairs.size();) {
        const std::uint32_t window = static_cast<std::uint32_t>(pairs[a] >> 32);
        if (piece.highs.empty() || piece.highs.back() != window >> 16) {
            piece.highs.push_back(static_cast<std::uint16_t>(window >> 16));
            piece.highStarts.push_back(static_cast<std::uint32_t>(piece.lows.size()));
        }
        piece.lows.push_back(static_cast<std::uint16_t>(window));
        piece.listStarts.push_back(static_cast<std::uint32_t>(piece.lists.size()));
        std::uint32_t previous = 0;
        for (; a < pairs.size() && static_cast<std::uint32_t>(pairs[a] >> 32) == window; ++a) {
            const std::uint32_t entry = static_cast<std::uint32_t>(pairs[a]);
            for (std::uint32_t step = entry - previous;; step >>= 7) {
                if (step < 0x80) {
                    piece.lists.push_back(static_cast<std::uint8_t>(step));
                    break;
                }
                piece.lists.push_back(static_cast<std::uint8_t>(step | 0x80));
            }
            previous = entry;
        }
    }
    piece.highStarts.push_back(static_cast<std::uint32_t>(piece.lows.size()));
    piece.listStarts.push_back(static_cast<std::uint32_t>(piece.lists.size()));
    pairs.clear();
    return Bytes() <= budget;
}

std::size_t CodeIndex::Bytes() const
{
    std::size_t bytes = m_pieces.capacity() * sizeof(Piece);
    for (const Piece& piece : m_pieces)
        bytes += piece.highs.capacity() * sizeof(std::uint16_t) +
                 piece.highStarts.capacity() * sizeof(std::uint32_t) + piece.lows.capacity() * sizeof(std::uint16_t) + piece.listStarts.capacity() * sizeof(std::uint32_t) +
                 piece.lists.capacity();
    return bytes;
}

void CodeIndex::Candidates(std::string_view queryCode, std::vector<std::uint32_t>& candidates) const
{
    candidates.clear();
    // A query code's windows take 4 bytes per byte here. For one of many
    // thousands of bytes, only found in hostile dictionaries, every entry is
    // a candidate instead: its measure takes time near linear in the entry
    // code's length anyway, and this costs no memory.
    constexpr std::size_t kLongQuery = std::size_t{1} << 16;
    if (m_everyEntry || queryCode.size() > kLongQuery) {
        candidates.resize(m_tableSize);
        for (std::size_t i = 0; i < m_tableSize; ++i)
            candidates[i] = static_cast<std::uint32_t>(i);
        return;
    }
    // The windows of the query code padded by three '-' bytes each side hold
    // every window that crosses into the padding; four '-' in a row is the
    // window lying wholly in it, which an entry's own dashes can match.
    thread_local std::string padded;
    padded.assign(kPadding);
    padded.append(queryCode);
    padded.append(kPadding);
    thread_local std::vector<std::uint32_t> windows;
    windows.clear();
    windows.push_back(Window("----"));
    for (std::size_t k = 0; k + 4 <= padded.size(); ++k)
        windows.push_back(Window(padded.data() + k));
    std::sort(windows.begin(), windows.end());
    windows.erase(std::unique(windows.begin(), windows.end()), windows.end());

    for (std::uint32_t window : windows) {
        const std::uint32_t high = window >> 16;
        const auto piece = std::partition_point(m_pieces.begin(), m_pieces.end(),
                                                [&](const Piece& p) { return p.endHigh <= high; });
        if (piece == m_pieces.end())
            continue;
        const auto highFound = std::lower_bound(piece->highs.begin(), piece->highs.end(), high);
        if (highFound == piece->highs.end() || *highFound != high)
            continue;
        const std::size_t h = static_cast<std::size_t>(highFound - piece->highs.begin());
        const auto from = piece->lows.begin() + piece->highStarts[h];
        const auto to = piece->lows.begin() + piece->highStarts[h + 1];
        const auto found = std::lower_bound(from, to, static_cast<std::uint16_t>(window));
        if (found == to || *found != static_cast<std::uint16_t>(window))
            continue;
        const std::size_t j = static_cast<std::size_t>(found - piece->lows.begin());
        const std::uint8_t* byte = piece->lists.data() + piece->listStarts[j];
        const std::uint8_t* const end = piece->lists.data() + piece->listStarts[j + 1];
        std::uint32_t entry = 0;
        while (byte < end) {
            // Most differences take one byte.
            std::uint32_t step = *byte++;
            if (step >= 0x80) {
                step &= 0x7f;
                for (int shift = 7;; shift += 7) {
                    const std::uint32_t next = *byte++;
                    step |= (next & 0x7f) << shift;
                    if (next < 0x80)
                        break;
                }
            }
            entry += step;
            candidates.push_back(entry);
        }
    }
    // Entries whose codes share many windows with the query (twenty
    // thousand copies of one code, say) come once per window. Past a few
    // per entry of the table, marking them in a bit set and reading it in
    // order is quicker than sorting them all.
    if (candidates.size() / 4 > m_tableSize / 64) {
        thread_local std::vector<std::uint64_t> marks;
        marks.assign((m_tableSize + 63) / 64, 0);
        for (std::uint32_t i : candidates)
            marks[i / 64] |= std::uint64_t{1} << (i % 64);
        candidates.clear();
        for (std::size_t word = 0; word < marks.size(); ++word)
            for (std::uint64_t bits = marks[word]; bits != 0; bits &= bits - 1)
                candidates.push_back(static_cast<std::uint32_t>(word * 64 + std::countr_zero(bits)));
        return;
    }
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
}

std::shared_ptr<const CodeIndex> IndexOf(const CharTable& table)
{
    static std::mutex mutex;
    // The last index asked for is kept, so that a program searching one
    // table need hold nothing. Indexes others hold on to (a program with
    // two dictionaries open) are found again for as long as they do.
    static std::shared_ptr<const CodeIndex> last;
    static std::vector<std::weak_ptr<const CodeIndex>> held;
    // The size is checked too: a table moved from keeps its revision.
    auto isOf = [&](const std::shared_ptr<const CodeIndex>& index) {
        return index && index->Revision() == table.Revision() && index->TableSize() == table.size();
    };
    std::lock_guard<std::mutex> lock(mutex);
    if (isOf(last))
        return last;
    std::erase_if(held, [](const std::weak_ptr<const CodeIndex>& index) { return index.expired(); });
    for (const std::weak_ptr<const CodeIndex>& index : held) {
        std::shared_ptr<const CodeIndex> kept = index.lock();
        if (isOf(kept))
            return last = kept;
    }
    last = std::make_shared<const CodeIndex>(table);
    held.push_back(last);
    return last;
}
