// A standard stream that remembers its first write error, so that a full disk
// or a closed pipe is reported once, at the end, instead of going unnoticed.
#pragma once

#include <cstdio>
#include <string_view>

class OutputStream {
public:
    explicit OutputStream(std::FILE* file) : m_file(file) {}

    void Write(std::string_view bytes);
    // Flushes; true when everything written has gone out.
    bool Finish();
    // The system's words for the first failure.
    const char* ErrorText() const;

private:
    std::FILE* m_file;
    int m_error = 0;
};
