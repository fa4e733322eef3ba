// Where Orvalen looks for its dictionary, hz.txt: in the current directory
// first, then in the folder Orvalen.exe lies in. Started from a shortcut, the
// Start menu or another folder, the program still finds the hz.txt it was
// unpacked with.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dictionary/dictionary_file.h"

// The process's current directory and Orvalen.exe's own folder, as Windows
// gives them (UTF-16, no trailing backslash).
std::wstring CurrentDirectory();
std::wstring ProgramDirectory();

// A hz.txt that is there but was refused (a directory, a link to nowhere, too
// large, too many lines, unreadable), with the shared reader's reason.
struct RefusedDictionary {
    std::wstring path;
    std::string reason;  // UTF-8, as the reader gives it
};

// What the window read at start-up: the hz.txt it uses (none when the table
// stayed empty) and every hz.txt it found but refused, in the order looked at.
struct WindowDictionary {
    std::optional<std::wstring> used;
    std::vector<RefusedDictionary> refused;
};

// Loads hz.txt from the current directory, else from Orvalen.exe's folder,
// into the process-wide table, and tells which was used and which refused. A
// place without any hz.txt is neither.
WindowDictionary LoadWindowDictionary();

// The box text for a start-up at which some hz.txt was refused, as code page
// 936 bytes: the first refused file, every reason (the first one without
// the file's name, which the box gives above it), and what is used instead
// (the other file, or an empty dictionary). `refusedFormat` is the
// IDS_DICTIONARY_REFUSED string, `emptyNotice` the IDS_NO_DICTIONARY string,
// whose last paragraph says what an empty dictionary means.
std::string RefusedDictionaryMessage(const WindowDictionary& dictionary, const std::string& refusedFormat,
                                     const std::string& emptyNotice);
