// The readings data that comes with the package (orvalen/data/readings.txt
// and differences.txt): each character's pinyin and words, and what tells
// two look-alikes apart. One copy for the process, whatever the dictionary.
#pragma once

#include <filesystem>

#include "answer/readings.h"

namespace orvalen_python {

// The parsed files of `dataDirectory`, read at the first call (a few
// milliseconds) and kept; nullptr when the package has neither file.
// Thread-safe; later calls return the first call's data.
const Readings* PackageReadings(const std::filesystem::path& dataDirectory);

}  // namespace orvalen_python
