// One iconv conversion descriptor, shared by the POSIX text conversions.
#pragma once

#include <iconv.h>

#include <cerrno>
#include <string>
#include <string_view>

class IconvConverter {
public:
    IconvConverter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~IconvConverter()
    {
        if (ok())
            iconv_close(m_cd);
    }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`, calling `onBadInput` with what is converted so
    // far and what is left whenever iconv stops at a sequence it cannot
    // convert (or one cut short by the end); that returns how many bytes to
    // skip, or 0 to give up.
    template <typename OnBadInput>
    bool Convert(std::string_view in, std::string& out, OnBadInput onBadInput)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr);
            if (result != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            const std::size_t skip = onBadInput(out, std::string_view(inPtr, inLeft));
            if (skip == 0 || skip > inLeft)
                return false;
            inPtr += skip;
            inLeft -= skip;
        }
        return true;
    }

private:
    iconv_t m_cd;
};
