#include "cli/dictionary_file/readings_files.h"

#include <system_error>

#include "cli/dictionary_file/dictionary_path.h"
#include "dictionary/dictionary_file.h"

namespace fs = std::filesystem;

std::vector<fs::path> ReadingsFileCandidates(const fs::path& dictionaryPath, const fs::path& executableDirectory,
                                             const char* fileName)
{
    std::vector<fs::path> candidates{dictionaryPath.parent_path() / fileName};
    for (fs::path& bundled : BundledDictionaryCandidates(executableDirectory, fileName))
        candidates.push_back(std::move(bundled));
    return candidates;
}

namespace {

// The bytes of the first candidate that is a file; false when none is, or
// when the one found cannot be read.
bool ReadFirstFound(const std::vector<fs::path>& candidates, std::string& bytes, bool& found, std::string& problem)
{
    std::error_code ignored;
    for (const fs::path& candidate : candidates) {
        if (!fs::is_regular_file(candidate, ignored))
            continue;
        found = true;
        std::string reason;
        if (ReadDictionaryFile(candidate, bytes, &reason))
            return true;
        problem = reason;
        return false;
    }
    return false;
}

}  // namespace

std::optional<Readings> LoadReadingsFiles(const fs::path& dictionaryPath, const fs::path& executableDirectory,
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
