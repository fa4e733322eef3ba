#include "cli/platform/platform.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/platform/byte_line.h"

const char kEndOfInputKeys[] = "Ctrl-D";

std::filesystem::path ExecutableDirectory()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

std::string RawQueryBytes(const std::string& utf8Argument)
{
    return utf8Argument;
}

std::filesystem::path ArgumentPath(const std::string& argument)
{
    return argument;
}

void PrepareStandardStreams()
{
    std::signal(SIGPIPE, SIG_IGN);
}

bool IsClosedPipeError(int error)
{
    return error == EPIPE;
}

void EndAsClosedPipe()
{
    std::signal(SIGPIPE, SIG_DFL);
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    sigprocmask(SIG_UNBLOCK, &pipe, nullptr);
    raise(SIGPIPE);
    std::_Exit(128 + SIGPIPE);
}

bool IsTerminal(std::FILE* stream)
{
    return isatty(fileno(stream)) == 1;
}

bool IsConsole(std::FILE*)
{
    return false;
}

bool WriteConsoleText(std::FILE*, std::string_view)
{
    return false;
}

bool ReadInputLine(std::FILE* in, std::string& line, std::size_t most, bool* ended)
{
    line.clear();
    return ReadByteLine(in, [in] { return getc_unlocked(in); }, line, most, ended);
}

bool IsDiskFile(std::FILE* stream)
{
    struct stat status;
    return fstat(fileno(stream), &status) == 0 && S_ISREG(status.st_mode);
}

bool InputWaiting(std::FILE* in, int milliseconds)
{
    pollfd input{fileno(in), POLLIN, 0};
    return poll(&input, 1, milliseconds) != 0;
}
