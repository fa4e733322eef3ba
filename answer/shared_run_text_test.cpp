#include "answer/shared_run_text.h"

#include <gtest/gtest.h>

#include "text/text_codec.h"

namespace {

std::string Gb(const char* utf8)
{
    return *Utf8ToCp936(utf8);
}

TEST(DescribeSharedRun, WholeCharactersShowAsThemselves)
{
    const std::string code = Gb("冖车") + "!" + Gb("口");
    EXPECT_EQ(DescribeSharedRun(code, {0, 5}), "冖 车 [21]");
    EXPECT_EQ(DescribeSharedRun(code, {2, 5}), "车 [21] 口");
    // A component woven between its parts is told once.
    EXPECT_EQ(DescribeSharedRun(Gb("请讠请青请") + "!", {0, 11}), "请 讠 青 [21]");
}

TEST(DescribeSharedRun, CharactersCutByTheRunShowAsHex)
{
    const std::string code = Gb("冖车口");  // DA A2 B3 B5 BF DA
    EXPECT_EQ(DescribeSharedRun(code, {1, 4}), "[A2] 车 [BF]");
    // The code's own character boundaries count, not the run's start.
    EXPECT_EQ(DescribeSharedRun("x" + code, {2, 4}), "[A2] 车 [BF]");
}

TEST(DescribeSharedRun, LookAlikeBlocksAreToldByWhatTheyMean)
{
    const std::string block = "\xFF" "a\xB0\xA1" "\xFF" "a\xB0\xA1" "\xFF" "a\xB0\xA1";
    const std::string code = block + "\xFF" + Gb("青月");
    EXPECT_EQ(DescribeSharedRun(code, {0, 12}), "字形相近");
    // Grown by a byte into the component code beside it.
    EXPECT_EQ(DescribeSharedRun(code, {1, 13}), "字形相近");
    // One 0xFF alone is only a byte.
    EXPECT_EQ(DescribeSharedRun(std::string("\xFF") + Gb("青"), {0, 3}), "[FF] 青");
}

TEST(DescribeSharedRun, PartsWithNoHanziOfTheirOwnShowAsAPlaceholder)
{
    // The user-defined area (AB B0 the top of 至, A1 40 from its lower
    // block) and the symbol rows (A5 B3, the katakana for the top of 己):
    // never U+FFFD, a private-use character or kana. Each part is told once.
    const std::string code = std::string("\x22") + Gb("至") + "\xAB\xB0" + Gb("至土至") + "\xAB\xB0";
    EXPECT_EQ(DescribeSharedRun(code, {0, code.size()}), "[22] 至 〔无名部件〕 土");
    EXPECT_EQ(DescribeSharedRun(Gb("己") + "\xA5\xB3" + "C", {0, 5}), "己 〔无名部件〕 [43]");
    // Two different unnamed parts are two placeholders.
    EXPECT_EQ(DescribeSharedRun("\xF8\xA1\xA1\x40" + Gb("口"), {0, 6}), "〔无名部件〕 〔无名部件〕 口");
}

TEST(DescribeSharedRun, BytesThatAreNoCharacterShowAsHex)
{
    EXPECT_EQ(DescribeSharedRun("AB--\x81", {0, 5}), "[41 42 2D 2D 81]");
    EXPECT_EQ(DescribeSharedRun("", {0, 0}), "");
}

}  // namespace
