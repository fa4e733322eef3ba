#include "platform.h"

#include <csignal>
#include <filesystem>
#include <system_error>
#include <unistd.h>

std::string ExecutableDirectory()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

std::string RawQueryBytes(const std::string& utf8Argument)
{
    return utf8Argument;
}

std::string NativePath(const std::string& utf8Path)
{
    return utf8Path;
}

void PrepareStandardStreams()
{
    std::signal(SIGPIPE, SIG_IGN);
}

bool IsTerminal(std::FILE* stream)
{
    return isatty(fileno(stream)) == 1;
}
