#include "all_matches.h"

#include <string_view>
#include <unordered_set>
#include <vector>

#include "cli/text_codec.h"
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

void AppendTsv(std::string& text, const std::string& key, const std::vector<ScoredChar>& list, int minScore)
{
    for (std::size_t i = 0; i < list.size() && list[i].score >= minScore; ++i) {
        if (i == 0 || list[i].score != list[i - 1].score) {
            if (i > 0)
                text += '\n';
            text += key + '\t' + std::to_string(list[i].score) + '\t';
        } else {
            text += ' ';
        }
        text += Cp936ToUtf8(list[i].key);
    }
    if (!list.empty() && list[0].score >= minScore)
        text += '\n';
}

void AppendJson(std::string& text, const std::string& key, const std::vector<ScoredChar>& list, int minScore)
{
    text += "{\"char\":" + JsonString(key) + ",\"groups\":[";
    for (std::size_t i = 0; i < list.size() && list[i].score >= minScore; ++i) {
        if (i == 0 || list[i].score != list[i - 1].score) {
            if (i > 0)
                text += "]},";
            text += "{\"score\":" + std::to_string(list[i].score) + ",\"chars\":[";
        } else {
            text += ',';
        }
        text += JsonString(Cp936ToUtf8(list[i].key));
    }
    if (!list.empty() && list[0].score >= minScore)
        text += "]}";
    text += "]}\n";
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
            const std::vector<ScoredChar> list = RankMatches(table, entry.code);
            const std::string key = Cp936ToUtf8(entry.key);
            if (options.format == AllFormat::Tsv)
                AppendTsv(text, key, list, options.minScore);
            else
                AppendJson(text, key, list, options.minScore);
        }
        if (text.size() > (1 << 16)) {
            out.Write(text);
            text.clear();
        }
        if (progress && (i % 512 == 0 || i + 1 == table.size()))
            err.Write("\r" + std::to_string(i + 1) + " of " + std::to_string(table.size()) + " entries");
    }
    out.Write(text);
    if (progress)
        err.Write("\n");
}
