// Prints how the page reads each code page 936 code, for cp936_table_test.py
// to compare with glibc's iconv, which orvalen-find uses: per line, the code
// in hex, a tab, and the UTF-8 the page reads it as, or nothing when it is
// not read; then a tab and "back" when the text converts back to the same
// code.
#include <cstdio>
#include <string>

#include "text/text_codec.h"

namespace {

void PrintCode(const std::string& code)
{
    // A code whose first byte is skipped is not read: what follows is its
    // trail byte read on its own.
    std::string text = Cp936ToUtf8(code);
    if (text.starts_with("\xEF\xBF\xBD"))
        text.clear();
    const std::optional<std::string> back = Utf8ToCp936(text);
    for (const char byte : code)
        std::printf("%02X", static_cast<unsigned char>(byte));
    std::printf("\t%s\t%s\n", text.c_str(), back && *back == code ? "back" : "");
}

}  // namespace

int main()
{
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte)
        PrintCode(std::string(1, static_cast<char>(byte)));
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail)
            PrintCode(std::string{static_cast<char>(lead), static_cast<char>(trail)});
    return 0;
}
