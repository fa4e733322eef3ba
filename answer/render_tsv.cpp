#include "answer/render_tsv.h"

#include "text/text_codec.h"

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

void AppendTsvLines(std::string& out, const Answer& answer)
{
    const std::string keyField = TsvField(Cp936ToUtf8(answer.key));
    for (const ScoreGroup& group : answer.groups) {
        out += keyField;
        out += '\t';
        out += std::to_string(group.score);
        out += '\t';
        for (std::size_t i = 0; i < group.chars.size(); ++i) {
            if (i > 0)
                out += ' ';
            out += TsvField(Cp936ToUtf8(group.chars[i]));
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
