// Which dictionary file orvalen-find reads.
#pragma once

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
std::vector<std::string> BundledDictionaryCandidates(const std::string& executableDirectory,
                                                     const std::string& fileName);

// The first of those places that holds the file, or nothing.
std::optional<std::string> FindBundledDictionary(const std::string& executableDirectory, const std::string& fileName);

// The file given with --dict, where gb2312 and gbk (in any case) name the
// bundled hz.txt and hz-gbk.txt; else hz.txt in the current directory; else
// the bundled hz.txt. Nothing when there is none, with the places looked in
// put into `error`.
std::optional<std::string> ChooseDictionary(const std::optional<std::string>& given,
                                            const std::string& executableDirectory, std::string& error);
