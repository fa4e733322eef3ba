#include "answer/render_json.h"

#include "text/text_codec.h"

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

void AppendJsonLine(std::string& out, const Answer& answer)
{
    out += "{\"char\":" + JsonString(Cp936ToUtf8(answer.key)) + ",\"groups\":[";
    for (std::size_t i = 0; i < answer.groups.size(); ++i) {
        const ScoreGroup& group = answer.groups[i];
        out += i > 0 ? ",{\"score\":" : "{\"score\":";
        out += std::to_string(group.score) + ",\"chars\":[";
        for (std::size_t k = 0; k < group.chars.size(); ++k) {
            if (k > 0)
                out += ',';
            out += JsonString(Cp936ToUtf8(group.chars[k]));
        }
        out += "]}";
    }
    out += "]}\n";
}

std::string JsonLine(const Answer& answer)
{
    std::string line;
    AppendJsonLine(line, answer);
    return line;
}

std::string JsonNoFindLine(std::string_view utf8)
{
    return "{\"char\":" + JsonString(utf8) + ",\"error\":\"no find\"}\n";
}
