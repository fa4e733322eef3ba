// A query's answer made into its set of the worksheet: the query and its
// closest look-alikes, in UTF-8, with their readings, words and differences
// when the answer was explained.
#pragma once

#include <cstddef>
#include <vector>

#include "answer/answer.h"
#include "answer/render_worksheet.h"

// How many characters of a list's score groups (their sizes, best first) go
// on the sheet: the first group, and the second too when there is one, up
// to kWorksheetLookAlikes in all.
std::size_t WorksheetLookAlikeCount(const std::vector<std::size_t>& groupSizes);

// The set for `answer`: its key and the look-alikes WorksheetLookAlikeCount
// keeps, each with what the answer's explanation says of it (nothing when
// the answer was not explained, or says nothing of it).
WorksheetSet WorksheetSetFor(const Answer& answer);
