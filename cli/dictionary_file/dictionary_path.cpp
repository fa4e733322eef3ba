#include "cli/dictionary_file/dictionary_path.h"

#include <system_error>

#include "dictionary/dictionary_file.h"

namespace fs = std::filesystem;

namespace {

std::string Lowercase(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Joined(const std::vector<fs::path>& places)
{
    std::string text;
    for (const fs::path& place : places)
        text += (text.empty() ? "" : ", ") + PathText(place);
    return text;
}

}  // namespace

std::vector<fs::path> BundledDictionaryCandidates(const fs::path& executableDirectory, const std::string& fileName)
{
    std::vector<fs::path> candidates;
    if (!executableDirectory.empty()) {
        candidates.push_back(executableDirectory / fileName);
        candidates.push_back(executableDirectory.parent_path() / "share" / "orvalen" / fileName);
    }
#ifdef ORVALEN_INSTALL_DATADIR
    candidates.push_back(fs::path(ORVALEN_INSTALL_DATADIR) / "orvalen" / fileName);
#endif
    return candidates;
}

std::optional<fs::path> FindBundledDictionary(const fs::path& executableDirectory, const std::string& fileName)
{
    std::error_code ignored;
    for (const fs::path& candidate : BundledDictionaryCandidates(executableDirectory, fileName))
        if (fs::is_regular_file(candidate, ignored))
            return candidate;
    return std::nullopt;
}

std::optional<fs::path> ChooseDictionary(const std::optional<fs::path>& given, const fs::path& executableDirectory,
                                         std::string& error)
{
    // A file that happens to be called gbk is still reachable as ./gbk.
    const std::string name = given ? Lowercase(PathText(*given)) : std::string();
    if (name == "gb2312" || name == "gbk") {
        const std::string fileName = name == "gbk" ? kBundledGbk : kBundledGb2312;
        std::optional<fs::path> bundled = FindBundledDictionary(executableDirectory, fileName);
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
        return fs::path("hz.txt");
    if (std::optional<fs::path> bundled = FindBundledDictionary(executableDirectory, kBundledGb2312))
        return bundled;
    std::vector<fs::path> looked = BundledDictionaryCandidates(executableDirectory, kBundledGb2312);
    looked.insert(looked.begin(), "hz.txt");
    error = "no dictionary found (looked for " + Joined(looked) + "); name one with --dict FILE";
    return std::nullopt;
}
