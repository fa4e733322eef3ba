// CString: a string of code page 936 bytes, as the dialogs hold their texts.
// Lengths count bytes; a Chinese character is two.
#pragma once

#include "framework/win32.h"

#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_bytes(text ? text : "") {}
    CString(std::string bytes) : m_bytes(std::move(bytes)) {}

    int GetLength() const { return static_cast<int>(m_bytes.size()); }
    BOOL IsEmpty() const { return m_bytes.empty(); }
    void Empty() { m_bytes.clear(); }

    // Loads string `id` from the application's resources, converted to code
    // page 936. False, and empty, when there is no such string.
    BOOL LoadString(UINT id);

    const std::string& Bytes() const { return m_bytes; }
    operator const char*() const { return m_bytes.c_str(); }
    operator std::string_view() const { return m_bytes; }

private:
    std::string m_bytes;
};
