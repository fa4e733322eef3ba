// Reading a dictionary file: the one way every front end (the window, the
// command line, the Python module) reads one, with the same limits and the
// same messages. Portable: no Windows header. Paths are std::filesystem::path,
// which on Windows holds UTF-16, so that a folder or file name the ANSI code
// page cannot spell (C:\工具\词典车\hz.txt) opens as well as any other.
//
// Messages are UTF-8 on Windows; elsewhere they hold the file name's bytes as
// given, which are in the locale's character set. They start with the file's
// name in double quotes, or with what could not be done to it ("cannot open
// "hz.txt": ..."), so that each front end can put its own words around them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/char_table.h"

// The most bytes a dictionary file may hold. Real dictionaries hold a few
// hundred kilobytes; a larger file is refused before it can take the memory
// (and /dev/zero, say, would never end).
inline constexpr std::size_t kMaxDictionaryBytes = std::size_t{512} << 20;

// The most lines a dictionary file of `fileBytes` bytes may hold. Each line
// costs an entry of views besides its bytes, so a file of very short lines
// would take many times its size: the entries may take at most twice the
// file, or 64 MB for a small file (two million lines).
inline constexpr std::size_t MaxDictionaryLines(std::size_t fileBytes)
{
    const std::size_t entryBytes = std::max(std::size_t{64} << 20, 2 * fileBytes);
    return entryBytes / sizeof(CharEntry);
}

// The lines of a file's bytes: one per line feed, and one more for text after
// the last line feed. The empty piece after a final line feed is no line.
std::size_t CountLines(std::string_view bytes);

// A path as messages show it: UTF-8 on Windows, its bytes elsewhere.
std::string PathText(const std::filesystem::path& path);

// Reads the file at `path` whole, in binary, in one pass, so that pipes and
// FIFOs work too. Costs one copy of the file (a pipe's grows by a quarter at
// a time). When it is missing, a link to nowhere, a directory, cannot be
// opened or read, holds more than kMaxDictionaryBytes (a regular file is
// refused by its size before anything is read) or more lines than
// MaxDictionaryLines, returns false, empties `bytes` and puts why into
// `*reason` (when given).
bool ReadDictionaryFile(const std::filesystem::path& path, std::string& bytes, std::string* reason = nullptr);

// A reason ReadDictionaryFile gave for `path`, saying "it" where it names the
// file ("It is a directory, not a dictionary file", "Cannot open it: ..."):
// for a text that names the file already, above the reason. A reason that
// does not name `path` is given back as it is.
std::string ReasonWithoutPath(std::string_view reason, const std::filesystem::path& path);

// What a dictionary's bytes look like when they do not look like code page
// 936 text with line feeds (UTF-8, UTF-16, CR line ends, no double-byte key,
// empty), with how to convert them; nothing when they do. `table` is what was
// parsed from `bytes`. One pass over the bytes.
std::optional<std::string> WrongEncoding(std::string_view bytes, const CharTable& table);

// A dictionary read and parsed, with the warning its bytes earn (a file that
// is read but will find nothing, WrongEncoding). Returned by ReadDictionary.
struct DictionaryRead {
    CharTable table;
    std::optional<std::string> warning;  // what the file looks like instead
};

// Reads (ReadDictionaryFile), parses and checks the file at `path`: the whole
// reading of a dictionary as every front end does it. Peak memory is about
// four times the file: its bytes, the table's copy of them, and the entries
// (at most twice the file). Nothing, with why in `reason`, when it is refused.
std::optional<DictionaryRead> ReadDictionary(const std::filesystem::path& path, std::string& reason);

// Reads the file at `path` (ReadDictionaryFile) and appends its entries to
// `table`. When it is refused, returns false, leaves `table` as it was, and
// puts why into `*reason` (when given).
bool LoadCharTable(CharTable& table, const std::filesystem::path& path, std::string* reason = nullptr);

// Loads "hz.txt" from the current directory into the process-wide table.
bool LoadCharTable(std::string* reason = nullptr);
