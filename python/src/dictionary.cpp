#include "python/src/dictionary.h"

#include <algorithm>

#include "dictionary/dictionary_file.h"
#include "search/code_index.h"
#include "search/search.h"

namespace orvalen_python {

std::shared_ptr<Dictionary> Dictionary::Load(const std::filesystem::path& path,
                                                   std::optional<std::string>& encodingProblem)
{
    auto dictionary = std::make_shared<Dictionary>();
    dictionary->m_path = path.string();
    std::string reason;
    std::optional<DictionaryRead> read = ReadDictionary(path, reason);
    if (!read)
        throw DictionaryFileError(reason);
    dictionary->m_table = std::move(read->table);
    encodingProblem.reset();
    if (read->warning)
        encodingProblem = "dictionary \"" + PathText(path) + "\" " + *read->warning;

    const CharTable& table = dictionary->m_table;
    dictionary->m_firstEntryOfKey.reserve(table.size());
    for (std::uint32_t i = 0; i < table.size(); ++i)
        if (dictionary->m_firstEntryOfKey.emplace(table[i].key, i).second)
            dictionary->m_firstEntries.push_back(i);
    // Built now rather than at the first search, which would then take a
    // user by surprise.
    dictionary->m_index = IndexOf(table);
    return dictionary;
}

const CharEntry* Dictionary::Find(std::string_view key) const
{
    const auto found = m_firstEntryOfKey.find(key);
    return found == m_firstEntryOfKey.end() ? nullptr : &m_table[found->second];
}

}  // namespace orvalen_python

namespace orvalen_python {

int Dictionary::TopScore() const
{
    std::call_once(m_topScoreOnce, [this] {
        int top = kMinimumScore;
        for (std::uint32_t i : m_firstEntries) {
            const std::vector<ScoredChar> list = RankMatches(m_table, m_table[i].code);
            if (!list.empty())
                top = std::max(top, list.front().score);
        }
        m_topScore = top;
    });
    return m_topScore;
}

}  // namespace orvalen_python
