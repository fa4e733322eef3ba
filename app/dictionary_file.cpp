#include "app/dictionary_file.h"

#include "dictionary/dictionary_file.h"

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

bool LoadCharTableBesideProgram()
{
    const std::wstring directory = ProgramDirectory();
    if (directory.empty())
        return false;
    // Read by its UTF-16 name, through the reader every front end shares,
    // with its limits.
    return LoadCharTable(TheCharTable(), std::filesystem::path(directory + L"\\hz.txt"));
}
