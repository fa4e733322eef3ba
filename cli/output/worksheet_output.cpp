#include "cli/output/worksheet_output.h"

#include "answer/answer.h"
#include "answer/render_worksheet.h"
#include "answer/worksheet_set.h"
#include "cli/output/query_answers.h"

bool WriteWorksheet(const CharTable& table, const std::function<std::optional<Query>()>& next,
                    const Readings* readings, GbkHint& gbk, OutputStream& out, OutputStream& err)
{
    std::vector<WorksheetSet> sets;
    bool allFound = true;
    // The sheet is written whole at the end, so a reader of the messages
    // that has gone is the only reason to stop early.
    for (std::optional<Query> query = next(); query && !err.Failed(); query = next()) {
        const CharEntry* entry = LookUpQuery(table, *query, true, gbk, err);
        if (!entry) {
            allFound = false;
            continue;
        }
        AnswerOptions options;
        options.explain = true;
        sets.push_back(WorksheetSetFor(AnswerEntry(table, *entry, options, readings)));
    }
    if (!sets.empty())
        out.WriteBytes(WorksheetHtml(sets));
    return allFound;
}
