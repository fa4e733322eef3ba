#include "cli/input/query_text.h"

#include <optional>
#include <string>

#include "cli/text/locale_text.h"

std::vector<Query> QueriesInText(std::string_view text, std::string_view whatItIs)
{
    const std::optional<std::string> utf8 = LocaleToUtf8(text);
    if (!utf8)
        return {Query{"", std::string(whatItIs) + " is not valid " + LocaleCharacterSetName() +
                              " text, the locale's character set"}};
    return QueriesInUtf8(*utf8);
}
