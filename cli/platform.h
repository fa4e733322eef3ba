// What the command line needs of the operating system.
#pragma once

#include <cstdio>
#include <string>

// The folder holding the running program, or empty when it cannot be told.
std::string ExecutableDirectory();

// A raw query argument's bytes: on Linux the bytes as given; on Windows, whose
// arguments arrive as UTF-16, their code page 936 form.
std::string RawQueryBytes(const std::string& utf8Argument);

// A UTF-8 file name in the form the C library's fopen takes.
std::string NativePath(const std::string& utf8Path);

// Standard output and error carry bytes unchanged, and writing to a closed
// pipe fails with an error instead of ending the process.
void PrepareStandardStreams();

bool IsTerminal(std::FILE* stream);
