#include "cli/dictionary_file/readings_files.h"

#include <filesystem>
#include <system_error>

#include "cli/dictionary_file/dictionary_path.h"
#include "cli/platform/platform.h"
#include "dictionary/char_table.h"

namespace fs = std::filesystem;

std::vector<std::string> ReadingsFileCandidates(const std::string& dictionaryPath,
                                                const std::string& executableDirectory, const std::string& fileName)
{
    std::vector<std::string> candidates;
    candidates.push_back((fs::path(dictionaryPath).parent_path() / fileName).string());
    for (std::string& bundled : BundledDictionaryCandidates(executableDirectory, fileName))
        candidates.push_back(std::move(bundled));
    return candidates;
}

namespace {

// The bytes of the first candidate that is a file; false when none is, or
// when the one found cannot be read.
bool ReadFirstFound(const std::vector<std::string>& candidates, std::string& bytes, bool& found, std::string& problem)
{
    std::error_code ignored;
    for (const std::string& candidate : candidates) {
        if (!fs::is_regular_file(candidate, ignored))
            continue;
        found = true;
        std::string reason;
        if (ReadDictionaryFile(NativePath(candidate), bytes, &reason))
            return true;
        problem = reason;
        return false;
    }
    return false;
}

}  // namespace

std::optional<Readings> LoadReadingsFiles(const std::string& dictionaryPath, const std::string& executableDirectory,
                                          std::string& problem)
{
    std::string readings, differences;
    bool found = false;
    ReadFirstFound(ReadingsFileCandidates(dictionaryPath, executableDirectory, kReadingsFile), readings, found, problem);
    ReadFirstFound(ReadingsFileCandidates(dictionaryPath, executableDirectory, kDifferencesFile), differences, found,
                   problem);
    if (!found)
        return std::nullopt;
    return Readings::Parse(std::move(readings), std::move(differences));
}
