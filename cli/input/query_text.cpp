#include "cli/input/query_text.h"

#include <optional>

#include "cli/text/locale_text.h"
#include "cli/text/text_codec.h"

namespace {

bool IsSpace(std::string_view character)
{
    return character == " " || character == "\t" || character == "\n" || character == "\r" || character == "\v" ||
           character == "\f" || character == "\xC2\xA0" /* U+00A0 */ || character == "\xE3\x80\x80" /* U+3000 */ ||
           character == "\xEF\xBB\xBF" /* U+FEFF */;
}

}  // namespace

std::string_view NextCharacter(std::string_view utf8, std::size_t& position)
{
    while (position < utf8.size()) {
        const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(utf8[position]));
        const std::string_view character = utf8.substr(position, length);
        position += character.size();
        if (!IsSpace(character))
            return character;
    }
    return {};
}

std::vector<Query> QueriesInText(std::string_view text, std::string_view whatItIs)
{
    const std::optional<std::string> utf8 = LocaleToUtf8(text);
    if (!utf8)
        return {Query{"", std::string(whatItIs) + " is not valid " + LocaleCharacterSetName() +
                              " text, the locale's character set"}};
    std::vector<Query> queries;
    std::size_t position = 0;
    for (std::string_view character; !(character = NextCharacter(*utf8, position)).empty();)
        queries.push_back(Query{std::string(character), ""});
    return queries;
}
