// --compare A B: whether two characters list each other, and why.
#pragma once

#include "answer/readings.h"
#include "cli/dictionary_file/gbk_hint.h"
#include "cli/output/output_stream.h"
#include "cli/input/query_text.h"
#include "dictionary/char_table.h"

// Prints how A's search scores B and how B's scores A (the measure is not
// symmetric when codes hold '-'), each with the run of code they share as
// --why spells it; or a sentence saying why neither lists the other. Then,
// with readings data, a line for each character: its readings and first
// word, and what tells it apart from the other. True when either lists the
// other.
bool ComparePair(const CharTable& table, const Query& a, const Query& b, GbkHint& gbk, const Readings* readings,
                 OutputStream& out, OutputStream& err);
