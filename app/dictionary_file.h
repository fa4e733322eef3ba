// Where Orvalen looks for its dictionary, hz.txt: in the current directory
// first, then in the folder Orvalen.exe lies in. Started from a shortcut, the
// Start menu or another folder, the program still finds the hz.txt it was
// unpacked with.
#pragma once

#include <string>

#include "dictionary/dictionary_file.h"

// The process's current directory and Orvalen.exe's own folder, as Windows
// gives them (UTF-16, no trailing backslash).
std::wstring CurrentDirectory();
std::wstring ProgramDirectory();

// Loads hz.txt from Orvalen.exe's folder into the process-wide table. False,
// and the table unchanged, when it cannot be read.
bool LoadCharTableBesideProgram();
