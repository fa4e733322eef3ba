// The page's way into the core: a few C functions the page's script calls.
// Every answer is the shared answer library's, rendered by its JSON renderer:
// the page shows what orvalen-find --format jsonl prints, and computes no
// list of its own.
#include <emscripten/emscripten.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "answer/answer.h"
#include "answer/readings.h"
#include "answer/render_json.h"
#include "answer/render_worksheet.h"
#include "answer/worksheet_set.h"
#include "dictionary/char_table.h"
#include "search/code_index.h"
#include "text/query_text.h"
#include "text/text_codec.h"

namespace {

// The bundled dictionaries, by the number the page uses: 0 for hz.txt
// (GB2312), 1 for hz-gbk.txt (GBK).
std::array<CharTable, 2> g_dictionaries;
// Each dictionary's index, held so that the search keeps both: switching
// dictionaries then costs no rebuild.
std::array<std::shared_ptr<const CodeIndex>, 2> g_indexes;

// The readings data (pinyin, words, differences), once the page has loaded
// it: the answers are then explained, as orvalen-find --explain explains them.
std::optional<Readings> g_readings;

// What the last call returned: it stays valid until the next call, long
// enough for the page to copy it out.
std::string g_result;

const CharTable* Dictionary(int which)
{
    if (which < 0 || which >= static_cast<int>(g_dictionaries.size()))
        return nullptr;
    return &g_dictionaries[static_cast<std::size_t>(which)];
}

// The answer to one query; nothing when the dictionary lacks it, when code
// page 936 cannot write it, or when it is no character.
std::optional<Answer> AnswerOf(const CharTable& table, const Query& query, const AnswerOptions& options,
                               const Readings* readings = nullptr)
{
    if (!query.problem.empty())
        return std::nullopt;
    const std::optional<std::string> key = Utf8ToCp936(query.text);
    return key ? AnswerQuery(table, *key, options, readings) : std::nullopt;
}

// One JSON line for one query: its answer, or "no find".
void AppendAnswer(std::string& out, const CharTable& table, const Query& query)
{
    AnswerOptions options;
    options.explain = g_readings.has_value();
    if (const std::optional<Answer> answer = AnswerOf(table, query, options, g_readings ? &*g_readings : nullptr))
        AppendJsonLine(out, *answer);
    else
        out += JsonNoFindLine(query.text);
}

// The characters of the page's text, `utf8` (`size` bytes, typed or pasted),
// split as orvalen-find splits them; none for text that is missing or not
// UTF-8. Sized, not zero-ended: text with U+0000 in it is still taken whole.
std::vector<Query> QueriesOf(const char* utf8, int size)
{
    if (!utf8 || size < 0)
        return {};
    const std::string_view text(utf8, static_cast<std::size_t>(size));
    if (!IsValidUtf8(text))
        return {};
    return QueriesInUtf8(text);
}

}  // namespace

extern "C" {

// Replaces dictionary `which` with the dictionary file held in `bytes`, and
// builds its index (a tenth of a second or so for the GBK one).
// Returns its number of entries, or -1 for a dictionary the page has not.
EMSCRIPTEN_KEEPALIVE int orvalen_load_dictionary(int which, const char* bytes, int size)
{
    if (which < 0 || which >= static_cast<int>(g_dictionaries.size()) || size < 0)
        return -1;
    CharTable& table = g_dictionaries[static_cast<std::size_t>(which)];
    table.Clear();
    ParseCharTable(std::string_view(bytes, static_cast<std::size_t>(size)), table);
    g_indexes[static_cast<std::size_t>(which)] = IndexOf(table);
    return static_cast<int>(table.size());
}

// Loads the readings data: readings.txt and differences.txt, as bytes.
EMSCRIPTEN_KEEPALIVE void orvalen_load_readings(const char* readings, int readingsSize, const char* differences,
                                                int differencesSize)
{
    if (!readings || !differences || readingsSize < 0 || differencesSize < 0)
        return;
    g_readings = Readings::Parse(std::string(readings, static_cast<std::size_t>(readingsSize)),
                                 std::string(differences, static_cast<std::size_t>(differencesSize)));
}

// The answers to the characters of `utf8` (`size` bytes) (typed or pasted text, split as
// orvalen-find splits it), one JSON line each, in dictionary `which`.
// Empty for text that holds no character, or for a dictionary not loaded.
EMSCRIPTEN_KEEPALIVE const char* orvalen_search(const char* utf8, int size, int which)
{
    g_result.clear();
    if (const CharTable* table = Dictionary(which))
        for (const Query& query : QueriesOf(utf8, size))
            AppendAnswer(g_result, *table, query);
    return g_result.c_str();
}

// Whether dictionary `which` holds the one character `utf8` (`size` bytes):
// the hint that the other dictionary has what this one lacks. A lookup, not
// a search, so that it costs no index of the other dictionary.
EMSCRIPTEN_KEEPALIVE int orvalen_has(const char* utf8, int size, int which)
{
    const CharTable* table = Dictionary(which);
    if (!table || !utf8 || size < 0)
        return 0;
    const std::optional<std::string> key = Utf8ToCp936(std::string_view(utf8, static_cast<std::size_t>(size)));
    return key && FindEntry(*table, *key) ? 1 : 0;
}

// The worksheet of the characters of `utf8` (`size` bytes) found in
// dictionary `which`: one printable HTML page, as orvalen-find --worksheet
// writes it. Empty when none is found.
EMSCRIPTEN_KEEPALIVE const char* orvalen_worksheet(const char* utf8, int size, int which)
{
    g_result.clear();
    const CharTable* table = Dictionary(which);
    if (!table)
        return g_result.c_str();
    std::vector<WorksheetSet> sets;
    for (const Query& query : QueriesOf(utf8, size))
        if (const std::optional<Answer> answer = AnswerOf(*table, query, AnswerOptions{}))
            sets.push_back(WorksheetSetFor(*answer));
    if (!sets.empty())
        g_result = WorksheetHtml(sets);
    return g_result.c_str();
}

}  // extern "C"
