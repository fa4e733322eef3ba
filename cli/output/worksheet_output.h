// --worksheet: the queries' answers as one printable HTML page.
#pragma once

#include <functional>
#include <optional>

#include "answer/readings.h"
#include "cli/dictionary_file/gbk_hint.h"
#include "cli/input/query_text.h"
#include "cli/output/output_stream.h"
#include "dictionary/char_table.h"

// Answers every query that `next` gives until it gives nothing and writes
// the worksheet of those found, in their order, to `out`: UTF-8 whatever the
// locale, as the page declares. A query not found is said on `err`, naming
// it, and left off the sheet; when none is found nothing is written.
// `readings` (may be null) gives the pinyin, words and differences. False
// when any query is not found.
bool WriteWorksheet(const CharTable& table, const std::function<std::optional<Query>()>& next,
                    const Readings* readings, GbkHint& gbk, OutputStream& out, OutputStream& err);
