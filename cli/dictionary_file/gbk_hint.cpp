#include "cli/dictionary_file/gbk_hint.h"

#include <filesystem>
#include <system_error>

#include "cli/dictionary_file/dictionary_path.h"
#include "dictionary/dictionary_file.h"
#include "search/search.h"
#include "search/seeded_run_length.h"

const CharTable* GbkHint::Table()
{
    if (!m_path || m_brokenDictionary)
        return nullptr;
    if (!m_loaded) {
        m_loaded = true;
        // A GBK dictionary that cannot be read gives no hint: it is not the
        // one the user asked for, so its trouble is not theirs.
        if (!LoadCharTable(m_table, *m_path))
            m_path.reset();
    }
    return m_path ? &m_table : nullptr;
}

bool GbkHint::Has(std::string_view key)
{
    const CharTable* table = Table();
    return table && FindEntry(*table, key);
}

std::size_t GbkHint::LookAlikeCount(std::string_view key)
{
    const CharTable* table = Table();
    const CharEntry* entry = table ? FindEntry(*table, key) : nullptr;
    if (!entry)
        return 0;
    const auto [remembered, isNew] = m_lookAlikeCounts.try_emplace(std::string(key), 0);
    if (!isNew)
        return remembered->second;
    // Scored entry by entry rather than through RankMatches: the search keeps
    // the index of one table only, and building this table's index would
    // push out that of the dictionary being searched, to be built again at
    // the next query.
    const QueryWindows windows(entry->code);
    std::size_t count = 0;
    for (const CharEntry& other : *table)
        if (windows.ScoreIfAlike(other.code) >= kMinimumScore)
            ++count;
    remembered->second = count;
    return count;
}

std::optional<std::filesystem::path> OtherGbkDictionary(const std::filesystem::path& searchedPath,
                                                        const std::filesystem::path& executableDirectory)
{
    std::optional<std::filesystem::path> gbk = FindBundledDictionary(executableDirectory, kBundledGbk);
    std::error_code ignored;
    if (gbk && std::filesystem::equivalent(*gbk, searchedPath, ignored))
        return std::nullopt;
    return gbk;
}
