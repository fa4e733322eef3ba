#include "cli/platform/platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <string_view>

#include "cli/platform/byte_line.h"
#include "text/text_codec.h"

const char kEndOfInputKeys[] = "Ctrl-Z and Enter";

namespace {

std::string Narrow(UINT codePage, std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

std::wstring Widen(UINT codePage, std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

// The console `stream` writes to or reads from, or nothing when it is a file,
// a pipe or the NUL device (which _isatty calls a terminal).
HANDLE ConsoleOf(std::FILE* stream)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

// A line typed into the console, read as UTF-16 whatever the console's code
// page, without its line end; false at Ctrl-Z or when the console fails.
bool ReadConsoleLine(HANDLE console, std::string& line)
{
    std::wstring wide;
    wchar_t buffer[1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadConsoleW(console, buffer, static_cast<DWORD>(std::size(buffer)), &got, nullptr) || got == 0)
            break;
        wide.append(buffer, got);
        if (wide.back() == L'\n')
            break;
    }
    if (wide.empty() || wide.front() == L'\x1A')
        return false;
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r'))
        wide.pop_back();
    line = Narrow(CP_UTF8, wide);
    return true;
}

}  // namespace

std::filesystem::path ExecutableDirectory()
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
    return std::filesystem::path(path.substr(0, slash == std::wstring::npos ? 0 : slash));
}

std::string RawQueryBytes(const std::string& utf8Argument)
{
    // A character with no code page 936 form cannot be a key, and no key is
    // empty, so such a query is simply not found.
    return Utf8ToCp936(utf8Argument).value_or("");
}

std::filesystem::path ArgumentPath(const std::string& argument)
{
    return std::filesystem::path(Widen(CP_UTF8, argument));
}

void PrepareStandardStreams()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool IsTerminal(std::FILE* stream)
{
    return _isatty(_fileno(stream)) != 0;
}

bool IsConsole(std::FILE* stream)
{
    return ConsoleOf(stream) != nullptr;
}

bool WriteConsoleText(std::FILE* stream, std::string_view utf8)
{
    const HANDLE console = ConsoleOf(stream);
    if (!console)
        return false;
    const std::wstring wide = Widen(CP_UTF8, utf8);
    // In pieces, as older consoles refuse long writes, never splitting a
    // surrogate pair.
    constexpr std::size_t kPiece = 8192;
    std::size_t done = 0;
    while (done < wide.size()) {
        std::size_t length = std::min(kPiece, wide.size() - done);
        if (done + length < wide.size() && IS_HIGH_SURROGATE(wide[done + length - 1]))
            --length;
        DWORD written = 0;
        if (!WriteConsoleW(console, wide.data() + done, static_cast<DWORD>(length), &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool IsClosedPipeError(int error)
{
    // Windows says ERROR_NO_DATA when the reader has closed its end, Wine
    // ERROR_PIPE_NOT_CONNECTED.
    const DWORD lastError = GetLastError();
    return error == EPIPE || (error == EINVAL && (lastError == ERROR_NO_DATA || lastError == ERROR_BROKEN_PIPE ||
                                                  lastError == ERROR_PIPE_NOT_CONNECTED));
}

void EndAsClosedPipe()
{
    // Windows has no SIGPIPE: the status a shell shows for it will do.
    std::_Exit(141);
}

bool ReadInputLine(std::FILE* in, std::string& line, std::size_t most, bool* ended)
{
    line.clear();
    *ended = true;
    if (const HANDLE console = ConsoleOf(in))
        return ReadConsoleLine(console, line);
    return ReadByteLine(in, [in] { return std::getc(in); }, line, most, ended);
}

bool IsDiskFile(std::FILE* stream)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    return handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_DISK;
}

bool InputWaiting(std::FILE* in, int milliseconds)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(in)));
    if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_PIPE)
        return true;  // a file or a console: reading is the way to know
    for (int waited = 0;; waited += 10) {
        DWORD available = 0;
        // A pipe whose writer has gone fails here: its end is waiting.
        if (!PeekNamedPipe(handle, nullptr, 0, nullptr, &available, nullptr) || available > 0)
            return true;
        if (waited >= milliseconds)
            return false;
        Sleep(10);
    }
}
