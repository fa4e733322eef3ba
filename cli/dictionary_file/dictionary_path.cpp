#include "cli/dictionary_file/dictionary_path.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string Lowercase(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Joined(const std::vector<std::string>& places)
{
    std::string text;
    for (const std::string& place : places)
        text += (text.empty() ? "" : ", ") + place;
    return text;
}

}  // namespace

std::vector<std::string> BundledDictionaryCandidates(const std::string& executableDirectory,
                                                     const std::string& fileName)
{
    std::vector<std::string> candidates;
    if (!executableDirectory.empty()) {
        const fs::path here(executableDirectory);
        candidates.push_back((here / fileName).string());
        candidates.push_back((here.parent_path() / "share" / "orvalen" / fileName).string());
    }
#ifdef ORVALEN_INSTALL_DATADIR
    candidates.push_back((fs::path(ORVALEN_INSTALL_DATADIR) / "orvalen" / fileName).string());
#endif
    return candidates;
}

std::optional<std::string> FindBundledDictionary(const std::string& executableDirectory, const std::string& fileName)
{
    std::error_code ignored;
    for (const std::string& candidate : BundledDictionaryCandidates(executableDirectory, fileName))
        if (fs::is_regular_file(candidate, ignored))
            return candidate;
    return std::nullopt;
}

std::optional<std::string> ChooseDictionary(const std::optional<std::string>& given,
                                            const std::string& executableDirectory, std::string& error)
{
    // A file that happens to be called gbk is still reachable as ./gbk.
    const std::string name = given ? Lowercase(*given) : std::string();
    if (name == "gb2312" || name == "gbk") {
        const std::string fileName = name == "gbk" ? kBundledGbk : kBundledGb2312;
        std::optional<std::string> bundled = FindBundledDictionary(executableDirectory, fileName);
        if (!bundled)
            error = "no bundled " + fileName + " (looked for " +
                    Joined(BundledDictionaryCandidates(executableDirectory, fileName)) +
                    "); name a dictionary file with --dict FILE";
        return bundled;
    }
    if (given)
        return given;
    std::error_code ignored;
    // Anything named hz.txt here is the user's choice, even when it turns out
    // unreadable: reading it then fails with a message naming it. A link
    // that leads nowhere, or round in a loop, is such a file too.
    if (fs::exists(fs::symlink_status("hz.txt", ignored)))
        return std::string("hz.txt");
    if (std::optional<std::string> bundled = FindBundledDictionary(executableDirectory, kBundledGb2312))
        return bundled;
    std::vector<std::string> looked = BundledDictionaryCandidates(executableDirectory, kBundledGb2312);
    looked.insert(looked.begin(), "hz.txt");
    error = "no dictionary found (looked for " + Joined(looked) + "); name one with --dict FILE";
    return std::nullopt;
}
