#include "cli/dictionary_file/dictionary_encoding.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "cli/text/text_codec.h"

namespace {

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// A code page 936 double-byte character: what every key should be.
bool IsDoubleByteCharacter(std::string_view key)
{
    if (key.size() != 2)
        return false;
    const unsigned char lead = static_cast<unsigned char>(key[0]);
    const unsigned char trail = static_cast<unsigned char>(key[1]);
    return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
}

// UTF-8 with at least one character beyond ASCII. A head cut off in the
// middle of a character is judged without that character. Code page 936 text
// of any length is almost never valid UTF-8: its trail bytes are mostly not
// UTF-8 continuation bytes.
bool LooksLikeUtf8(std::string_view head)
{
    if (!std::any_of(head.begin(), head.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return false;
    for (std::size_t cut = 0; cut < 4 && cut < head.size(); ++cut)
        if (IsValidUtf8(head.substr(0, head.size() - cut)))
            return true;
    return false;
}

constexpr std::string_view kConvert =
    "; dictionaries are code page 936 (GB2312/GBK) text, so every search will answer \"no find\"";

}  // namespace

std::optional<std::string> WrongEncoding(std::string_view head, const CharTable& table)
{
    if (head.empty())
        return "is empty, so every search will answer \"no find\"";
    if (StartsWith(head, "\xEF\xBB\xBF"))
        return "is UTF-8 text (it starts with a UTF-8 byte order mark)" + std::string(kConvert) +
               "; convert it with: iconv -f UTF-8 -t CP936";
    if (StartsWith(head, "\xFF\xFE") || StartsWith(head, "\xFE\xFF"))
        return "is UTF-16 text (it starts with a UTF-16 byte order mark)" + std::string(kConvert) +
               "; convert it with: iconv -f UTF-16 -t CP936";
    // Code page 936 text has no zero bytes (one would end a line's text);
    // UTF-16 has one in every ASCII character, spaces and line ends included.
    std::size_t zerosAtEven = 0, zerosAtOdd = 0;
    for (std::size_t i = 0; i < head.size(); ++i)
        if (head[i] == '\0')
            ++(i % 2 == 0 ? zerosAtEven : zerosAtOdd);
    if ((zerosAtEven + zerosAtOdd) * 8 >= head.size()) {
        const char* order = zerosAtOdd >= zerosAtEven ? "UTF-16LE" : "UTF-16BE";
        return std::string("looks like ") + order + " text (it is full of zero bytes)" + std::string(kConvert) +
               "; convert it with: iconv -f " + order + " -t CP936";
    }
    if (LooksLikeUtf8(head))
        return "looks like UTF-8 text" + std::string(kConvert) + "; convert it with: iconv -f UTF-8 -t CP936";
    if (std::none_of(table.begin(), table.end(), [](const CharEntry& entry) { return IsDoubleByteCharacter(entry.key); }))
        return "has no line that starts with a code page 936 double-byte character" + std::string(kConvert);
    return std::nullopt;
}

std::string ReadFileHead(const std::string& path, std::size_t limit)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    std::string head(limit, '\0');
    const std::size_t got = file ? std::fread(head.data(), 1, limit, file.get()) : 0;
    head.resize(got);
    return head;
}
