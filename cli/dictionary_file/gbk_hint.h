// The bundled GBK dictionary as a pointer for the user: when the dictionary
// searched lacks a character, or lists nothing for it, the larger dictionary
// may have it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "dictionary/char_table.h"

class GbkHint {
public:
    // `gbkPath`: the bundled GBK dictionary, or nothing when there is none or
    // it is the dictionary being searched. It is read at the first question.
    explicit GbkHint(std::optional<std::filesystem::path> gbkPath) : m_path(std::move(gbkPath)) {}

    // The dictionary searched does not look like code page 936 text (a
    // warning has said why): what it lacks says nothing about the GBK
    // dictionary, so there is no hint, and a missing character names the
    // file instead.
    void SearchedDictionaryIsBroken(std::string name) { m_brokenDictionary = std::move(name); }
    const std::optional<std::string>& BrokenDictionary() const { return m_brokenDictionary; }

    // Whether the GBK dictionary has the character (code page 936 bytes).
    bool Has(std::string_view key);
    // How many look-alikes the GBK dictionary lists for it.
    std::size_t LookAlikeCount(std::string_view key);

private:
    const CharTable* Table();

    std::optional<std::filesystem::path> m_path;
    std::optional<std::string> m_brokenDictionary;  // UTF-8, for messages
    bool m_loaded = false;
    CharTable m_table;
    std::unordered_map<std::string, std::size_t> m_lookAlikeCounts;
};

// The bundled GBK dictionary when it is a file other than `searchedPath`.
std::optional<std::filesystem::path> OtherGbkDictionary(const std::filesystem::path& searchedPath,
                                                        const std::filesystem::path& executableDirectory);
