// The answer to each query of a search: its look-alikes, printed as the
// options ask, or a message saying why there are none.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "answer/readings.h"
#include "cli/dictionary_file/gbk_hint.h"
#include "cli/options.h"
#include "cli/output/output_stream.h"
#include "cli/input/query_text.h"
#include "dictionary/char_table.h"

// The entry a search for the query finds, or nothing, with the "no find"
// message written to `err`: naming the character when `named`, and the GBK
// dictionary when that has it.
const CharEntry* LookUpQuery(const CharTable& table, const Query& query, bool named, GbkHint& gbk, OutputStream& err);

class QueryAnswers {
public:
    // `readings`: the readings data, for --explain and --why; may be null.
    QueryAnswers(const CharTable& table, const Options& options, const Readings* readings, GbkHint& gbk,
                 OutputStream& out, OutputStream& err)
        : m_table(table), m_options(options), m_readings(readings), m_gbk(gbk), m_out(out), m_err(err)
    {
    }

    // Answers one query in the options' format: as text under a heading of
    // its character when `labelled` (or explained), as TSV or JSON lines
    // with the character on each. False when it is not found.
    bool Answer(const Query& query, bool labelled);

    // Answers every query that `next` gives until it gives nothing, labelled
    // when there are several, as if each had been an argument. Stops early
    // when the output cannot be written. False when any is not found.
    bool AnswerAll(const std::function<std::optional<Query>()>& next);
    bool AnswerAll(const std::vector<Query>& queries);

private:
    void SayNoLookAlikes(const Query& query, std::string_view key, bool inList);
    void WriteText(const Query& query, const CharEntry& entry, bool labelled);

    const CharTable& m_table;
    const Options& m_options;
    const Readings* m_readings;
    GbkHint& m_gbk;
    OutputStream& m_out;
    OutputStream& m_err;
};
