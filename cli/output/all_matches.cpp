#include "cli/output/all_matches.h"

#include <string_view>
#include <unordered_set>
#include <vector>

#include "cli/output/score_groups.h"
#include "cli/text/text_codec.h"
#include "search/search.h"

namespace {

// A JSON string literal; dictionaries may hold control bytes and quotes.
std::string JsonString(std::string_view utf8)
{
    std::string text = "\"";
    for (char c : utf8) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (byte < 0x20) {
            static const char digits[] = "0123456789abcdef";
            text += "\\u00";
            text += digits[byte >> 4];
            text += digits[byte & 0xF];
        } else {
            text += c;
        }
    }
    return text + "\"";
}

// A TSV field: a key may hold any byte but zero, and a tab, CR or line feed
// in it would break the columns, so those are escaped as \t, \r and \n, and
// the backslash itself as \\.
std::string TsvField(std::string_view utf8)
{
    std::string field;
    for (char c : utf8) {
        switch (c) {
        case '\t': field += "\\t"; break;
        case '\r': field += "\\r"; break;
        case '\n': field += "\\n"; break;
        case '\\': field += "\\\\"; break;
        default: field += c;
        }
    }
    return field;
}

void AppendTsv(std::string& text, const std::string& key, const std::vector<ScoreGroup>& groups)
{
    const std::string keyField = TsvField(key);
    for (const ScoreGroup& group : groups) {
        text += keyField;
        text += '\t';
        text += std::to_string(group.score);
        text += '\t';
        for (std::size_t i = 0; i < group.chars.size(); ++i) {
            if (i > 0)
                text += ' ';
            text += TsvField(group.chars[i]);
        }
        text += '\n';
    }
}

void AppendJson(std::string& text, const std::string& key, const std::vector<ScoreGroup>& groups)
{
    text += "{\"char\":" + JsonString(key) + ",\"groups\":[";
    for (std::size_t i = 0; i < groups.size(); ++i) {
        text += i > 0 ? ",{\"score\":" : "{\"score\":";
        text += std::to_string(groups[i].score) + ",\"chars\":[";
        for (std::size_t k = 0; k < groups[i].chars.size(); ++k) {
            if (k > 0)
                text += ',';
            text += JsonString(groups[i].chars[k]);
        }
        text += "]}";
    }
    text += "]}\n";
}

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
void Write(OutputStream& out, AllFormat format, std::string_view text)
{
    if (format == AllFormat::Tsv)
        out.Write(text);
    else
        out.WriteBytes(text);
}

}  // namespace

void WriteAllMatches(const CharTable& table, const Options& options, OutputStream& out, OutputStream& err,
                     bool progress)
{
    std::unordered_set<std::string_view> seen;
    std::string text;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const CharEntry& entry = table[i];
        // A later entry with the same key is never what a search finds.
        if (seen.insert(entry.key).second) {
            std::vector<ScoredChar> list = RankMatches(table, entry.code);
            KeepTop(list, options.top);
            std::vector<ScoreGroup> groups = GroupByScore(list);
            // --min-score keeps only the closer groups.
            std::erase_if(groups, [&](const ScoreGroup& group) { return group.score < options.minScore; });
            const std::string key = Cp936ToUtf8(entry.key);
            if (options.format == AllFormat::Tsv)
                AppendTsv(text, key, groups);
            else
                AppendJson(text, key, groups);
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
