// The search of one long code against many short ones, which a small input
// cannot spell out byte by byte: the input gives the pieces, and the target
// repeats them into codes of thousands of bytes.
//
//   mode byte, length byte, twist byte, query unit [, '\n', entry unit]...
//
// The query code is its unit repeated to 1024 + 24 * length bytes, with one
// byte changed where the twist says (none for 0): codes that repeat
// themselves make the most shared runs. Each entry code is its unit, repeated
// as many times as its first byte says (up to 8), at most 300 bytes. The
// mode maps the bytes as the measure's fuzzer does, so that '-', which the
// padding matches, is common.
//
// Every entry's score must be the literal measure's, the search's list the
// literal search's, and each match's shared run as long as its score and
// found in the padded query code.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/char_table.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/mapped_byte.h"
#include "search/common_run_length.h"
#include "search/search.h"
#include "tests/literal_measure.h"
#include "tests/literal_search.h"

namespace {

std::string Mapped(unsigned mode, std::string_view unit)
{
    std::string code;
    for (unsigned char byte : unit)
        code += FuzzMapLineByte(mode, byte);
    return code;
}

std::string RepeatedTo(std::string_view unit, std::size_t length)
{
    std::string code;
    while (!unit.empty() && code.size() < length)
        code += unit.substr(0, length - code.size());
    return code;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const unsigned mode = data[0];
    const std::size_t queryLength = 1024 + 24 * std::size_t{data[1]};
    const std::size_t twist = data[2];
    const std::string_view body(reinterpret_cast<const char*>(data) + 3, size - 3);

    std::vector<std::string_view> units;
    for (std::size_t from = 0; from <= body.size();) {
        const std::size_t end = std::min(body.find('\n', from), body.size());
        units.push_back(body.substr(from, end - from));
        from = end + 1;
    }
    std::string query = RepeatedTo(Mapped(mode, units[0]), queryLength);
    if (query.empty())
        return 0;
    if (twist != 0)
        query[twist * 37 % query.size()] = FuzzMapLineByte(mode, static_cast<unsigned char>(twist));

    // Keys of two bytes from B0 A1 on; the query code is the first entry's.
    std::string text;
    auto add = [&text](std::size_t i, std::string_view code) {
        text += static_cast<char>(0xB0 + i / 94);
        text += static_cast<char>(0xA1 + i % 94);
        text += ' ';
        text += code;
        text += " \n";
    };
    add(0, query);
    for (std::size_t i = 1; i < units.size() && i < 64; ++i) {
        const std::string_view unit = units[i];
        const std::size_t times = unit.empty() ? 1 : 1 + static_cast<unsigned char>(unit[0]) % 8;
        add(i, RepeatedTo(Mapped(mode, unit), std::min<std::size_t>(300, unit.size() * times)));
    }
    CharTable table;
    ParseCharTable(text, table);
    FUZZ_CHECK(table.size() >= 1 && table[0].code == query);

    for (const CharEntry& entry : table) {
        const int score = CommonRunLength(entry.code, query);
        const int literal = LiteralCommonRunLength(entry.code, query);
        if (score != literal) {
            std::fprintf(stderr, "CommonRunLength gives %d, the literal measure %d\n", score, literal);
            FuzzPrintBytes("entry code", entry.code);
            FUZZ_CHECK(score == literal);
        }
    }
    const std::vector<ScoredChar> list = RankMatches(table, query);
    const std::vector<ScoredChar> literal = LiteralRankMatches(table, query);
    FUZZ_CHECK(list.size() == literal.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        FUZZ_CHECK(list[i].key == literal[i].key && list[i].score == literal[i].score);

    const std::string padded = std::string(300, '-') + query + std::string(300, '-');
    for (const ScoredChar& match : list) {
        const std::string_view code = FindEntry(table, match.key)->code;
        const SharedRun run = LongestSharedRun(code, query);
        FUZZ_CHECK(static_cast<int>(run.length) == match.score);
        FUZZ_CHECK(run.start + run.length <= code.size());
        FUZZ_CHECK(padded.find(code.substr(run.start, run.length)) != std::string::npos);
    }
    return 0;
}
