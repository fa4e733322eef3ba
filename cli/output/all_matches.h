// The whole look-alike table: every character's matches, in one run.
#pragma once

#include "answer/readings.h"
#include "cli/options.h"
#include "cli/output/output_stream.h"
#include "dictionary/char_table.h"

// For each key of `table`, in table order and once (its first entry, as a
// search finds it), its score groups as a search lists them, keeping those
// scoring options.minScore or more, and of those at most the options.top best
// matches, rendered as TSV (answer/render_tsv.h) or JSON lines
// (answer/render_json.h), explained from `readings` with options.explain.
// TSV is written in the locale's character set, JSON in UTF-8.
// With `progress`, a count of the characters done goes to `err`.
void WriteAllMatches(const CharTable& table, const Options& options, const Readings* readings, OutputStream& out,
                     OutputStream& err, bool progress);
