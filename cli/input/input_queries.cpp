#include "cli/input/input_queries.h"

#include <cerrno>
#include <cstring>

#include "cli/platform/platform.h"
#include "cli/text/locale_text.h"

namespace {

// Where to cut a piece of a line so that no character is split: before the
// UTF-8 character that the piece ends inside of; in another character set,
// after its last byte below 0x40, which is a character of its own there (no
// double-byte character of GBK, Big5 or the like holds one). The rest waits
// for the next piece.
std::size_t SafeCut(std::string_view piece, bool utf8)
{
    if (utf8) {
        std::size_t cut = piece.size();
        while (cut > 0 && piece.size() - cut < 4 && (static_cast<unsigned char>(piece[cut - 1]) & 0xC0) == 0x80)
            --cut;
        if (cut > 0 && static_cast<unsigned char>(piece[cut - 1]) >= 0xC0)
            return cut - 1;
        return piece.size();
    }
    for (std::size_t cut = piece.size(); cut > 0; --cut)
        if (static_cast<unsigned char>(piece[cut - 1]) < 0x40)
            return cut;
    return piece.size();
}

}  // namespace

bool InputQueries::ReadPiece()
{
    if (m_lineEnded) {
        ++m_lineNumber;
        m_punctuation = false;
        m_anyCharacter = false;
    }
    if (m_beforeRead)
        m_beforeRead();
    std::string piece;
    bool ended = true;
    errno = 0;
    if (!ReadInputLine(m_in, piece, kInputPieceBytes, &ended)) {
        if (std::ferror(m_in)) {
            m_readError = std::strerror(errno != 0 ? errno : EIO);
            return false;
        }
        if (m_carry.empty())
            return false;
        ended = true;  // the input ended inside a character
    }
    std::string bytes = std::move(m_carry);
    m_carry.clear();
    bytes += piece;
    if (!ended) {
        const std::size_t cut = SafeCut(bytes, LocaleCharacterSetName() == "UTF-8");
        m_carry = bytes.substr(cut);
        bytes.resize(cut);
    }
    m_lineEnded = ended;
    m_position = 0;
    std::optional<std::string> utf8 = LocaleToUtf8(bytes);
    m_valid = utf8.has_value();
    m_line = std::move(utf8).value_or("");
    return true;
}

std::optional<Query> InputQueries::Next()
{
    for (;;) {
        const std::string_view character = NextCharacter(m_line, m_position, &m_punctuation);
        if (!character.empty()) {
            m_anyCharacter = true;
            return Query{std::string(character), ""};
        }
        // A line of punctuation alone is answered, not passed over.
        if (m_lineEnded && m_punctuation && !m_anyCharacter) {
            m_punctuation = false;
            return Query{"", "line " + std::to_string(m_lineNumber) + " of the input " + std::string(kOnlyPunctuation)};
        }
        if (!ReadPiece())
            return std::nullopt;
        if (!m_valid)
            return Query{"", "line " + std::to_string(m_lineNumber) + " of the input is not valid " +
                                 LocaleCharacterSetName() + " text, the locale's character set"};
    }
}

std::optional<Query> InputQueries::NextIfWaiting(int milliseconds)
{
    std::size_t position = m_position;
    bool punctuation = m_punctuation;
    const bool more = !NextCharacter(m_line, position, &punctuation).empty() ||
                      (m_lineEnded && punctuation && !m_anyCharacter);
    if (!more && !InputWaiting(m_in, milliseconds))
        return std::nullopt;
    return Next();
}
