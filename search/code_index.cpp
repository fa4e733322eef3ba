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

}  // namespace

CodeIndex::CodeIndex(const CharTable& table) : m_revision(table.Revision()), m_tableSize(table.size())
{
    // The index takes 8 bytes per window, several times what the codes
    // themselves take. A dictionary of hundreds of megabytes would need
    // gigabytes for it: past a few tens of megabytes, and twice the size of
    // the lines, every entry is a candidate instead, which costs no memory
    // and, per search, one pass over the table.
    std::size_t windows = 0, lineBytes = 0;
    for (const CharEntry& entry : table) {
        windows += entry.code.size() >= 4 ? entry.code.size() - 3 : 0;
        lineBytes += entry.key.size() + entry.code.size() + 3;
    }
    constexpr std::size_t kSmallIndexBytes = std::size_t{64} << 20;
    if (windows * sizeof(std::uint64_t) > std::max(kSmallIndexBytes, 2 * lineBytes)) {
        m_everyEntry = true;
        return;
    }
    m_postings.reserve(windows);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string_view code = table[i].code;
        for (std::size_t k = 0; k + 4 <= code.size(); ++k)
            m_postings.push_back(std::uint64_t{Window(code.data() + k)} << 32 | i);
    }
    std::sort(m_postings.begin(), m_postings.end());
    m_postings.erase(std::unique(m_postings.begin(), m_postings.end()), m_postings.end());
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
        const std::uint64_t first = std::uint64_t{window} << 32;
        auto from = std::lower_bound(m_postings.begin(), m_postings.end(), first);
        for (auto it = from; it != m_postings.end() && (*it >> 32) == window; ++it)
            candidates.push_back(static_cast<std::uint32_t>(*it));
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
