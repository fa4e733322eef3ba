// Entry point of orvalen-find. Arguments reach RunCommandLine in the locale's
// character set: on Windows, which hands them over as UTF-16, as UTF-8.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/text/locale_text.h"
#include "cli/platform/platform.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

int Main(const std::vector<std::string>& args)
{
    PrepareStandardStreams();
    UseLocaleCharacterSet();
    const int status = RunCommandLine(args, StandardStreams{stdin, stdout, stderr, IsTerminal(stdin)}, ExecutableDirectory());
    if (status == kClosedPipe)
        EndAsClosedPipe();
    return status;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 0 ? static_cast<std::size_t>(size) : 1, '\0');
        WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, arg.data(), size, nullptr, nullptr);
        arg.resize(arg.size() - 1);  // the terminating zero
        args.push_back(std::move(arg));
    }
    return Main(args);
}
#else
int main(int argc, char** argv)
{
    return Main(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
