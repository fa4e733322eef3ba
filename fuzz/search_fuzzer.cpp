// The search, with the dictionary and the query both taken from the input:
//
//   selector byte, dictionary bytes [, 0xFF, query bytes]
//
// With a 0xFF the query is the bytes after it, as a user might paste them.
// Without one the query is the key of entry (selector mod table size), so
// most inputs search for a character that is there.
//
// The result must be well-formed and equal, byte for byte, to a plain search
// built on the literal measure: find the first entry with the query as key,
// score every entry against its code, and list each score of 4 or more as a
// group, best group first, keys in table order. The ranking is also checked
// for the query's bytes taken as a code, which need not be any entry's code.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "dictionary/char_table.h"
#include "fuzz/fuzz_check.h"
#include "search/search.h"
#include "tests/literal_measure.h"

namespace {

// Score groups, highest first, each holding its entries in table order.
using Groups = std::map<int, std::vector<std::size_t>, std::greater<>>;

// An entry whose code is exactly the query code is never a match.
Groups ReferenceGroups(const CharTable& table, std::string_view queryCode)
{
    Groups groups;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].code == queryCode)
            continue;
        const int score = LiteralCommonRunLength(table[i].code, queryCode);
        if (score >= 4)
            groups[score].push_back(i);
    }
    return groups;
}

std::string ReferenceText(const CharTable& table, const Groups& groups)
{
    std::string text;
    for (const auto& [score, entries] : groups) {
        if (!text.empty())
            text += "\r\n";
        for (std::size_t i : entries)
            text += std::string(table[i].key) + ' ';
    }
    return text;
}

// RankMatches for `queryCode`: scores of 4 or more, never rising, each key
// that of an entry whose code is not the query code, and item for item the
// reference's groups in order.
Groups CheckRanking(const CharTable& table, std::string_view queryCode)
{
    const Groups groups = ReferenceGroups(table, queryCode);
    const std::vector<ScoredChar> list = RankMatches(table, queryCode);

    std::unordered_set<std::string> listable;
    for (const CharEntry& entry : table)
        if (entry.code != queryCode)
            listable.emplace(entry.key);
    for (std::size_t i = 0; i < list.size(); ++i) {
        FUZZ_CHECK(list[i].score >= 4);
        FUZZ_CHECK(i == 0 || list[i].score <= list[i - 1].score);
        FUZZ_CHECK(listable.count(list[i].key) == 1);
    }

    std::size_t item = 0;
    for (const auto& [score, entries] : groups) {
        for (std::size_t entry : entries) {
            if (item >= list.size() || list[item].key != table[entry].key || list[item].score != score) {
                std::fprintf(stderr, "ranked item %zu of %zu: expected entry %zu with score %d\n", item,
                             list.size(), entry, score);
                FuzzPrintBytes("query code", queryCode);
                FuzzPrintBytes("expected key", table[entry].key);
                if (item < list.size()) {
                    std::fprintf(stderr, "  got score %d\n", list[item].score);
                    FuzzPrintBytes("got key", list[item].key);
                }
                FUZZ_CHECK(!"ranked list equals the reference");
            }
            ++item;
        }
    }
    FUZZ_CHECK(item == list.size());
    return groups;
}

void ReportMismatch(std::string_view query, const std::optional<std::string>& got,
                    const std::optional<std::string>& expected)
{
    FuzzPrintBytes("query", query);
    FuzzPrintBytes(got ? "result" : "result: not found", got.value_or(""));
    FuzzPrintBytes(expected ? "expected" : "expected: not found", expected.value_or(""));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const unsigned selector = data[0];
    std::string_view dictionary(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string_view query;
    const std::size_t separator = dictionary.find('\xFF');
    if (separator != std::string_view::npos) {
        query = dictionary.substr(separator + 1);
        dictionary = dictionary.substr(0, separator);
    }

    CharTable table;
    ParseCharTable(dictionary, table);
    if (separator == std::string_view::npos && !table.empty())
        query = table[selector % table.size()].key;

    const std::optional<std::string> result = RunSearch(table, query);

    const CharEntry* queryEntry = nullptr;
    for (const CharEntry& entry : table) {
        if (entry.key == query) {
            queryEntry = &entry;
            break;
        }
    }
    std::optional<std::string> expected;
    if (queryEntry) {
        const Groups groups = CheckRanking(table, queryEntry->code);
        expected = ReferenceText(table, groups);
    }
    if (result != expected) {
        ReportMismatch(query, result, expected);
        FUZZ_CHECK(result == expected);
    }
    if (result)
        FUZZ_CHECK(FormatMatches(RankMatches(table, queryEntry->code)) == *result);

    CheckRanking(table, query);

    // The process-wide table answers exactly as the same table passed in.
    ParseCharTable(dictionary, TheCharTable());
    const std::optional<std::string> global = RunSearch(query);
    TheCharTable().Clear();
    FUZZ_CHECK(global == result);
    return 0;
}
