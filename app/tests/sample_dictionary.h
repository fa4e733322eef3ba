// The small dictionary the dialog tests search, as hz.txt holds it: code page
// 936 keys, a separator, the code, a pad byte and CR LF.
#pragma once

#include <string>

inline std::string SampleDictionary()
{
    std::string hz;
    for (const auto& [key, code] : {std::pair{"请", "ABCDEFGH"}, {"情", "XBCDEFGY"}, {"清", "BCDEQQ"},
                                    {"晴", "ZZZZ"}, {"青", "ABCDEFGH"}, {"静", "CDEFGHIJ"}, {"睛", "QBCDEQ"}})
        hz += std::string(key) + " " + code + " \r\n";
    return hz;
}
