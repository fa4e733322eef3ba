// The character set of the user's locale, in which the command line reads its
// arguments and standard input and writes its messages and results. Inside
// the program that text is UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Takes the character set of the user's locale (LC_ALL, LC_CTYPE, LANG).
// Before this is called, and in a locale whose character set is plain ASCII
// (the C and POSIX locales), which holds no Chinese, it is UTF-8. Windows
// hands arguments and console input over as UTF-16, so there it is always
// UTF-8.
void UseLocaleCharacterSet();

// The character set's name as the system gives it: "UTF-8", "GBK"...
std::string LocaleCharacterSetName();

// UTF-8 for text in the locale's character set, or nothing when the text is
// not valid in it.
std::optional<std::string> LocaleToUtf8(std::string_view text);

// The locale's form of UTF-8 text. Where the locale's character set is not
// UTF-8, a character it cannot write, and a byte that is not UTF-8, each
// become '?'.
std::string Utf8ToLocale(std::string_view utf8);
