#include "dictionary/dictionary_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Opened by the path's own form: UTF-16 on Windows, whose narrow fopen would
// take the ANSI code page and lose what it cannot spell.
File OpenForReading(const fs::path& path)
{
#ifdef _WIN32
    return File(_wfopen(path.c_str(), L"rb"), &std::fclose);
#else
    return File(std::fopen(path.c_str(), "rb"), &std::fclose);
#endif
}

// Built by appending: GCC 12 warns, wrongly, of an overlap in literal + string&&.
std::string Quoted(const fs::path& path)
{
    std::string text = "\"";
    text += PathText(path);
    text += '"';
    return text;
}

// Why the file cannot be read, when it can be told before opening it: the
// system's own words ("No such file or directory" for a link to nowhere,
// "Permission denied" for a directory on Windows) would mislead.
std::optional<std::string> RefusedBeforeOpening(const fs::path& path)
{
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(path, error)) && !fs::exists(fs::status(path, error))) {
        const fs::path target = fs::read_symlink(path, error);
        if (!error && fs::status(path, error).type() == fs::file_type::not_found)
            return Quoted(path) + " is a link to " + Quoted(target) + ", which does not exist";
    }
    if (fs::is_directory(fs::status(path, error)))
        return Quoted(path) + " is a directory, not a dictionary file";
    return std::nullopt;
}

}  // namespace

std::size_t CountLines(std::string_view bytes)
{
    const std::size_t lineFeeds = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    return lineFeeds + (!bytes.empty() && bytes.back() != '\n');
}

std::string PathText(const fs::path& path)
{
    try {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    } catch (...) {
        // A Windows name with a lone surrogate has no UTF-8 form.
        return "(a file name that cannot be shown)";
    }
}

bool ReadDictionaryFile(const fs::path& path, std::string& bytes, std::string* reason)
{
    auto fail = [&](const std::string& what) {
        if (reason)
            *reason = what;
        std::string().swap(bytes);  // the memory back, not only the size
        return false;
    };
    auto tooLarge = [&]() {
        return fail(Quoted(path) + " is larger than " + std::to_string(kMaxDictionaryBytes >> 20) +
                    " MB, the most a dictionary may be");
    };
    auto failWithErrno = [&](const char* what) {
        return fail(std::string(what) + " " + Quoted(path) + ": " + std::strerror(errno));
    };
    if (const std::optional<std::string> refused = RefusedBeforeOpening(path))
        return fail(*refused);
    errno = 0;
    const File file = OpenForReading(path);
    if (!file)
        return failWithErrno("cannot open");

    bytes.clear();
    // A file that can tell its size gets its room at once, and one too large
    // (a sparse file, say) is refused before anything is read. A pipe cannot,
    // and grows: doubling could take twice the file's size for a moment,
    // growing by a quarter takes little more than it.
    std::error_code error;
    if (fs::is_regular_file(path, error)) {
        const std::uintmax_t size = fs::file_size(path, error);
        if (!error && size > kMaxDictionaryBytes)
            return tooLarge();
        if (!error)
            bytes.reserve(static_cast<std::size_t>(size) + 1);
    }
    char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (got > kMaxDictionaryBytes - bytes.size())
            return tooLarge();
        if (bytes.size() + got > bytes.capacity())
            bytes.reserve(bytes.size() + got + bytes.size() / 4);
        bytes.append(buffer, got);
    }
    if (std::ferror(file.get())) {
        if (errno == 0)
            errno = EIO;
        return failWithErrno("cannot read");
    }
    const std::size_t lines = CountLines(bytes);
    if (lines > MaxDictionaryLines(bytes.size()))
        return fail(Quoted(path) + " holds " + std::to_string(lines) + " lines, more than the " +
                    std::to_string(MaxDictionaryLines(bytes.size())) + " a dictionary of its size may hold");
    return true;
}

std::string ReasonWithoutPath(std::string_view reason, const fs::path& path)
{
    // Every reason names the file first, quoted; a link's target comes after.
    const std::string quoted = Quoted(path);
    const std::size_t at = reason.find(quoted);
    if (at == std::string_view::npos)
        return std::string(reason);
    std::string alone(reason.substr(0, at));
    alone += "it";
    alone += reason.substr(at + quoted.size());
    if (alone[0] >= 'a' && alone[0] <= 'z')
        alone[0] = static_cast<char>(alone[0] - 'a' + 'A');
    return alone;
}

std::optional<DictionaryRead> ReadDictionary(const fs::path& path, std::string& reason)
{
    std::string bytes;
    if (!ReadDictionaryFile(path, bytes, &reason))
        return std::nullopt;
    DictionaryRead read;
    ParseCharTable(bytes, read.table);
    read.warning = WrongEncoding(bytes, read.table);
    return read;
}

bool LoadCharTable(CharTable& table, const fs::path& path, std::string* reason)
{
    std::string bytes;
    if (!ReadDictionaryFile(path, bytes, reason))
        return false;
    ParseCharTable(bytes, table);
    return true;
}

bool LoadCharTable(std::string* reason)
{
    return LoadCharTable(TheCharTable(), "hz.txt", reason);
}
