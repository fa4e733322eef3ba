#include "framework/text_codec.h"

#include "framework/win32.h"

#include <climits>
#include <stdexcept>

namespace {

constexpr UINT kCodePage936 = 936;

// The conversion functions count in int; longer text is refused rather
// than cut silently.
int CheckedLength(std::size_t length)
{
    if (length > static_cast<std::size_t>(INT_MAX))
        throw std::length_error("text too long to convert");
    return static_cast<int>(length);
}

}  // namespace

std::wstring WideFromCp936(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int length = CheckedLength(bytes.size());
    const int needed = MultiByteToWideChar(kCodePage936, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(kCodePage936, 0, bytes.data(), length, text.data(), needed);
    return text;
}

std::string Cp936FromWide(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int length = CheckedLength(text.size());
    const int needed = WideCharToMultiByte(kCodePage936, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(kCodePage936, 0, text.data(), length, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}
