#include "text_codec.h"

#include <iconv.h>

#include <cerrno>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// One iconv conversion descriptor for the length of a call.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (ok())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`, calling `onBadInput` with what is left whenever
    // iconv stops at a sequence it cannot convert; that returns how many
    // bytes to skip, or 0 to give up.
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
            const std::size_t skip = onBadInput(out);
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

}  // namespace

std::optional<std::string> Utf8ToCp936(std::string_view utf8)
{
    if (!IsValidUtf8(utf8))
        return std::nullopt;
    thread_local Converter converter("CP936", "UTF-8");
    std::string out;
    if (!converter.ok() || !converter.Convert(utf8, out, [](std::string&) { return std::size_t{0}; }))
        return std::nullopt;
    return out;
}

std::string Cp936ToUtf8(std::string_view cp936)
{
    // Opening a converter costs far more than converting one character, and
    // the whole table's keys may be converted one by one.
    thread_local Converter converter("UTF-8", "CP936");
    std::string out;
    if (!converter.ok()) {
        for (std::size_t i = 0; i < cp936.size(); ++i)
            out += kReplacement;
        return out;
    }
    converter.Convert(cp936, out, [](std::string& converted) {
        converted += kReplacement;
        return std::size_t{1};
    });
    return out;
}
