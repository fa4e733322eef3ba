#include "answer/render_worksheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

WorksheetCharacter Character(std::string text, std::vector<std::string> pinyin, std::vector<std::string> words,
                             std::string difference = "")
{
    return WorksheetCharacter{std::move(text), std::move(pinyin), std::move(words), std::move(difference)};
}

// The sheet cut where the answers' page starts: what the pupil sees, and
// what the teacher keeps.
struct Sheet {
    std::string exercises;
    std::string answers;
};

Sheet Render(const std::vector<WorksheetSet>& sets)
{
    const std::string html = WorksheetHtml(sets);
    const std::size_t at = html.find("<section class=\"answers\">");
    EXPECT_NE(at, std::string::npos) << html;
    if (at == std::string::npos)
        return {html, ""};
    return {html.substr(0, at), html.substr(at)};
}

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

const std::string kBlank = "（<span class=\"gap\"></span>）";

WorksheetSet WeiMo()
{
    return {Character("未", {"wèi"}, {"未来", "从未"}), {Character("末", {"mò"}, {"周末", "末尾"}, "上横长")}};
}

TEST(WorksheetHtml, IsOneSelfContainedPrintableDocument)
{
    const std::string html = WorksheetHtml({WeiMo()});
    EXPECT_EQ(html.rfind("<!DOCTYPE html>\n<html lang=\"zh-CN\">", 0), 0u);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("@page { size: A4;"), std::string::npos);
    EXPECT_NE(html.find("KaiTi"), std::string::npos);
    EXPECT_NE(html.find("AR PL UKai CN"), std::string::npos);
    // Nothing to run, nothing to fetch: it prints from disk, offline.
    for (const char* outside : {"<script", "<link", "<img", "src=", "url(", "http:", "https:", "@import"})
        EXPECT_EQ(html.find(outside), std::string::npos) << outside;
    EXPECT_EQ(html.substr(html.size() - 8), "</html>\n");
}

TEST(WorksheetHtml, ShowsEachSetInOrderWithItsCharactersAndPinyin)
{
    const std::vector<WorksheetSet> sets = {
        WeiMo(),
        {Character("己", {"jǐ"}, {"自己"}), {Character("已", {"yǐ"}, {"已经"}), Character("巳", {"sì"}, {})}},
    };
    const Sheet sheet = Render(sets);
    std::size_t last = 0;
    for (const char* card : {"wèi</div><div class=\"grid\"><span>未<", "mò</div><div class=\"grid\"><span>末<",
                             "jǐ</div><div class=\"grid\"><span>己<", "yǐ</div><div class=\"grid\"><span>已<",
                             "sì</div><div class=\"grid\"><span>巳<"}) {
        const std::size_t at = sheet.exercises.find(card);
        ASSERT_NE(at, std::string::npos) << card;
        EXPECT_GT(at, last) << card;
        last = at;
    }
    EXPECT_EQ(Count(sheet.exercises, "<section class=\"set\">"), 2u);
    EXPECT_EQ(Count(sheet.answers, "<section class=\"set\">"), 2u);
    EXPECT_NE(sheet.exercises.find("<div class=\"number\">2</div>"), std::string::npos);
    EXPECT_NE(sheet.answers.find("<div class=\"number\">2</div>"), std::string::npos);
}

TEST(WorksheetHtml, BlanksTheCharacterInItsWordAndAnswersItOnAPageOfItsOwn)
{
    const Sheet sheet = Render({WeiMo()});
    EXPECT_NE(sheet.exercises.find("周" + kBlank), std::string::npos);
    EXPECT_NE(sheet.exercises.find(kBlank + "来"), std::string::npos);
    EXPECT_NE(sheet.answers.find("周（<b>末</b>）"), std::string::npos);
    EXPECT_NE(sheet.answers.find("（<b>未</b>）来"), std::string::npos);
    // The pupil's pages give no answer away: the words appear only after
    // the page break, which the answers' section starts.
    for (const char* word : {"周末", "未来", "末尾", "从未"})
        EXPECT_EQ(sheet.exercises.find(word), std::string::npos) << word;
    EXPECT_NE(sheet.answers.find("〔上横长〕</span>：周末、末尾"), std::string::npos);
    EXPECT_EQ(sheet.exercises.find("上横长"), std::string::npos);
    EXPECT_NE(sheet.exercises.find(".answers { break-before: page; page-break-before: always; }"), std::string::npos);
}

