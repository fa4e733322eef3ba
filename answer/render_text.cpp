#include "answer/render_text.h"

#include <unordered_map>

#include "text/shown_text.h"
#include "text/text_codec.h"

std::string ShownKey(std::string_view cp936)
{
    return ShownText(Cp936ToUtf8(cp936));
}

std::string ShownReadings(const CharacterReadings& readings)
{
    std::string text;
    for (std::size_t i = 0; i < readings.pinyin.size(); ++i) {
        if (i > 0)
            text += '/';
        // Shown first: the tone marks added after are combining characters,
        // which ShownText would spell out.
        text += ToneDigitToMark(ShownKey(readings.pinyin[i]));
    }
    if (!readings.words.empty()) {
        if (!text.empty())
            text += ' ';
        text += ShownKey(readings.words.front());
    }
    return text;
}

std::string KindInWords(std::string_view kind)
{
    static const std::unordered_map<std::string_view, const char*> kWords = {
        {"stroke_more", "a stroke more or fewer"},
        {"stroke_differs", "a stroke differs"},
        {"arrangement", "the same parts placed differently"},
        {"radical", "another radical"},
        {"other_part", "the same radical, another part"},
        {"other", "another difference"},
    };
    const auto found = kWords.find(kind);
    return found != kWords.end() ? found->second : ShownText(kind);
}

std::string ShownDifference(const Difference& difference)
{
    if (difference.text.empty())
        return KindInWords(difference.kind);
    return ShownKey(difference.text) + " (" + KindInWords(difference.kind) + ")";
}

void AppendTextLines(std::string& out, const Answer& answer, bool scores, std::string_view indent)
{
    std::unordered_map<std::string_view, const ListedCharacter*> about;
    for (const ListedCharacter& listed : answer.about)
        about.emplace(listed.key, &listed);
    for (const ScoreGroup& group : answer.groups) {
        out += indent;
        if (scores)
            out += std::to_string(group.score) + ": ";
        for (std::size_t i = 0; i < group.chars.size(); ++i) {
            if (i > 0)
                out += ' ';
            out += ShownKey(group.chars[i]);
        }
        out += '\n';
        if (!answer.explained)
            continue;
        for (const std::string& key : group.chars) {
            out += indent;
            out += "  ";
            out += ShownKey(key);
            const auto found = about.find(key);
            if (found != about.end()) {
                const ListedCharacter& listed = *found->second;
                const std::string readings = ShownReadings(listed.readings);
                if (!readings.empty())
                    out += ' ' + readings;
                if (listed.difference)
                    out += " \xE2\x80\x94 " + ShownDifference(*listed.difference);  // an em dash
            }
            out += '\n';
        }
    }
}
