// orvalen-find: the command-line front end over the dictionary and search.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

enum ExitStatus { kAllFound = 0, kSomeNotFound = 1, kTrouble = 2 };

// Runs orvalen-find with the arguments after the program name, writing results
// to `out` and messages to `err`. Returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);
