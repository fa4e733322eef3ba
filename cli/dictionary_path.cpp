#include "dictionary_path.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::vector<std::string> BundledDictionaryCandidates(const std::string& executableDirectory)
{
    std::vector<std::string> candidates;
    if (!executableDirectory.empty()) {
        const fs::path here(executableDirectory);
        candidates.push_back((here / "hz.txt").string());
        candidates.push_back((here.parent_path() / "share" / "orvalen" / "hz.txt").string());
    }
#ifdef ORVALEN_INSTALL_DATADIR
    candidates.push_back((fs::path(ORVALEN_INSTALL_DATADIR) / "orvalen" / "hz.txt").string());
#endif
    return candidates;
}

std::optional<std::string> ChooseDictionary(const std::optional<std::string>& given,
                                            const std::string& executableDirectory, std::string& error)
{
    if (given)
        return given;
    std::error_code ignored;
    // Anything named hz.txt here is the user's choice, even when it turns out
    // unreadable: reading it then fails with a message naming it.
    if (fs::exists("hz.txt", ignored))
        return std::string("hz.txt");
    std::string looked = "hz.txt";
    for (const std::string& candidate : BundledDictionaryCandidates(executableDirectory)) {
        if (fs::is_regular_file(candidate, ignored))
            return candidate;
        looked += ", " + candidate;
    }
    error = "no dictionary found (looked for " + looked + "); name one with --dict FILE";
    return std::nullopt;
}
