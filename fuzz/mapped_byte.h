// How the fuzz targets of the measure turn input bytes into code bytes: a
// mode byte picks an alphabet in which dashes, which the measure's padding
// matches, and repeated bytes, which make long runs, are common:
//   0: bytes as they are;
//   1: the alphabet "-ab";
//   2: bytes as they are, but a quarter of the values become '-';
//   3: the alphabet of '-', 'A' and two high bytes (as in double-byte codes).
#pragma once

inline char FuzzMapByte(unsigned mode, unsigned char byte)
{
    switch (mode % 4) {
    case 1:
        return "-ab"[byte % 3];
    case 2:
        return byte < 0x40 ? '-' : static_cast<char>(byte);
    case 3:
        return "-A\xB3\xB5"[byte % 4];
    default:
        return static_cast<char>(byte);
    }
}

// The same, for a code written into a dictionary line: never a line end or
// a zero byte, which would split the line or end the code ('z' instead).
inline char FuzzMapLineByte(unsigned mode, unsigned char byte)
{
    const char mapped = FuzzMapByte(mode, byte);
    return mapped == '\n' || mapped == '\r' || mapped == '\0' ? 'z' : mapped;
}
