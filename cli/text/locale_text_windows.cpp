#include "cli/text/locale_text.h"

#include "text/text_codec.h"

// Windows hands arguments over as UTF-16, which main turns into UTF-8, and
// console input is read as UTF-16 too: the command line's text is UTF-8.

void UseLocaleCharacterSet() {}

std::string LocaleCharacterSetName()
{
    return "UTF-8";
}

std::optional<std::string> LocaleToUtf8(std::string_view text)
{
    if (!IsValidUtf8(text))
        return std::nullopt;
    return std::string(text);
}

std::string Utf8ToLocale(std::string_view utf8)
{
    return std::string(utf8);
}
