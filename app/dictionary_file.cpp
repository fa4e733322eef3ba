#include "app/dictionary_file.h"

#include "dictionary/dictionary_file.h"
#include "framework/text_codec.h"

#include <windows.h>

#include <filesystem>

std::wstring CurrentDirectory()
{
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring directory(size, L'\0');
    directory.resize(GetCurrentDirectoryW(size, directory.data()));
    return directory;
}

std::wstring ProgramDirectory()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return path.substr(0, slash == std::wstring::npos ? 0 : slash);
}

namespace {

// Whether anything at all stands at `path`: a file, a directory, or a link,
// even one to nowhere. Where nothing stands, hz.txt is missing, not refused.
bool SomethingAt(const std::filesystem::path& path)
{
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    return status.type() != std::filesystem::file_type::not_found &&
           status.type() != std::filesystem::file_type::none;
}

std::wstring WideFromUtf8(std::string_view text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

void Replace(std::string& text, std::string_view mark, const std::string& by)
{
    const std::size_t at = text.find(mark);
    if (at != std::string::npos)
        text.replace(at, mark.size(), by);
}

}  // namespace

WindowDictionary LoadWindowDictionary()
{
    WindowDictionary result;
    for (const std::wstring& directory : {CurrentDirectory(), ProgramDirectory()}) {
        if (directory.empty())
            continue;
        const std::wstring path = directory + L"\\hz.txt";
        std::string reason;
        if (LoadCharTable(TheCharTable(), std::filesystem::path(path), &reason)) {
            result.used = path;
            break;
        }
        if (SomethingAt(path))
            result.refused.push_back({path, reason});
    }
    return result;
}

std::string RefusedDictionaryMessage(const WindowDictionary& dictionary, const std::string& refusedFormat,
                                     const std::string& emptyNotice)
{
    if (dictionary.refused.empty())
        return {};
    // The reasons are UTF-8; the box, like every text of the window, takes
    // code page 936. %1 names the first refused file, so its reason says
    // "it"; a second one names its own.
    std::string reasons;
    for (const RefusedDictionary& refused : dictionary.refused) {
        const bool first = reasons.empty();
        if (!first)
            reasons += '\n';
        reasons += Cp936FromWide(
            WideFromUtf8(first ? ReasonWithoutPath(refused.reason, std::filesystem::path(refused.path)) : refused.reason));
    }
    std::string message = refusedFormat;
    Replace(message, "%1", Cp936FromWide(dictionary.refused.front().path));
    Replace(message, "%2", reasons);
    if (dictionary.used) {
        Replace(message, "%3", Cp936FromWide(*dictionary.used));
        return message;
    }
    // Nothing read: the last paragraph says what is used instead, and is
    // replaced by the missing-dictionary notice's own last paragraph.
    const std::size_t paragraph = message.rfind("\n\n");
    const std::size_t emptyParagraph = emptyNotice.rfind("\n\n");
    message.resize(paragraph == std::string::npos ? message.size() : paragraph);
    if (emptyParagraph != std::string::npos)
        message += emptyNotice.substr(emptyParagraph);
    return message;
}
