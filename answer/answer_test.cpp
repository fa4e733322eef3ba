#include <gtest/gtest.h>

#include <string>

#include "answer/answer.h"
#include "answer/readings.h"
#include "answer/render_json.h"
#include "answer/render_tsv.h"
#include "text/text_codec.h"

namespace {

std::string Gbk(const char* utf8)
{
    return *Utf8ToCp936(utf8);
}

// A dictionary line: character, space, code, pad space, LF.
std::string Line(const std::string& key, const std::string& code)
{
    return key + " " + code + " \n";
}

CharTable Table()
{
    CharTable table;
    ParseCharTable(Line(Gbk("未"), "12345678") + Line(Gbk("末"), "x2345678") + Line(Gbk("木"), "1234567y") +
                       Line(Gbk("本"), "zz3456zz") + Line(Gbk("末"), "x234567z"),
                   table);
    return table;
}

Readings SmallReadings()
{
    return Readings::Parse(Gbk("未\twèi\t未来 未必\n末\tmò\t周末\n木\tmù\t\n"),
                           Gbk("未末\tstroke_differs\t上横长\n未本\tother\t\n"));
}

TEST(Readings, SkipsMalformedLinesAndKeepsTheFirstOfEachKey)
{
    const Readings readings = Readings::Parse(
        Gbk("未\twèi wéi\t未来\n"
            "no tabs at all\n"
            "末\tmò\n"              // two fields
            "木\tmù\tx\ty\n"        // four
            "\tmù\tx\n"             // no key
            "未\tmò\t周末\n"        // a second line for 未
            "本\tběn\t本来\r\n"     // CR LF
            "禾\t\t"),             // empty fields, no line end
        Gbk("未末\tstroke_differs\t上横长\n"
            "未\tradical\tx\n"       // a key of one character
            "未本木\tradical\tx\n"   // of three
            "未木\tRadical\tx\n"     // not a kind id
            "未木\t\tx\n"            // no kind
            "未末\tother\t\n"        // a second line for the pair
            "末未\tstroke_differs\t\r\n"));
    EXPECT_EQ(readings.Pinyin(Gbk("未")), (std::vector<std::string>{Gbk("wèi"), Gbk("wéi")}));
    EXPECT_EQ(readings.Words(Gbk("未")), std::vector<std::string>{Gbk("未来")});
    EXPECT_TRUE(readings.Pinyin(Gbk("末")).empty());
    EXPECT_TRUE(readings.Pinyin(Gbk("木")).empty());
    EXPECT_EQ(readings.Words(Gbk("本")), std::vector<std::string>{Gbk("本来")});
    EXPECT_EQ(readings.Pinyin(Gbk("禾")), std::vector<std::string>{});

    const std::optional<Difference> difference = readings.DifferenceOf(Gbk("未"), Gbk("末"));
    ASSERT_TRUE(difference);
    EXPECT_EQ(difference->kind, "stroke_differs");
    EXPECT_EQ(difference->text, Gbk("上横长"));
    EXPECT_EQ(readings.DifferenceOf(Gbk("末"), Gbk("未"))->text, "");
    EXPECT_FALSE(readings.DifferenceOf(Gbk("未"), Gbk("木")));
    EXPECT_FALSE(readings.DifferenceOf(Gbk("未"), ""));
    EXPECT_FALSE(readings.DifferenceOf(Gbk("未本"), Gbk("木")));
}

TEST(Readings, CopiesAndMovesKeepTheirDifferences)
{
    // A differences file short enough to live inside a string object, whose
    // bytes move with it.
    std::optional<Readings> original = Readings::Parse("", "abcd\tother\tx\n");
    const Readings copy = *original;
    const Readings moved = std::move(*original);
    original.reset();
    EXPECT_EQ(copy.DifferenceOf("ab", "cd")->text, "x");
    EXPECT_EQ(moved.DifferenceOf("ab", "cd")->kind, "other");
}

TEST(Readings, TonesThatCodePage936CannotSpellBecomeCombiningMarks)
{
    const struct {
        std::string reading, utf8;
    } cases[] = {
        {Gbk("wèi"), "wèi"},
        {Gbk("ê") + "1", "ê\xCC\x84"},
        {"m2", "m\xCC\x81"},
        {"ng3", "n\xCC\x8Cg"},
        {"hm4", "hm\xCC\x80"},
        {"5", "5"},
        {"U+0001", "U+0001"},  // a control character as ShownText writes it
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadingToUtf8(c.reading), c.utf8) << c.utf8;
}

TEST(Answer, GroupsCutsAndExplains)
{
    const CharTable table = Table();
    EXPECT_FALSE(AnswerQuery(table, Gbk("车"), {}));
    const Answer plain = *AnswerQuery(table, Gbk("未"), {});
    ASSERT_EQ(plain.groups.size(), 3u);
    EXPECT_EQ(plain.groups[0].score, 7);
    EXPECT_EQ(plain.groups[0].chars, (std::vector<std::string>{Gbk("末"), Gbk("木")}));
    EXPECT_EQ(plain.groups[1].chars, std::vector<std::string>{Gbk("末")});  // the second 末 line
    EXPECT_FALSE(plain.explained);
    EXPECT_EQ(AnswerQuery(table, Gbk("未"), {.top = 1})->groups.size(), 1u);
    EXPECT_EQ(AnswerQuery(table, Gbk("未"), {.minScore = 6})->groups.size(), 2u);

    const Readings readings = SmallReadings();
    const Answer explained = *AnswerQuery(table, Gbk("未"), {.explain = true}, &readings);
    EXPECT_TRUE(explained.explained);
    EXPECT_EQ(explained.readings.words, (std::vector<std::string>{Gbk("未来"), Gbk("未必")}));
    // 末 twice in the list, explained once.
    ASSERT_EQ(explained.about.size(), 3u);
    EXPECT_EQ(explained.about[0].key, Gbk("末"));
    EXPECT_EQ(explained.about[0].difference->text, Gbk("上横长"));
    EXPECT_EQ(explained.about[1].key, Gbk("木"));
    EXPECT_FALSE(explained.about[1].difference);
    EXPECT_EQ(explained.about[2].difference->kind, "other");
    // Asked to explain without data: the fields are there, empty.
    const Answer bare = *AnswerQuery(table, Gbk("未"), {.explain = true});
    EXPECT_TRUE(bare.explained);
    EXPECT_EQ(bare.about.size(), 3u);
    EXPECT_TRUE(bare.about[0].readings.pinyin.empty());
}

TEST(Render, JsonLines)
{
    const CharTable table = Table();
    const Readings readings = SmallReadings();
    EXPECT_EQ(JsonLine(*AnswerQuery(table, Gbk("未"), {.minScore = 6})),
              R"({"char":"未","groups":[{"score":7,"chars":["末","木"]},{"score":6,"chars":["末"]}]})"
              "\n");
    EXPECT_EQ(JsonLine(*AnswerQuery(table, Gbk("未"), {.minScore = 7, .explain = true}, &readings)),
              R"({"char":"未","groups":[{"score":7,"chars":["末","木"]}],"pinyin":["wèi"],"words":["未来","未必"],)"
              R"("about":{"末":{"pinyin":["mò"],"words":["周末"],"difference":{"kind":"stroke_differs","text":"上横长"}},)"
              R"("木":{"pinyin":["mù"],"words":[],"difference":null}}})"
              "\n");
    EXPECT_EQ(JsonNoFindLine("\"\x1B"), "{\"char\":\"\\\"\\u001b\",\"error\":\"no find\"}\n");
}

TEST(Render, TsvLinesShowWhatCouldDriveATerminal)
{
    CharTable table;
    ParseCharTable(Line("\x1B" "c", "ABCDE") + Line("\t\\", "xBCDE") + Line(Gbk("未"), "yBCDE"), table);
    EXPECT_EQ(TsvLines(*AnswerQuery(table, "\x1B" "c", {})), "U+001Bc\t4\t\\t\\\\ 未\n");
    const Readings readings =
        Readings::Parse(Gbk("未\twèi m2\t未来 未必\n"), "\x1B" "c" + Gbk("未") + "\tother\t\x07\n");
    EXPECT_EQ(TsvLines(*AnswerQuery(table, "\x1B" "c", {.explain = true}, &readings)),
              "U+001Bc\t4\t\\t\\\\\t\t\t\t\n"
              "U+001Bc\t4\t未\twèi m\xCC\x81\t未来 未必\tother\tU+0007\n");
}

}  // namespace
