// What the command line needs of the operating system.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

// The folder holding the running program, or empty when it cannot be told.
// On Windows it comes from the system as UTF-16 and stays so.
std::filesystem::path ExecutableDirectory();

// A raw query argument's bytes: on Linux the bytes as given; on Windows, whose
// arguments arrive as UTF-16, their code page 936 form.
std::string RawQueryBytes(const std::string& utf8Argument);

// The file an argument names (text in the locale's character set, UTF-8 on
// Windows). On Windows the path holds UTF-16, so that a name the ANSI code
// page cannot spell opens too.
std::filesystem::path ArgumentPath(const std::string& argument);

// Standard output and error carry bytes unchanged, and writing to a closed
// pipe fails with an error instead of ending the process, so that the
// program decides how to end.
void PrepareStandardStreams();

// Whether a write that just failed with `error` (errno) failed because the
// reader closed the pipe. Windows' C library calls that EINVAL, and only the
// system's last error, read at once, tells it from other faults.
bool IsClosedPipeError(int error);

// Ends the program as one whose reader closed the pipe: by the signal
// SIGPIPE, as cat and grep end, where there is one; else with status 141.
[[noreturn]] void EndAsClosedPipe();

bool IsTerminal(std::FILE* stream);

// Whether `stream` is a Windows console, which shows text written as UTF-16
// right whatever its code page, and bytes only as its code page reads them.
// Never on Linux, where a terminal takes bytes in the locale's character set.
bool IsConsole(std::FILE* stream);

// Writes UTF-8 text to the console `stream` as UTF-16; false when the
// console refuses it.
bool WriteConsoleText(std::FILE* stream, std::string_view utf8);

// One line of `in` without its line feed, in the locale's character set (a
// Windows console's UTF-16 input as UTF-8), or its next `most` bytes when the
// line goes on: `*ended` tells which. False at the end of the input, or when
// it cannot be read (ferror tells).
bool ReadInputLine(std::FILE* in, std::string& line, std::size_t most, bool* ended);

// Whether `stream` is a file on disk, which is read as fast as it can be
// written: anything else (a pipe, a terminal) may be a program waiting for
// each answer.
bool IsDiskFile(std::FILE* stream);

// Whether `in` has input to read (or its end) within `milliseconds`. Bytes
// already in the C library's buffer are not seen: it may say no when there is.
bool InputWaiting(std::FILE* in, int milliseconds);

// The keys that end input typed on a terminal.
extern const char kEndOfInputKeys[];
