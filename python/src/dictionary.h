// A dictionary as the Python module holds it: the table read from one file,
// with a lookup of each key's first entry, shared by every object that reads
// it (iterators of its table among them) and never changed after loading.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dictionary/char_table.h"
#include "search/code_index.h"

namespace orvalen_python {

// The file cannot be read, or is refused by the dictionary limits: what
// orvalen-find says after "dictionary: ".
class DictionaryFileError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Dictionary {
public:
    // Reads and parses the file at `path` as orvalen-find does, and builds
    // the search's index. Throws DictionaryFileError. When the bytes do not
    // look like code page 936 text, puts what orvalen-find would warn into
    // `*encodingProblem` ("dictionary "hz.txt" looks like UTF-8 text; ..."),
    // else leaves it empty. Costs a read of the file, a pass over its lines
    // and the index (about 50 ms for the GBK dictionary).
    static std::shared_ptr<Dictionary> Load(const std::filesystem::path& path,
                                                  std::optional<std::string>& encodingProblem);

    const CharTable& Table() const { return m_table; }
    const std::string& Path() const { return m_path; }

    // The entry a search for `key` (code page 936 bytes) finds, as FindEntry
    // gives it: the key's first entry. Constant time.
    const CharEntry* Find(std::string_view key) const;

    // The table index of each key's first entry, in table order: the
    // characters the whole table lists, each once.
    const std::vector<std::uint32_t>& FirstEntries() const { return m_firstEntries; }

    // The highest score the search gives any pair of the dictionary: the
    // best match of the character whose best match scores most. Worked out
    // at the first call from the whole table, which takes as long as
    // listing it; then kept. At least kMinimumScore. Thread-safe.
    int TopScore() const;

private:
    CharTable m_table;
    std::string m_path;  // UTF-8, as given
    std::unordered_map<std::string_view, std::uint32_t> m_firstEntryOfKey;
    std::vector<std::uint32_t> m_firstEntries;
    // Held so that searches of this table find its index again after
    // another dictionary's was built.
    std::shared_ptr<const CodeIndex> m_index;
    mutable std::once_flag m_topScoreOnce;
    mutable int m_topScore = 0;
};

}  // namespace orvalen_python
