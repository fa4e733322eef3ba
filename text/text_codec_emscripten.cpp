// Code page 936 under emscripten (the page). musl's iconv reads GBK but cannot
// write it, and it reads more than code page 936 as the command line's glibc
// has it: the user-defined areas as private-use characters, and some GB18030
// additions (A2E3 as the euro sign, A8BF, A989-A995, most of row FE). Both
// directions here come from one table: musl's reading cut to what glibc's
// CP936 reads, so that the page finds exactly what orvalen-find finds.
#include "text/text_codec.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <unordered_map>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

constexpr unsigned kFirstLead = 0x81;
constexpr unsigned kLeads = 0xFE - kFirstLead + 1;
constexpr unsigned kFirstTrail = 0x40;
constexpr unsigned kTrails = 0xFE - kFirstTrail + 1;
constexpr std::uint16_t kEuroByte = 0x80;  // code page 936's one single-byte character above ASCII

// What glibc's CP936 does not read although musl's GBK does.
bool OutsideCp936(unsigned code, std::uint32_t codePoint)
{
    if (codePoint >= 0xE000 && codePoint <= 0xF8FF)
        return true;  // user-defined areas, read as private use
    return code == 0xA2E3 || code == 0xA8BF || (code >= 0xA989 && code <= 0xA995) || code >= 0xFE50;
}

std::uint32_t ReadOne(iconv_t converter, unsigned code)
{
    char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    char out[4];
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = 2, outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    // musl writes one UCS-4 code point, in the machine's (little-endian) order.
    if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || outLeft != 0)
        return 0;
    return static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8 |
           static_cast<unsigned char>(out[2]) << 16 | static_cast<std::uint32_t>(static_cast<unsigned char>(out[3])) << 24;
}

struct Cp936Table {
    std::array<std::uint16_t, kLeads * kTrails> toUnicode{};  // 0: no character
    std::unordered_map<std::uint32_t, std::uint16_t> fromUnicode;

    Cp936Table()
    {
        const iconv_t converter = iconv_open("UCS-4LE", "GBK");
        if (converter == reinterpret_cast<iconv_t>(-1))
            return;
        fromUnicode.reserve(kLeads * kTrails);
        fromUnicode[0x20AC] = kEuroByte;
        for (unsigned lead = kFirstLead; lead < kFirstLead + kLeads; ++lead) {
            for (unsigned trail = kFirstTrail; trail < kFirstTrail + kTrails; ++trail) {
                if (trail == 0x7F)
                    continue;
                const unsigned code = lead << 8 | trail;
                const std::uint32_t codePoint = ReadOne(converter, code);
                if (codePoint == 0 || codePoint > 0xFFFF || OutsideCp936(code, codePoint))
                    continue;
                toUnicode[(lead - kFirstLead) * kTrails + trail - kFirstTrail] = static_cast<std::uint16_t>(codePoint);
                fromUnicode.emplace(codePoint, static_cast<std::uint16_t>(code));
            }
        }
        iconv_close(converter);
    }

    std::uint32_t Read(unsigned char lead, unsigned char trail) const
    {
        if (lead < kFirstLead || lead >= kFirstLead + kLeads || trail < kFirstTrail || trail >= kFirstTrail + kTrails)
            return 0;
        return toUnicode[(lead - kFirstLead) * kTrails + trail - kFirstTrail];
    }
};

// Made at the first conversion: some 24,000 one-character readings.
const Cp936Table& TheTable()
{
    static const Cp936Table table;
    return table;
}

void AppendUtf8(std::string& out, std::uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | codePoint >> 6);
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | codePoint >> 12);
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace

std::optional<std::string> Utf8ToCp936(std::string_view utf8)
{
    if (!IsValidUtf8(utf8))
        return std::nullopt;
    const Cp936Table& table = TheTable();
    std::string out;
    for (std::size_t position = 0; position < utf8.size();) {
        std::size_t length;
        const std::uint32_t codePoint = DecodeUtf8(utf8.substr(position), &length);
        position += length;
        if (codePoint < 0x80) {
            out += static_cast<char>(codePoint);
            continue;
        }
        const auto found = table.fromUnicode.find(codePoint);
        if (found == table.fromUnicode.end())
            return std::nullopt;
        if (found->second > 0xFF)
            out += static_cast<char>(found->second >> 8);
        out += static_cast<char>(found->second & 0xFF);
    }
    return out;
}

std::string Cp936ToUtf8(std::string_view cp936)
{
    const Cp936Table& table = TheTable();
    std::string out;
    out.reserve(cp936.size() * 3 / 2);
    for (std::size_t i = 0; i < cp936.size();) {
        const unsigned char byte = static_cast<unsigned char>(cp936[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            ++i;
        } else if (byte == kEuroByte) {
            AppendUtf8(out, 0x20AC);
            ++i;
        } else if (const std::uint32_t codePoint =
                       i + 1 < cp936.size() ? table.Read(byte, static_cast<unsigned char>(cp936[i + 1])) : 0) {
            AppendUtf8(out, codePoint);
            i += 2;
        } else {
            // As glibc's iconv is used on the command line: one byte skipped,
            // and the next read afresh.
            out += kReplacement;
            ++i;
        }
    }
    return out;
}
