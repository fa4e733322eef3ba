#include "answer/render_json.h"

#include <vector>

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

namespace {

// ["…",…] of code page 936 items, each made UTF-8 by `toUtf8`.
template <typename ToUtf8>
void AppendJsonList(std::string& out, const std::vector<std::string>& items, ToUtf8 toUtf8)
{
    out += '[';
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ',';
        out += JsonString(toUtf8(items[i]));
    }
    out += ']';
}

void AppendReadings(std::string& out, const CharacterReadings& readings)
{
    out += "\"pinyin\":";
    AppendJsonList(out, readings.pinyin, ReadingToUtf8);
    out += ",\"words\":";
    AppendJsonList(out, readings.words, [](std::string_view word) { return Cp936ToUtf8(word); });
}

// ,"pinyin":[…],"words":[…],"about":{"末":{"pinyin":[…],"words":[…],"difference":…},…}
void AppendExplanation(std::string& out, const Answer& answer)
{
    out += ',';
    AppendReadings(out, answer.readings);
    out += ",\"about\":{";
    for (std::size_t i = 0; i < answer.about.size(); ++i) {
        const ListedCharacter& listed = answer.about[i];
        if (i > 0)
            out += ',';
        out += JsonString(Cp936ToUtf8(listed.key)) + ":{";
        AppendReadings(out, listed.readings);
        out += ",\"difference\":";
        if (listed.difference)
            out += "{\"kind\":" + JsonString(listed.difference->kind) +
                   ",\"text\":" + JsonString(Cp936ToUtf8(listed.difference->text)) + "}";
        else
            out += "null";
        out += '}';
    }
    out += '}';
}

}  // namespace

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
    out += ']';
    if (answer.explained)
        AppendExplanation(out, answer);
    out += "}\n";
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
