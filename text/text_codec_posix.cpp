#include "text/text_codec.h"

#include "text/iconv_converter.h"

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

}  // namespace

std::optional<std::string> Utf8ToCp936(std::string_view utf8)
{
    if (!IsValidUtf8(utf8))
        return std::nullopt;
    thread_local IconvConverter converter("CP936", "UTF-8");
    std::string out;
    if (!converter.ok() || !converter.Convert(utf8, out, [](std::string&, std::string_view) { return std::size_t{0}; }))
        return std::nullopt;
    // glibc drops some characters without a word (the tag characters
    // U+E0000-E007F): a query made only of one would become the empty key.
    // Text that does not come back unchanged has no code page 936 form.
    if (Cp936ToUtf8(out) != utf8)
        return std::nullopt;
    return out;
}

std::string Cp936ToUtf8(std::string_view cp936)
{
    // Opening a converter costs far more than converting one character, and
    // the whole table's keys may be converted one by one.
    thread_local IconvConverter converter("UTF-8", "CP936");
    std::string out;
    if (!converter.ok()) {
        for (std::size_t i = 0; i < cp936.size(); ++i)
            out += kReplacement;
        return out;
    }
    converter.Convert(cp936, out, [](std::string& converted, std::string_view) {
        converted += kReplacement;
        return std::size_t{1};
    });
    return out;
}
