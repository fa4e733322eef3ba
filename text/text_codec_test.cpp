#include "text/text_codec.h"

#include <gtest/gtest.h>

namespace {

TEST(TextCodec, RoundTripsChineseText)
{
    EXPECT_EQ(Utf8ToCp936("车"), std::optional<std::string>("\xB3\xB5"));
    EXPECT_EQ(Utf8ToCp936("请A"), std::optional<std::string>("\xC7\xEB" "A"));
    EXPECT_EQ(Cp936ToUtf8("\xB3\xB5 \xC7\xEB"), "车 请");
    // GBK beyond GB2312.
    EXPECT_EQ(Cp936ToUtf8(*Utf8ToCp936("亍丌")), "亍丌");
    EXPECT_EQ(Utf8ToCp936(""), std::optional<std::string>(""));
}

TEST(TextCodec, RefusesWhatCodePage936CannotWrite)
{
    EXPECT_EQ(Utf8ToCp936("\xF0\x9F\x98\x80"), std::nullopt);  // an emoji
    EXPECT_EQ(Utf8ToCp936("\xE0\xB8\x81"), std::nullopt);      // Thai
    EXPECT_EQ(Utf8ToCp936("\xF3\xA0\x81\xA1"), std::nullopt);  // a tag character, which iconv drops
    EXPECT_EQ(Utf8ToCp936("\xE8\xBD\xA6\xF3\xA0\x81\xA1"), std::nullopt);  // 车 and one
    EXPECT_EQ(Utf8ToCp936("\xB3\xB5"), std::nullopt);          // not UTF-8 at all
}

TEST(TextCodec, ReplacesBadCodePage936Bytes)
{
    // A lone lead byte at the end, and a lead byte with a bad trail byte.
    EXPECT_EQ(Cp936ToUtf8("\xB3\xB5\xB3"), "车\xEF\xBF\xBD");
    EXPECT_EQ(Cp936ToUtf8("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
}

TEST(TextCodec, Utf8Validation)
{
    EXPECT_TRUE(IsValidUtf8("plain 车 \xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE8\xBD"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\x80"));
}

}  // namespace
