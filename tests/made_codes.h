// Codes and tables made up for the search's tests: random and repeating
// codes, and a table with one made-up double-byte key per code.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/char_table.h"

inline std::string Random(std::mt19937& random, std::size_t length, std::string_view alphabet)
{
    std::string text(length, ' ');
    for (char& c : text)
        c = alphabet[random() % alphabet.size()];
    return text;
}

inline std::string Repeated(std::string_view unit, std::size_t times)
{
    std::string text;
    text.reserve(unit.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        text += unit;
    return text;
}

// Keys 啊, 阿, ... in GB2312 order, each line padded as the file format asks.
inline CharTable TableOf(const std::vector<std::string>& codes)
{
    std::string text;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        text += static_cast<char>(0xB0 + i / 94);
        text += static_cast<char>(0xA1 + i % 94);
        text += ' ' + codes[i] + " \n";
    }
    CharTable table;
    ParseCharTable(text, table);
    return table;
}
