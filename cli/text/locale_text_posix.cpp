#include "cli/text/locale_text.h"

#include <clocale>
#include <langinfo.h>

#include <algorithm>
#include <memory>

#include "text/iconv_converter.h"
#include "text/text_codec.h"

namespace {

struct LocaleCharacterSet {
    std::string name = "UTF-8";
    // Both empty while the character set is UTF-8: nothing to convert.
    std::unique_ptr<IconvConverter> toUtf8;
    std::unique_ptr<IconvConverter> fromUtf8;
};

LocaleCharacterSet& Current()
{
    static LocaleCharacterSet characterSet;
    return characterSet;
}

bool IsUtf8Name(std::string_view name)
{
    return name == "UTF-8" || name == "utf-8" || name == "UTF8" || name == "utf8";
}

bool IsAsciiName(std::string_view name)
{
    return name.empty() || name == "ANSI_X3.4-1968" || name == "ASCII" || name == "US-ASCII";
}

}  // namespace

void UseLocaleCharacterSet()
{
    std::setlocale(LC_ALL, "");
    const std::string name = nl_langinfo(CODESET);
    LocaleCharacterSet& current = Current();
    current = LocaleCharacterSet();
    if (IsUtf8Name(name) || IsAsciiName(name))
        return;
    auto toUtf8 = std::make_unique<IconvConverter>("UTF-8", name.c_str());
    auto fromUtf8 = std::make_unique<IconvConverter>(name.c_str(), "UTF-8");
    // A character set iconv does not know is left as UTF-8, the usual case.
    if (!toUtf8->ok() || !fromUtf8->ok())
        return;
    current.name = name;
    current.toUtf8 = std::move(toUtf8);
    current.fromUtf8 = std::move(fromUtf8);
}

std::string LocaleCharacterSetName()
{
    return Current().name;
}

std::optional<std::string> LocaleToUtf8(std::string_view text)
{
    LocaleCharacterSet& current = Current();
    if (!current.toUtf8) {
        if (!IsValidUtf8(text))
            return std::nullopt;
        return std::string(text);
    }
    std::string utf8;
    if (!current.toUtf8->Convert(text, utf8, [](std::string&, std::string_view) { return std::size_t{0}; }))
        return std::nullopt;
    return utf8;
}

std::string Utf8ToLocale(std::string_view utf8)
{
    LocaleCharacterSet& current = Current();
    if (!current.fromUtf8)
        return std::string(utf8);
    std::string text;
    current.fromUtf8->Convert(utf8, text, [](std::string& converted, std::string_view rest) {
        converted += '?';
        return std::min(Utf8SequenceLength(static_cast<unsigned char>(rest[0])), rest.size());
    });
    return text;
}
