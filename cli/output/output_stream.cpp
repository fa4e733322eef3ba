#include "cli/output/output_stream.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "cli/text/locale_text.h"
#include "cli/platform/platform.h"

OutputStream::OutputStream(std::FILE* file) : m_file(file), m_console(IsConsole(file)) {}

void OutputStream::Write(std::string_view utf8)
{
    if (m_error != 0 || utf8.empty())
        return;
    if (!m_console) {
        WriteBytes(Utf8ToLocale(utf8));
        return;
    }
    // Past the C library's buffer, so what went before it goes first.
    if (m_flushFirst)
        m_flushFirst->Flush();
    Flush();
    errno = 0;
    if (m_error == 0 && !WriteConsoleText(m_file, utf8))
        Fail();
}

void OutputStream::WriteBytes(std::string_view bytes)
{
    if (m_error != 0 || bytes.empty())
        return;
    if (m_flushFirst)
        m_flushFirst->Flush();
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        Fail();
}

void OutputStream::Flush()
{
    errno = 0;
    if (std::fflush(m_file) != 0 && m_error == 0)
        Fail();
}

bool OutputStream::Finish()
{
    Flush();
    if (std::ferror(m_file) && m_error == 0)
        m_error = EIO;
    return m_error == 0;
}

// Called at once after a failed write, while errno and the system's last
// error still describe it.
void OutputStream::Fail()
{
    m_error = errno != 0 ? errno : EIO;
    m_readerClosed = IsClosedPipeError(m_error);
}

const char* OutputStream::ErrorText() const
{
    return std::strerror(m_error);
}
