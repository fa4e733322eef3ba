#include "python/src/readings_data.h"

#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>

namespace orvalen_python {

namespace {

std::optional<std::string> FileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return std::move(bytes).str();
}

}  // namespace

const Readings* PackageReadings(const std::filesystem::path& dataDirectory)
{
    static std::once_flag once;
    static std::optional<Readings> readings;
    std::call_once(once, [&] {
        std::optional<std::string> pinyin = FileBytes(dataDirectory / "readings.txt");
        std::optional<std::string> differences = FileBytes(dataDirectory / "differences.txt");
        if (pinyin || differences)
            readings = Readings::Parse(pinyin.value_or(""), differences.value_or(""));
    });
    return readings ? &*readings : nullptr;
}

}  // namespace orvalen_python
