// Reading a dictionary file as orvalen-find does: the bytes read once from a
// file, the table parsed from them, and the check of their encoding and line
// ends. The read must give back the file's bytes; every warning must have its
// evidence in the bytes; and three dictionaries made from the input must be
// judged right: a code page 936 one with line feeds draws no warning, the same
// converted to UTF-8 is called UTF-8, and with CR line ends it is named.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/text_codec.h"
#include "dictionary/dictionary_file.h"
#include "fuzz/fuzz_check.h"

namespace {

bool Says(const std::optional<std::string>& warning, std::string_view what)
{
    return warning && warning->find(what) != std::string::npos;
}

std::string ReadThroughFile(std::string_view bytes)
{
    const int fd = memfd_create("orvalen-dictionary", 0);
    FUZZ_CHECK(fd >= 0);
    FUZZ_CHECK(write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
    std::string read, reason;
    const bool ok = ReadDictionaryFile("/proc/self/fd/" + std::to_string(fd), read, &reason);
    close(fd);
    FUZZ_CHECK(ok);
    return read;
}

// A GB2312 dictionary made from the input: each pair of bytes gives a key
// among the hanzi (lead B0-F7, trail A1-FE), the bytes after it an ASCII
// code, each line ending in a pad space and a line feed.
std::string Gb2312Dictionary(std::string_view bytes)
{
    std::string text;
    std::size_t at = 0;
    while (at + 2 <= bytes.size()) {
        text += static_cast<char>(0xB0 + static_cast<unsigned char>(bytes[at]) % (0xF7 - 0xB0 + 1));
        text += static_cast<char>(0xA1 + static_cast<unsigned char>(bytes[at + 1]) % (0xFE - 0xA1 + 1));
        text += ' ';
        at += 2;
        const std::size_t length = at < bytes.size() ? 1 + static_cast<unsigned char>(bytes[at++]) % 12 : 4;
        for (std::size_t k = 0; k < length; ++k)
            text += static_cast<char>(0x21 + (at + k < bytes.size() ? static_cast<unsigned char>(bytes[at + k]) : k) % 94);
        at += length;
        text += " \n";
    }
    return text;
}

void CheckWarning(std::string_view bytes)
{
    CharTable table;
    ParseCharTable(bytes, table);
    const std::optional<std::string> warning = WrongEncoding(bytes, table);
    if (bytes.empty())
        FUZZ_CHECK(Says(warning, "is empty"));
    if (Says(warning, "looks like UTF-8"))
        FUZZ_CHECK(IsValidUtf8(bytes));
    if (Says(warning, "UTF-16LE"))
        FUZZ_CHECK(bytes.size() % 2 == 0 && bytes.find(std::string_view("\n\0", 2)) != std::string_view::npos);
    if (Says(warning, "UTF-16BE"))
        FUZZ_CHECK(bytes.size() % 2 == 0 && bytes.find(std::string_view("\0\n", 2)) != std::string_view::npos);
    if (Says(warning, "carriage return"))
        FUZZ_CHECK(bytes.find('\r') != std::string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(ReadThroughFile(bytes) == bytes);
    CheckWarning(bytes);

    const std::string gb2312 = Gb2312Dictionary(bytes);
    if (gb2312.empty())
        return 0;
    CharTable table;
    ParseCharTable(gb2312, table);
    const std::optional<std::string> none = WrongEncoding(gb2312, table);
    if (none)
        FuzzPrintBytes("dictionary", gb2312);
    FUZZ_CHECK(!none);

    const std::string utf8 = Cp936ToUtf8(gb2312);
    CharTable utf8Table;
    ParseCharTable(utf8, utf8Table);
    FUZZ_CHECK(Says(WrongEncoding(utf8, utf8Table), "looks like UTF-8"));

    std::string carriageReturns = gb2312;
    for (char& c : carriageReturns)
        if (c == '\n')
            c = '\r';
    CharTable crTable;
    ParseCharTable(carriageReturns, crTable);
    FUZZ_CHECK(Says(WrongEncoding(carriageReturns, crTable), "carriage return"));
    return 0;
}
