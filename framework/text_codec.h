// Text crosses between Orvalen and Windows here, and only here. Orvalen keeps
// all text as code page 936 bytes; Windows is always spoken to in UTF-16
// through the W functions. Converting with code page 936 by number, not with
// the system's ANSI code page, keeps Chinese text intact on a system set to
// any other code page (under 1252 the A functions turn it into "?").
#pragma once

#include <string>
#include <string_view>

// Code page 936 bytes to UTF-16. Bytes that are no valid character become
// the replacement character; nothing is dropped silently.
std::wstring WideFromCp936(std::string_view bytes);

// UTF-16 to code page 936 bytes. Characters that code page 936 lacks become
// "?", as the A functions would give them.
std::string Cp936FromWide(std::wstring_view text);
