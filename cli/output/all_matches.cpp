#include "cli/output/all_matches.h"

#include <string_view>
#include <unordered_set>

#include "answer/answer.h"
#include "answer/render_json.h"
#include "answer/render_tsv.h"

namespace {

// "\r1234 of 20902 entries", written over itself on a terminal.
std::string ProgressLine(std::size_t done, std::size_t total)
{
    std::string line = "\r";
    line += std::to_string(done);
    line += " of ";
    line += std::to_string(total);
    line += " entries";
    return line;
}

// TSV is text, in the locale's character set; JSON is UTF-8 by definition.
void Write(OutputStream& out, OutputFormat format, std::string_view text)
{
    if (format == OutputFormat::Tsv)
        out.Write(text);
    else
        out.WriteBytes(text);
}

}  // namespace

void WriteAllMatches(const CharTable& table, const Options& options, const Readings* readings, OutputStream& out,
                     OutputStream& err, bool progress)
{
    std::unordered_set<std::string_view> seen;
    std::string text;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const CharEntry& entry = table[i];
        // A later entry with the same key is never what a search finds.
        if (seen.insert(entry.key).second) {
            const Answer answer =
                AnswerEntry(table, entry, AnswerOptions{options.top, options.minScore, options.explain}, readings);
            if (options.format == OutputFormat::Tsv)
                AppendTsvLines(text, answer);
            else
                AppendJsonLine(text, answer);
        }
        if (text.size() > (1 << 16)) {
            Write(out, options.format, text);
            text.clear();
            // A reader that has gone (| head) or a full disk: nothing more
            // can be written, so the rest need not be worked out.
            if (out.Failed() || err.Failed())
                return;
        }
        if (progress && (i % 512 == 0 || i + 1 == table.size()))
            err.Write(ProgressLine(i + 1, table.size()));
    }
    Write(out, options.format, text);
    if (progress)
        err.Write("\n");
}
