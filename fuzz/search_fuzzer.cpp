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
// group, best group first, keys in table order.
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

struct Match {
    std::size_t entry;
    int score;
};

// Score groups, highest first, each holding its entries in table order. An
// entry whose code is exactly the query code is never a match.
std::map<int, std::vector<std::size_t>, std::greater<>> ReferenceGroups(const CharTable& table,
                                                                        std::string_view queryCode)
{
    std::map<int, std::vector<std::size_t>, std::greater<>> groups;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].code == queryCode)
            continue;
        const int score = LiteralCommonRunLength(table[i].code, queryCode);
        if (score >= 4)
            groups[score].push_back(i);
    }
    return groups;
}

std::string ReferenceText(const CharTable& table,
                          const std::map<int, std::vector<std::size_t>, std::greater<>>& groups)
{
    std::string text;
    for (const auto& [score, entries] : groups) {
        if (!text.empty())
            text += "\r\n";
        for (std::size_t i : entries)
            text += table[i].key + ' ';
    }
    return text;
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
    if (!queryEntry) {
        if (result)
            ReportMismatch(query, result, std::nullopt);
        FUZZ_CHECK(!result);
        return 0;
    }
    FUZZ_CHECK(result.has_value());

    const auto groups = ReferenceGroups(table, queryEntry->code);
    const std::string expected = ReferenceText(table, groups);
    if (*result != expected) {
        ReportMismatch(query, result, expected);
        FUZZ_CHECK(*result == expected);
    }

    // The ranked list: scores of 4 or more, never rising, each key that of an
    // entry whose code is not the query code, in the reference's order.
    std::unordered_set<std::string> listable;
    for (const CharEntry& entry : table)
        if (entry.code != queryEntry->code)
            listable.insert(entry.key);
    const std::vector<ScoredChar> list = RankMatches(table, queryEntry->code);
    for (std::size_t i = 0; i < list.size(); ++i) {
        FUZZ_CHECK(list[i].score >= 4);
        FUZZ_CHECK(i == 0 || list[i].score <= list[i - 1].score);
        FUZZ_CHECK(listable.count(list[i].key) == 1);
    }
    FUZZ_CHECK(FormatMatches(list) == *result);

    std::vector<Match> expectedList;
    for (const auto& [score, entries] : groups)
        for (std::size_t i : entries)
            expectedList.push_back(Match{i, score});
    FUZZ_CHECK(list.size() == expectedList.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].key != table[expectedList[i].entry].key || list[i].score != expectedList[i].score) {
            std::fprintf(stderr, "ranked item %zu: score %d, expected entry %zu with score %d\n", i,
                         list[i].score, expectedList[i].entry, expectedList[i].score);
            FuzzPrintBytes("key", list[i].key);
            FuzzPrintBytes("expected key", table[expectedList[i].entry].key);
            FUZZ_CHECK(!"ranked list equals the reference");
        }
    }

    // The process-wide table answers exactly as the same table passed in.
    ParseCharTable(dictionary, TheCharTable());
    const std::optional<std::string> global = RunSearch(query);
    TheCharTable().Clear();
    FUZZ_CHECK(global == result);
    return 0;
}
