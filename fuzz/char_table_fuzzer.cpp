// The dictionary parser on any bytes. The table it builds is compared, entry
// by entry, with the format read literally: the stream translated as a
// text-mode read does, each line placed in a zeroed buffer, a zero written two
// bytes before the line's end and another after the key, and key and code
// taken as the zero-terminated texts at offsets 0 and 3. Lines are read whole
// and lines shorter than 3 bytes hold nothing, as the project decided.
// FindEntry must find the first entry of each key, and loading the same bytes
// from a file must build the same table.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dictionary/dictionary_file.h"
#include "fuzz/fuzz_check.h"

namespace {

// CR LF becomes LF wherever it stands; a lone CR is an ordinary byte.
std::string AsTextModeReadsIt(std::string_view bytes)
{
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
            text.push_back(bytes[i]);
    return text;
}

// An entry as the literal reading gives it, holding its own bytes.
struct LiteralEntry {
    std::string key;
    std::string code;
};

std::vector<LiteralEntry> ReadLiterally(std::string_view bytes)
{
    const std::string text = AsTextModeReadsIt(bytes);
    std::vector<LiteralEntry> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        std::vector<char> buffer(text.begin() + start, text.begin() + end);
        buffer.resize(buffer.size() + 4, '\0');
        const std::size_t n = std::strlen(buffer.data());
        if (n >= 3) {
            buffer[n - 2] = '\0';
            buffer[2] = '\0';
            entries.push_back(LiteralEntry{buffer.data(), buffer.data() + 3});
        }
        start = end;
    }
    return entries;
}

void CheckSameEntries(const CharTable& table, std::size_t from, const std::vector<LiteralEntry>& expected)
{
    FUZZ_CHECK(table.size() == from + expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const CharEntry& got = table[from + i];
        if (got.key != expected[i].key || got.code != expected[i].code) {
            std::fprintf(stderr, "entry %zu differs from the literal reading\n", i);
            FuzzPrintBytes("key", got.key);
            FuzzPrintBytes("expected key", expected[i].key);
            FuzzPrintBytes("code", got.code);
            FuzzPrintBytes("expected code", expected[i].code);
            FUZZ_CHECK(!"entries equal");
        }
    }
}

void CheckFind(const CharTable& table, const std::unordered_map<std::string, std::size_t>& firstOfKey,
               std::string_view query)
{
    const CharEntry* found = FindEntry(table, query);
    const auto first = firstOfKey.find(std::string(query));
    const CharEntry* expected = first == firstOfKey.end() ? nullptr : &table[first->second];
    if (found != expected) {
        FuzzPrintBytes("query", query);
        FUZZ_CHECK(found == expected);
    }
}

// The bytes as a file, through a path that LoadCharTable opens like any other.
void CheckLoadedFromFile(std::string_view bytes, const std::vector<LiteralEntry>& expected)
{
    const int fd = memfd_create("orvalen-dictionary", 0);
    FUZZ_CHECK(fd >= 0);
    FUZZ_CHECK(write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
    // Loading appends: what the table held before stays in front.
    CharTable table;
    table.Append(CharEntry{"\xB3\xB5", "held before"});
    std::string reason;
    const bool loaded = LoadCharTable(table, "/proc/self/fd/" + std::to_string(fd), &reason);
    close(fd);
    FUZZ_CHECK(loaded);
    FUZZ_CHECK(table[0].key == "\xB3\xB5" && table[0].code == "held before");
    CheckSameEntries(table, 1, expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CharTable table;
    ParseCharTable(bytes, table);

    for (const CharEntry& entry : table) {
        FUZZ_CHECK(!entry.key.empty() && entry.key.size() <= 2);
        FUZZ_CHECK(entry.key.find('\0') == std::string::npos);
        FUZZ_CHECK(entry.code.find('\0') == std::string::npos);
        FUZZ_CHECK(entry.key.size() + entry.code.size() <= size);
    }
    const std::vector<LiteralEntry> expected = ReadLiterally(bytes);
    CheckSameEntries(table, 0, expected);

    std::unordered_map<std::string, std::size_t> firstOfKey;
    for (std::size_t i = 0; i < table.size(); ++i)
        firstOfKey.emplace(table[i].key, i);
    // Each FindEntry walks the table, and with large tables those walks took
    // most of the time, so only a sample of keys is looked up: the first
    // entries, where duplicates are most often met, and the last.
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i >= 16 && i + 1 != table.size())
            continue;
        const std::string key(table[i].key);
        CheckFind(table, firstOfKey, key);
        CheckFind(table, firstOfKey, key.substr(0, 1));
        CheckFind(table, firstOfKey, key + key);
        CheckFind(table, firstOfKey, key + ' ');
    }
    CheckFind(table, firstOfKey, "");
    CheckFind(table, firstOfKey, bytes.substr(0, 2));

    CheckLoadedFromFile(bytes, expected);
    return 0;
}
