// The prompt orvalen-find shows when its input is a terminal.
#pragma once

#include <cstdio>

#include "cli/output/output_stream.h"
#include "cli/output/query_answers.h"

// Reads lines typed at "字> " and answers the characters of each, labelled
// when a line has several, until an empty line or the end of the input.
// The prompt and its help go to `err`, so that results sent to a file hold
// results only.
void RunPrompt(std::FILE* in, QueryAnswers& answers, OutputStream& out, OutputStream& err);
