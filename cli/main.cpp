// Entry point of orvalen-find. Arguments reach RunCommandLine as UTF-8 on
// every platform: Windows hands them over as UTF-16.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/platform.h"

#ifdef _WIN32
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    PrepareStandardStreams();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 0 ? static_cast<std::size_t>(size) : 1, '\0');
        WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, arg.data(), size, nullptr, nullptr);
        arg.resize(arg.size() - 1);  // the terminating zero
        args.push_back(std::move(arg));
    }
    return RunCommandLine(args, stdout, stderr);
}
#else
int main(int argc, char** argv)
{
    PrepareStandardStreams();
    return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}
#endif
