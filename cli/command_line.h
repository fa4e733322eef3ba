// orvalen-find: the command-line front end over the dictionary and search.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// kClosedPipe is no status of its own: the program then ends as SIGPIPE
// ends it, which a shell shows as 141.
enum ExitStatus { kAllFound = 0, kSomeNotFound = 1, kTrouble = 2, kClosedPipe = 141 };

struct StandardStreams {
    std::FILE* in;   // queries when no argument gives any
    std::FILE* out;  // results
    std::FILE* err;  // messages, and the prompt
    bool inputIsTerminal = false;  // queries from `in` are typed at a prompt
};

// Runs orvalen-find with the arguments after the program name, given in the
// locale's character set. The bundled dictionaries are looked for from
// `executableDirectory` (ExecutableDirectory()). Returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, const StandardStreams& streams,
                   const std::filesystem::path& executableDirectory);