TEST(WorksheetHtml, ChoosesAWordThatLeavesSomethingToComplete)
{
    struct Case {
        const char* name;
        std::vector<std::string> words;
        std::string exercise;  // empty: the reading instead
    };
    const std::vector<Case> cases = {
        {"the first word", {"妹妹", "姐妹"}, kBlank + kBlank},  // every place the character stands
        {"not the character alone", {"妹", "姐妹"}, "姐" + kBlank},
        {"not a word without it", {"姐姐", "姐妹"}, "姐" + kBlank},
        {"none fits", {"妹", "姐姐"}, ""},
        {"no words", {}, ""},
    };
    for (const Case& c : cases) {
        const Sheet sheet = Render({{Character("妹", {"mèi"}, c.words), {}}});
        const std::string expected = c.exercise.empty() ? "<span class=\"pinyin\">mèi</span>" + kBlank : c.exercise;
        EXPECT_NE(sheet.exercises.find("<span class=\"item\">" + expected + "</span>"), std::string::npos) << c.name;
        EXPECT_EQ(Count(sheet.exercises, kBlank), expected == kBlank + kBlank ? 2u : 1u) << c.name;
    }
}

TEST(WorksheetHtml, GivesACharacterWithNeitherWordNorPinyinOnlyTheRowToMakeWords)
{
    const Sheet alone = Render({{Character("巳", {}, {}), {Character("已", {""}, {})}}});
    EXPECT_EQ(alone.exercises.find("选字填空"), std::string::npos);
    EXPECT_NE(alone.exercises.find("巳（<span class=\"gap word\"></span>）"), std::string::npos);
    EXPECT_NE(alone.exercises.find("已（<span class=\"gap word\"></span>）"), std::string::npos);
    EXPECT_NE(alone.answers.find("巳：—"), std::string::npos);

    const Sheet mixed = Render({{Character("巳", {}, {}), {Character("已", {"yǐ"}, {"已经"})}}});
    EXPECT_EQ(Count(mixed.exercises, kBlank), 1u);
    EXPECT_NE(mixed.exercises.find(kBlank + "经"), std::string::npos);
}

TEST(WorksheetHtml, ShowsAtMostSixLookAlikes)
{
    WorksheetSet set{Character("未", {"wèi"}, {}), {}};
    for (const char* text : {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛"})
        set.lookAlikes.push_back(Character(text, {}, {std::string(text) + "子"}));
    const std::string html = WorksheetHtml({set});
    for (const char* shown : {"甲", "乙", "丙", "丁", "戊", "己"})
        EXPECT_NE(html.find(shown), std::string::npos) << shown;
    for (const char* left : {"庚", "辛"})
        EXPECT_EQ(html.find(left), std::string::npos) << left;
}

TEST(WorksheetHtml, EscapesEveryTextAndKeepsTheDocumentValidUtf8)
{
    const std::string hostile = "<script>alert('&\"')</script>";
    const Sheet sheet =
        Render({{Character(hostile, {hostile}, {"x" + hostile}),
                {Character("\xFF\x01", {"\xC0\xAF"}, {"a\xE6\x9C"}, hostile)}}});
    const std::string html = sheet.exercises + sheet.answers;
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("alert('"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;alert(&#39;&amp;&quot;&#39;)&lt;/script&gt;"), std::string::npos);
    // A stray byte, a control character, an overlong form and a cut-off
    // character each show as U+FFFD.
    EXPECT_NE(html.find("<span>\xEF\xBF\xBD\xEF\xBF\xBD</span>"), std::string::npos);
    EXPECT_NE(html.find(">\xEF\xBF\xBD\xEF\xBF\xBD</div>"), std::string::npos);
    for (unsigned char c : html)
        EXPECT_FALSE(c == 0xFF || c == 0xC0 || (c < 0x20 && c != '\n')) << static_cast<int>(c);
}

TEST(WorksheetHtml, WithNoSetIsStillADocument)
{
    const Sheet sheet = Render({});
    EXPECT_EQ(sheet.exercises.find("<section class=\"set\">"), std::string::npos);
    EXPECT_EQ(sheet.answers.substr(sheet.answers.size() - 8), "</html>\n");
}

}  // namespace
