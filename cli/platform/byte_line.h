// Reading one line of a byte stream, as both platforms do for pipes, files
// and terminals (a Windows console aside, which gives UTF-16).
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// The bytes `getByte` gives (a byte, or EOF), up to a line feed, into
// `line`, which must start empty; at most `most` of them, and then `*ended`
// is false. False at the end of the input, or when `in` cannot be read.
template <typename GetByte>
bool ReadByteLine(std::FILE* in, GetByte getByte, std::string& line, std::size_t most, bool* ended)
{
    *ended = true;
    int c;
    while (line.size() < most && (c = getByte()) != EOF) {
        if (c == '\n')
            return true;
        line += static_cast<char>(c);
    }
    if (line.size() >= most) {
        *ended = false;
        return true;
    }
    return !line.empty() && !std::ferror(in);
}
