// Which dictionary file orvalen-find reads.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The places a bundled dictionary may be, in the order they are tried: beside
// the program (as unpacked from the Windows zip), in the data folder of the
// prefix the program lives in (installed, or in the build tree), and in the
// data folder it was configured to be installed to.
std::vector<std::string> BundledDictionaryCandidates(const std::string& executableDirectory);

// The file given with --dict; else hz.txt in the current directory; else the
// first bundled dictionary that exists. Nothing when there is none, with the
// places looked in put into `error`.
std::optional<std::string> ChooseDictionary(const std::optional<std::string>& given,
                                            const std::string& executableDirectory, std::string& error);
