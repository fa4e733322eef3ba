// A standard stream that remembers its first write error, so that a full disk
// is reported once, at the end, instead of going unnoticed, and a reader that
// closed the pipe stops the work.
#pragma once

#include <cstdio>
#include <string_view>

class OutputStream {
public:
    explicit OutputStream(std::FILE* file);

    // UTF-8 text, written in the locale's character set; to a Windows
    // console as UTF-16, which it shows right whatever its code page.
    void Write(std::string_view utf8);
    // Bytes, written as they are: --raw's code page 936, JSON's UTF-8.
    void WriteBytes(std::string_view bytes);
    // Everything written so far goes out before anything written here, so
    // that messages and results sharing one file or terminal keep their order.
    void FlushFirst(OutputStream& other) { m_flushFirst = &other; }
    void Flush();

    // Flushes; true when everything written has gone out.
    bool Finish();
    bool Failed() const { return m_error != 0; }
    // The reader went away: a closed pipe, which is no error of ours.
    bool ReaderClosed() const { return m_readerClosed; }
    // The system's words for the first failure.
    const char* ErrorText() const;

private:
    void Fail();

    std::FILE* m_file;
    bool m_console;
    OutputStream* m_flushFirst = nullptr;
    int m_error = 0;
    bool m_readerClosed = false;
};
