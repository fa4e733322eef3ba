#include "cli/output/shared_run_text.h"

#include <cstdio>
#include <set>

#include "cli/text/text_codec.h"

namespace {

bool IsLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

bool IsTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The bundled dictionaries give look-alike characters a block in common:
// 0xFF and three id bytes, repeated. 0xFF is no code page 936 byte, so a run
// holding it at that period lies in such a block; its bytes mean nothing to
// a reader, what they stand for does.
constexpr unsigned char kLookAlikeMark = 0xFF;
constexpr std::size_t kLookAlikePeriod = 4;
constexpr std::string_view kLookAlikeLabel = "字形相近";

bool InLookAlikeBlock(std::string_view entryCode, SharedRun run)
{
    const std::string_view bytes = entryCode.substr(run.start, run.length);
    const std::size_t first = bytes.find(static_cast<char>(kLookAlikeMark));
    return first != std::string_view::npos && first + kLookAlikePeriod < bytes.size() &&
           static_cast<unsigned char>(bytes[first + kLookAlikePeriod]) == kLookAlikeMark;
}

}  // namespace

std::string DescribeSharedRun(std::string_view entryCode, SharedRun run)
{
    if (run.start + run.length <= entryCode.size() && InLookAlikeBlock(entryCode, run))
        return std::string(kLookAlikeLabel);
    const std::size_t end = run.start + run.length;
    std::string text;
    std::string hex;  // hex bytes waiting to be closed with "]"
    std::set<std::string> told;
    auto flushHex = [&] {
        if (hex.empty())
            return;
        text += (text.empty() ? "[" : " [") + hex + "]";
        hex.clear();
    };
    // Walk the code from its start, so that characters are cut where the
    // code's own characters begin, not where the run happens to.
    std::size_t i = 0;
    while (i < end && i < entryCode.size()) {
        const unsigned char byte = static_cast<unsigned char>(entryCode[i]);
        const bool pair = IsLeadByte(byte) && i + 1 < entryCode.size() &&
                          IsTrailByte(static_cast<unsigned char>(entryCode[i + 1]));
        const std::size_t width = pair ? 2 : 1;
        const bool inside = i >= run.start && i + width <= end;
        std::string shown;
        if (pair && inside) {
            shown = Cp936ToUtf8(entryCode.substr(i, 2));
            if (shown == kReplacement)
                shown.clear();
        }
        if (!shown.empty()) {
            // A component's code stands after each of its parts (请 讠 请 青
            // 请), so each character is told once: the parts, not the weave.
            if (told.insert(shown).second) {
                flushHex();
                text += (text.empty() ? "" : " ") + shown;
            }
        } else {
            for (std::size_t k = i; k < i + width; ++k) {
                if (k < run.start || k >= end)
                    continue;
                char digits[4];
                std::snprintf(digits, sizeof digits, "%s%02X", hex.empty() ? "" : " ",
                              static_cast<unsigned char>(entryCode[k]));
                hex += digits;
            }
        }
        i += width;
    }
    flushHex();
    return text;
}
