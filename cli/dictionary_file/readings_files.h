// Where orvalen-find finds the readings data (readings.txt and
// differences.txt), and reading it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "answer/readings.h"

inline constexpr const char kReadingsFile[] = "readings.txt";
inline constexpr const char kDifferencesFile[] = "differences.txt";

// The places a readings data file may be, in the order they are tried:
// beside the dictionary searched (data/ in the source tree, a folder the
// user made), then where the bundled dictionaries are (beside the program,
// share/orvalen/ in a build or an install).
std::vector<std::filesystem::path> ReadingsFileCandidates(const std::filesystem::path& dictionaryPath,
                                                          const std::filesystem::path& executableDirectory,
                                                          const char* fileName);

// Both files, each from the first of its places that holds it, parsed; or
// nothing when neither is found. A file that is found but cannot be read (or
// is over a dictionary's size limits) counts as not found, and why goes into
// `problem`. Costs reading and parsing both files: a few milliseconds for
// the bundled ones.
std::optional<Readings> LoadReadingsFiles(const std::filesystem::path& dictionaryPath,
                                          const std::filesystem::path& executableDirectory, std::string& problem);
