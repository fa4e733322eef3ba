#include "answer/render_tsv.h"

#include <unordered_map>

#include "text/shown_text.h"
#include "text/text_codec.h"

namespace {

std::string KeyField(std::string_view cp936)
{
    return TsvField(Cp936ToUtf8(cp936));
}

// The items separated by spaces, each a TSV field; readings with their tone
// digits made marks.
template <typename ToUtf8>
std::string ListField(const std::vector<std::string>& items, ToUtf8 toUtf8, bool readings = false)
{
    std::string field;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            field += ' ';
        field += readings ? ToneDigitToMark(TsvField(toUtf8(items[i]))) : TsvField(toUtf8(items[i]));
    }
    return field;
}

void AppendExplainedLines(std::string& out, const Answer& answer)
{
    std::unordered_map<std::string_view, const ListedCharacter*> about;
    for (const ListedCharacter& listed : answer.about)
        about.emplace(listed.key, &listed);
    const std::string keyField = KeyField(answer.key);
    for (const ScoreGroup& group : answer.groups) {
        for (const std::string& key : group.chars) {
            out += keyField + '\t' + std::to_string(group.score) + '\t' + KeyField(key) + '\t';
            const auto found = about.find(key);
            if (found != about.end()) {
                const ListedCharacter& listed = *found->second;
                // The tone mark goes on after the field is made safe, which
                // would spell the combining mark out.
                out += ListField(listed.readings.pinyin,
                                 [](std::string_view reading) { return Cp936ToUtf8(reading); }, true) + '\t';
                out += ListField(listed.readings.words, [](std::string_view word) { return Cp936ToUtf8(word); });
                out += '\t';
                if (listed.difference)
                    out += TsvField(listed.difference->kind) + '\t' + KeyField(listed.difference->text);
                else
                    out += '\t';
            } else {
                out += "\t\t\t";
            }
            out += '\n';
        }
    }
}

}  // namespace

std::string TsvField(std::string_view utf8)
{
    std::string field;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= utf8.size(); ++i) {
        const char c = i < utf8.size() ? utf8[i] : '\0';
        const char* escape = c == '\t' ? "\\t" : c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\\' ? "\\\\" : nullptr;
        if (escape || i == utf8.size()) {
            field += ShownText(utf8.substr(start, i - start));
            if (escape)
                field += escape;
            start = i + 1;
        }
    }
    return field;
}

void AppendTsvLines(std::string& out, const Answer& answer)
{
    if (answer.explained) {
        AppendExplainedLines(out, answer);
        return;
    }
    const std::string keyField = KeyField(answer.key);
    for (const ScoreGroup& group : answer.groups) {
        out += keyField;
        out += '\t';
        out += std::to_string(group.score);
        out += '\t';
        for (std::size_t i = 0; i < group.chars.size(); ++i) {
            if (i > 0)
                out += ' ';
            out += KeyField(group.chars[i]);
        }
        out += '\n';
    }
}

std::string TsvLines(const Answer& answer)
{
    std::string lines;
    AppendTsvLines(lines, answer);
    return lines;
}
