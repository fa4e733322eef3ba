#include "output_stream.h"

#include <cerrno>
#include <cstring>

void OutputStream::Write(std::string_view bytes)
{
    if (m_error != 0 || bytes.empty())
        return;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        m_error = errno != 0 ? errno : EIO;
}

bool OutputStream::Finish()
{
    errno = 0;
    if (std::fflush(m_file) != 0 && m_error == 0)
        m_error = errno != 0 ? errno : EIO;
    if (std::ferror(m_file) && m_error == 0)
        m_error = EIO;
    return m_error == 0;
}

const char* OutputStream::ErrorText() const
{
    return std::strerror(m_error);
}
