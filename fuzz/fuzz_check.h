// A failed check in a fuzz target: say what broke, show the bytes involved,
// and abort so that libFuzzer records the input as a crash. Independent of
// NDEBUG, unlike assert.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

inline void FuzzPrintBytes(const char* label, std::string_view bytes)
{
    std::fprintf(stderr, "  %s (%zu bytes):", label, bytes.size());
    for (unsigned char byte : bytes)
        std::fprintf(stderr, " %02X", byte);
    std::fprintf(stderr, "\n");
}

[[noreturn]] inline void FuzzFail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : FuzzFail(#condition, __FILE__, __LINE__))
