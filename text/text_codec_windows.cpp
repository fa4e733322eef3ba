#include "text/text_codec.h"

#include <windows.h>

namespace {

constexpr UINT kCodePage936 = 936;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

std::wstring ToWide(UINT codePage, std::string_view text, DWORD flags)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
    return wide;
}

std::string FromWide(UINT codePage, std::wstring_view wide, BOOL* lossy)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    // UTF-8 takes no default-character arguments.
    BOOL* usedDefault = codePage == CP_UTF8 ? nullptr : lossy;
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefault);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length, nullptr, usedDefault);
    return text;
}

}  // namespace

std::optional<std::string> Utf8ToCp936(std::string_view utf8)
{
    if (!IsValidUtf8(utf8))
        return std::nullopt;
    if (utf8.empty())
        return std::string();
    const std::wstring wide = ToWide(CP_UTF8, utf8, MB_ERR_INVALID_CHARS);
    BOOL lossy = FALSE;
    std::string cp936 = FromWide(kCodePage936, wide, &lossy);
    if (wide.empty() || cp936.empty() || lossy)
        return std::nullopt;
    return cp936;
}

std::string Cp936ToUtf8(std::string_view cp936)
{
    // Character by character, so that one bad byte spoils only itself.
    std::string out;
    std::size_t i = 0;
    while (i < cp936.size()) {
        const bool lead = IsDBCSLeadByteEx(kCodePage936, static_cast<BYTE>(cp936[i])) && i + 1 < cp936.size();
        const std::size_t length = lead ? 2 : 1;
        const std::wstring wide = ToWide(kCodePage936, cp936.substr(i, length), MB_ERR_INVALID_CHARS);
        if (wide.empty()) {
            out += kReplacement;
            i += 1;
        } else {
            out += FromWide(CP_UTF8, wide, nullptr);
            i += length;
        }
    }
    return out;
}
