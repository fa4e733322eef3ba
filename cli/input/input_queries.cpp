#include "cli/input/input_queries.h"

#include <cerrno>
#include <cstring>

#include "cli/text/locale_text.h"
#include "cli/platform/platform.h"

std::optional<Query> InputQueries::Next()
{
    for (;;) {
        const std::string_view character = NextCharacter(m_line, m_position, &m_punctuation);
        if (!character.empty()) {
            m_anyCharacter = true;
            return Query{std::string(character), ""};
        }
        // A line of punctuation alone is answered, not passed over.
        if (m_punctuation && !m_anyCharacter) {
            m_punctuation = false;
            return Query{"", "line " + std::to_string(m_lineNumber) + " of the input " + std::string(kOnlyPunctuation)};
        }
        std::string bytes;
        errno = 0;
        if (!ReadInputLine(m_in, bytes)) {
            if (std::ferror(m_in))
                m_readError = std::strerror(errno != 0 ? errno : EIO);
            return std::nullopt;
        }
        ++m_lineNumber;
        m_position = 0;
        m_punctuation = false;
        m_anyCharacter = false;
        std::optional<std::string> utf8 = LocaleToUtf8(bytes);
        m_line = utf8.value_or("");
        if (!utf8)
            return Query{"", "line " + std::to_string(m_lineNumber) + " of the input is not valid " +
                                 LocaleCharacterSetName() + " text, the locale's character set"};
    }
}
