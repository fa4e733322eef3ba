#include "text/query_text.h"

#include <cstdint>

#include "text/shown_text.h"
#include "text/text_codec.h"

namespace {

// Characters with Unicode's White_Space property, the zero-width space and
// the byte order mark (a zero-width no-break space): none can be part of a
// key, and pasted text brings them along.
constexpr CodePointRange kBlanks[] = {
    {0x0009, 0x000D}, {0x0020, 0x0020}, {0x0085, 0x0085}, {0x00A0, 0x00A0}, {0x1680, 0x1680},
    {0x2000, 0x200B}, {0x2028, 0x2029}, {0x202F, 0x202F}, {0x205F, 0x205F}, {0x3000, 0x3000},
    {0xFEFF, 0xFEFF},
};

// Punctuation, ASCII and full-width, and the ASCII symbols: a worksheet line
// is full of ，、；。 and quotes and brackets, and no dictionary key is one.
// Letters, digits and other symbols stay queries, as do 々 and 〇, which are
// used as characters.
constexpr CodePointRange kPunctuation[] = {
    {0x0021, 0x002F}, {0x003A, 0x0040}, {0x005B, 0x0060}, {0x007B, 0x007E},  // ASCII
    {0x00A1, 0x00A1}, {0x00A7, 0x00A7}, {0x00AB, 0x00AB}, {0x00B6, 0x00B7}, {0x00BB, 0x00BB},
    {0x00BF, 0x00BF},                                                        // Latin-1 punctuation
    {0x2010, 0x2027}, {0x2030, 0x205E},                                      // dashes, quotes, ellipsis...
    {0x3001, 0x3003}, {0x3008, 0x3011}, {0x3014, 0x301F}, {0x3030, 0x3030}, {0x303D, 0x303D},
    {0x30FB, 0x30FB},                                                        // CJK punctuation and brackets
    {0xFE10, 0xFE19}, {0xFE30, 0xFE4F}, {0xFE50, 0xFE6B},                    // vertical, compatibility, small forms
    {0xFF01, 0xFF0F}, {0xFF1A, 0xFF20}, {0xFF3B, 0xFF40}, {0xFF5B, 0xFF65},  // full-width ASCII punctuation
};

}  // namespace

bool IsBlank(std::uint32_t codePoint)
{
    return InRanges(codePoint, kBlanks);
}

bool IsPunctuation(std::uint32_t codePoint)
{
    return InRanges(codePoint, kPunctuation);
}

std::string_view NextCharacter(std::string_view utf8, std::size_t& position, bool* skippedPunctuation)
{
    while (position < utf8.size()) {
        std::size_t length;
        const std::uint32_t codePoint = DecodeUtf8(utf8.substr(position), &length);
        const std::string_view character = utf8.substr(position, length);
        position += length;
        if (IsPunctuation(codePoint)) {
            if (skippedPunctuation)
                *skippedPunctuation = true;
        } else if (!IsBlank(codePoint)) {
            return character;
        }
    }
    return {};
}

std::string OnlyPunctuation(std::string_view utf8)
{
    std::string_view text = utf8;
    if (text.size() > 60) {
        std::size_t cut = 60;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        text = text.substr(0, cut);
    }
    std::string problem(1, '"');
    problem += ShownText(text);
    problem += text.size() < utf8.size() ? "...\" " : "\" ";
    problem += kOnlyPunctuation;
    return problem;
}

std::vector<Query> QueriesInUtf8(std::string_view utf8)
{
    std::vector<Query> queries;
    std::size_t position = 0;
    bool punctuation = false;
    for (std::string_view character; !(character = NextCharacter(utf8, position, &punctuation)).empty();)
        queries.push_back(Query{std::string(character), ""});
    if (queries.empty() && punctuation)
        queries.push_back(Query{"", OnlyPunctuation(utf8)});
    return queries;
}
