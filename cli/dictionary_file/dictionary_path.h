// Which dictionary file orvalen-find reads. Paths are std::filesystem::path
// throughout, which on Windows hold UTF-16: a folder named 词典车 is found as
// well as any other.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The bundled dictionaries' file names.
inline constexpr const char kBundledGb2312[] = "hz.txt";
inline constexpr const char kBundledGbk[] = "hz-gbk.txt";

// The places the bundled dictionary `fileName` may be, in the order they are
// tried: beside the program (as unpacked from the Windows zip), in the data
// folder of the prefix the program lives in (installed, or in the build
// tree), and in the data folder it was configured to be installed to.
std::vector<std::filesystem::path> BundledDictionaryCandidates(const std::filesystem::path& executableDirectory,
                                                               const std::string& fileName);

// The first of those places that holds the file, or nothing.
std::optional<std::filesystem::path> FindBundledDictionary(const std::filesystem::path& executableDirectory,
                                                           const std::string& fileName);

// The file given with --dict (`given`, as the path the argument names), where
// gb2312 and gbk (in any case) name the bundled hz.txt and hz-gbk.txt; else
// hz.txt in the current directory; else the bundled hz.txt. Nothing when
// there is none, with the places looked in put into `error` (PathText's form).
std::optional<std::filesystem::path> ChooseDictionary(const std::optional<std::filesystem::path>& given,
                                                      const std::filesystem::path& executableDirectory,
                                                      std::string& error);
