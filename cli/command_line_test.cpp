#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "cli/platform/platform.h"
#include "text/text_codec.h"

namespace {

namespace fs = std::filesystem;

// A dictionary line: character, space, code, pad space, CR LF.
std::string Line(const char* utf8Key, const std::string& code)
{
    return *Utf8ToCp936(utf8Key) + " " + code + " \r\n";
}

// A --raw argument as the program receives it: the bytes themselves on Linux;
// on Windows arguments arrive as UTF-16 and reach RunCommandLine as UTF-8.
std::string RawArgument(const char* utf8)
{
#ifdef _WIN32
    return utf8;
#else
    return *Utf8ToCp936(utf8);
#endif
}

std::string ReadAll(std::FILE* file)
{
    std::string bytes;
    std::rewind(file);
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    return bytes;
}

// One run of orvalen-find and all it must print.
struct RunCase {
    const char* what;
    std::vector<std::string> args;  // the test dictionary is added unless --dict is given
    std::string input;              // standard input
    bool terminal;                  // input typed at a terminal
    int status;
    std::string out;
    std::string err;
    std::string dictionary = "";  // instead of the test dictionary, when given
};

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("orvalen-cli-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "bin");
        m_dictionary = (m_dir / "dict.txt").string();
        std::ofstream(m_dictionary, std::ios::binary)
            << Line("车", "ABCDEFGH") << Line("军", "xBCDEFGy") << Line("东", "zzDEFGzz")
            << Line("木", "12345678") << Line("本", "12345670") << Line("未", "q2345678")
            << Line("丿", "@@@@");
        // The bundled dictionaries beside the program: a GBK one that also
        // knows 車, and lists look-alikes for 丿.
        fs::copy_file(m_dictionary, m_dir / "bin" / "hz.txt");
        std::ofstream(m_dir / "bin" / "hz-gbk.txt", std::ios::binary)
            << Line("车", "ABCDEFGH") << Line("丿", "@@@@") << Line("乀", "@@@@x") << Line("車", "ABCDEFGz");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Runs orvalen-find with `input` as its standard input, typed at a
    // terminal when `terminal`.
    int Run(std::vector<std::string> args, const std::string& input = "", bool terminal = false)
    {
        std::FILE* in = std::tmpfile();
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        std::fwrite(input.data(), 1, input.size(), in);
        std::rewind(in);
        const int status = RunCommandLine(args, StandardStreams{in, out, err, terminal}, (m_dir / "bin").string());
        m_out = ReadAll(out);
        m_err = ReadAll(err);
        std::fclose(in);
        std::fclose(out);
        std::fclose(err);
        return status;
    }

    // Runs each case and checks its status and all it prints.
    void RunCases(std::span<const RunCase> cases)
    {
        for (const RunCase& c : cases) {
            std::vector<std::string> args = c.args;
            std::string dictionary = m_dictionary;
            if (!c.dictionary.empty()) {
                dictionary = (m_dir / "case-dict.txt").string();
                std::ofstream(dictionary, std::ios::binary | std::ios::trunc) << c.dictionary;
            }
            if (std::find(args.begin(), args.end(), "--dict") == args.end())
                args.insert(args.begin(), {"--dict", dictionary});
            EXPECT_EQ(Run(args, c.input, c.terminal), c.status) << c.what;
            EXPECT_EQ(m_out, c.out) << c.what;
            EXPECT_EQ(m_err, c.err) << c.what;
        }
    }

    fs::path m_dir;
    std::string m_dictionary;
    std::string m_out, m_err;
};

TEST_F(CommandLine, PrintsOneScoreGroupPerLine)
{
    EXPECT_EQ(Run({"--dict", m_dictionary, "车"}), 0);
    EXPECT_EQ(m_out, "军\n东\n");
    EXPECT_EQ(m_err, "");
    EXPECT_EQ(Run({"--dict", m_dictionary, "--scores", "木"}), 0);
    EXPECT_EQ(m_out, "7: 本 未\n");
}

TEST_F(CommandLine, LabelsEachQueryWhenThereAreSeveral)
{
    EXPECT_EQ(Run({"--dict", m_dictionary, "车", "丿", "木"}), 0);
    EXPECT_EQ(m_out,
              "车:\n  军\n  东\n丿:\n  (no look-alikes in this dictionary, 1 in the GBK one: use --dict gbk)\n"
              "木:\n  本 未\n");
}

TEST_F(CommandLine, RawPrintsTheResultTextBytesOnly)
{
    EXPECT_EQ(Run({"--dict", m_dictionary, "--raw", RawArgument("车")}), 0);
    EXPECT_EQ(m_out, *Utf8ToCp936("军") + " \r\n" + *Utf8ToCp936("东") + " ");
    EXPECT_EQ(Run({"--dict", m_dictionary, "--raw", RawArgument("丿")}), 0);
    EXPECT_EQ(m_out, "");
    // As the window takes its query box: the spaces around the character,
    // full-width and line ends too, are dropped; those inside are not.
    EXPECT_EQ(Run({"--dict", m_dictionary, "--raw", RawArgument("　车 \r\n")}), 0);
    EXPECT_EQ(m_out, *Utf8ToCp936("军") + " \r\n" + *Utf8ToCp936("东") + " ");
    EXPECT_EQ(Run({"--dict", m_dictionary, "--raw", RawArgument("车 木")}), 1);
    EXPECT_EQ(m_err, "no find\n");
}

TEST_F(CommandLine, NotFound)
{
    EXPECT_EQ(Run({"--dict", m_dictionary, "--raw", RawArgument("龙")}), 1);
    EXPECT_EQ(m_out, "");
    EXPECT_EQ(m_err, "no find\n");
    EXPECT_EQ(Run({"--dict", m_dictionary, "龙"}), 1);
    EXPECT_EQ(m_err, "no find\n");
    // One missing query among found ones still fails the run, and the others
    // are answered.
    EXPECT_EQ(Run({"--dict", m_dictionary, "车", "龙", "\xF0\x9F\x98\x80"}), 1);
    EXPECT_EQ(m_out, "车:\n  军\n  东\n");
    EXPECT_EQ(m_err, "no find: 龙\nno find: \xF0\x9F\x98\x80 has no code page 936 form, so no dictionary holds it\n");
    EXPECT_EQ(Run({"--dict", m_dictionary, "\xB3\xB5"}), 1);
    EXPECT_EQ(m_err, "no find: an argument is not valid UTF-8 text, the locale's character set\n");
}

const std::string kUsageHint = "Try 'orvalen-find --help'.\n";
const std::string kPromptHelp =
    std::string("Type a character, or a line of them, and Enter. An empty line or ") + kEndOfInputKeys + " ends.\n";

TEST_F(CommandLine, QueriesFromArgumentsInputAndPrompt)
{
    const RunCase cases[] = {
        {"a line of characters in one argument", {"车 木"}, "", false, 0, "车:\n  军\n  东\n木:\n  本 未\n", ""},
        {"ideographic spaces and tabs", {"\xE3\x80\x80车\t"}, "", false, 0, "军\n东\n", ""},
        {"an empty argument", {"车", ""}, "", false, 2, "",
         "orvalen-find: an empty argument holds no character to look up\n" + kUsageHint},
        {"an argument of spaces", {" \xE3\x80\x80 "}, "", false, 2, "",
         "orvalen-find: an argument holds only spaces, no character to look up\n" + kUsageHint},
        {"--raw takes its argument whole", {"--raw", RawArgument("车木")}, "", false, 1, "", "no find\n"},
        {"every character of every input line", {}, "车\n\n 木\t\r\n", false, 0, "车:\n  军\n  东\n木:\n  本 未\n", ""},
        {"one character of input", {}, "车", false, 0, "军\n东\n", ""},
        {"input with no character", {}, " \n\n", false, 2, "",
         "orvalen-find: no character to look up: give characters as arguments or on the standard input\n" +
             kUsageHint},
        {"an input line that is not UTF-8", {}, "车\n\xB3\xB5\n", false, 1, "车:\n  军\n  东\n",
         "no find: line 2 of the input is not valid UTF-8 text, the locale's character set\n"},
        {"the prompt ends at an empty line", {}, "车\n木本\n\n丿\n", true, 0, "军\n东\n木:\n  本 未\n本:\n  木\n  未\n",
         kPromptHelp + "字> 字> 字> "},
        {"the prompt ends at the end of input", {"--scores"}, "车", true, 0, "6: 军\n4: 东\n",
         kPromptHelp + "字> 字> \n"},
        // Every Unicode blank separates, and so does punctuation, ASCII and
        // full-width: a pasted worksheet line reads as its characters.
        {"Unicode spaces", {"车\u2003木\u2009车\u202F木\u205F车\u200B木"}, "", false, 0,
         "车:\n  军\n  东\n木:\n  本 未\n车:\n  军\n  东\n木:\n  本 未\n车:\n  军\n  东\n木:\n  本 未\n", ""},
        {"punctuation", {"--top", "1", "车,木;「车」、木。"}, "", false, 0, "车:\n  军\n木:\n  本\n车:\n  军\n木:\n  本\n",
         ""},
        {"punctuation in input lines", {"--top", "1"}, "“车”，（木）\n", false, 0, "车:\n  军\n木:\n  本\n", ""},
        {"an argument of punctuation", {"，、"}, "", false, 1, "",
         "no find: \"，、\" holds only punctuation, which separates characters, and no character to look up\n"},
        {"an input line of punctuation", {}, "车\n...\n", false, 1, "车:\n  军\n  东\n",
         "no find: line 2 of the input holds only punctuation, which separates characters, and no character to "
         "look up\n"},
        {"a prompt line of punctuation goes on", {}, "?\n木\n", true, 0, "本 未\n",
         kPromptHelp + "字> no find: \"?\" holds only punctuation, which separates characters, and no character to "
                       "look up\n字> 字> \n"},
        // Control characters, invisible characters and combining marks are
        // named, never written raw.
        {"control characters and marks", {}, std::string("\x1B\x01车 \xCC\x80\n", 9), false, 1, "车:\n  军\n  东\n",
         "no find: U+001B\nno find: U+0001\nno find: U+0300 has no code page 936 form, so no dictionary holds it\n"},
        {"a zero byte", {}, std::string("\0车\n", 5), false, 1, "车:\n  军\n  东\n", "no find: U+0000\n"},
        // A terminal keeps at most 4095 bytes of a line: one that long is
        // said to have perhaps lost its end.
        {"a prompt line as long as a terminal keeps", {}, "车" + std::string(4092, ' ') + "\n", true, 0, "军\n东\n",
         kPromptHelp + "字> note: a terminal passes on at most 4095 bytes of a line typed or pasted at the prompt, so "
                       "the end of this one may be lost; give long text on a pipe instead: orvalen-find < file\n字> \n"},
    };
    RunCases(cases);
}

TEST_F(CommandLine, TopCompareAndBundledDictionaries)
{
    const RunCase cases[] = {
        {"--top with scores", {"--top", "1", "--scores", "车"}, "", false, 0, "6: 军\n", ""},
        {"--top cuts a group", {"--top=1", "木"}, "", false, 0, "本\n", ""},
        {"--top with --why", {"--top", "1", "--why", "车"}, "", false, 0, "军 (6): [42 43 44 45 46 47]\n", ""},
        {"--top with --all", {"--all", "--top", "1"}, "", false, 0,
         "车\t6\t军\n军\t6\t车\n东\t4\t车\n木\t7\t本\n本\t7\t木\n未\t7\t木\n", ""},
        {"--compare, alike", {"--compare", "车", "军"}, "", false, 0,
         "车 lists 军 (6): [42 43 44 45 46 47]\n军 lists 车 (6): [42 43 44 45 46 47]\n", ""},
        {"--compare, alike one way only", {"--compare", "乙", "甲"}, "", false, 0,
         "乙 lists 甲 (4): [41 42 43 2D]\n甲 does not list 乙 (3): [41 42 43]\n", "",
         Line("甲", "ABC-") + Line("乙", "XABC")},
        {"--compare, not alike", {"--compare", "车木"}, "", false, 1,
         "车 and 木 share no run of 4 bytes of code, so neither lists the other (their longest shared run is 0 bytes).\n",
         ""},
        {"--compare, the same character", {"--compare", "车", "车"}, "", false, 1,
         "车 is given twice; a character never lists itself.\n", ""},
        {"--compare, one not found", {"--compare", "龙", "车"}, "", false, 1, "", "no find: 龙\n"},
        {"--compare, one character", {"--compare", "车"}, "", false, 2, "",
         "orvalen-find: --compare takes two characters, as in --compare 未 末\n" + kUsageHint},
        {"no find names the GBK dictionary", {"車"}, "", false, 1, "",
         "no find: 車 is in the GBK dictionary, not this one: use --dict gbk\n"},
        {"no look-alikes, more in the GBK dictionary", {"丿"}, "", false, 0, "",
         "丿: no look-alikes in this dictionary, 1 in the GBK one: use --dict gbk\n"},
        {"--dict gbk", {"--dict", "gbk", "車"}, "", false, 0, "车\n", ""},
        {"--dict gbk gives no hint about itself", {"--dict", "gbk", "木"}, "", false, 1, "", "no find\n"},
        {"--dict GB2312", {"--dict", "GB2312", "--scores", "车"}, "", false, 0, "6: 军\n4: 东\n", ""},
        {"--compare of a key the dictionary holds twice", {"--compare", "车", "车"}, "", false, 1,
         "车 is given twice; the dictionary has two lines for it, and its search lists the later one (7), never the "
         "line it looks up.\n",
         "", Line("车", "ABCDEFGH") + Line("车", "ABCDEFGx")},
    };
    RunCases(cases);
}

// The readings data beside the test dictionary, code page 936 like it.
void WriteReadings(const fs::path& folder)
{
    std::ofstream(folder / "readings.txt", std::ios::binary)
        << *Utf8ToCp936("木\tmù\t木头 树木\n本\tběn bēn\t本来\n未\twèi\t未来\n车\tchē jū\t汽车\n");
    std::ofstream(folder / "differences.txt", std::ios::binary)
        << *Utf8ToCp936("木本\tstroke_more\t多一横\n本木\tstroke_more\t少一横\n木未\tstroke_differs\t\n");
}

TEST_F(CommandLine, FormatsAndExplanationsForAnyQuery)
{
    WriteReadings(m_dir);
    const std::string jsonCar = R"({"char":"车","groups":[{"score":6,"chars":["军"]},{"score":4,"chars":["东"]}]})" "\n";
    const RunCase cases[] = {
        {"JSON lines, one per query, found or not", {"--format", "jsonl", "车", "龙"}, "", false, 1,
         jsonCar + R"({"char":"龙","error":"no find"})" "\n", "no find: 龙\n"},
        {"JSON lines from standard input", {"--format=jsonl"}, "车\n", false, 0, jsonCar, ""},
        {"TSV, several queries, no headings", {"--format", "tsv", "车", "木"}, "", false, 0,
         "车\t6\t军\n车\t4\t东\n木\t7\t本 未\n", ""},
        {"TSV with nothing to list", {"--format", "tsv", "丿"}, "", false, 0, "",
         "丿: no look-alikes in this dictionary, 1 in the GBK one: use --dict gbk\n"},
        {"--min-score for queries", {"--min-score", "5", "--scores", "车", "丿"}, "", false, 0,
         "车:\n  6: 军\n丿:\n  (no look-alikes scoring 5 or more in this dictionary)\n", ""},
        {"explained text", {"--explain", "木"}, "", false, 0,
         "木: mù 木头\n本 未\n  本 běn/bēn 本来 — 多一横 (a stroke more or fewer)\n  未 wèi 未来 — a stroke differs\n",
         ""},
        {"explained, labelled, with scores", {"--explain", "--scores", "--top", "1", "本", "军"}, "", false, 0,
         "本: běn/bēn 本来\n  7: 木\n    木 mù 木头 — 少一横 (a stroke more or fewer)\n军:\n  6: 车\n    车 chē/jū 汽车\n",
         ""},
        {"explained, nothing to list", {"--explain", "丿"}, "", false, 0,
         "丿:\n  (no look-alikes in this dictionary, 1 in the GBK one: use --dict gbk)\n", ""},
        {"explained JSON", {"--format", "jsonl", "--explain", "--top", "1", "木"}, "", false, 0,
         R"({"char":"木","groups":[{"score":7,"chars":["本"]}],"pinyin":["mù"],"words":["木头","树木"],)"
         R"("about":{"本":{"pinyin":["běn","bēn"],"words":["本来"],"difference":{"kind":"stroke_more","text":"多一横"}}}})"
         "\n",
         ""},
        {"explained TSV", {"--format", "tsv", "--explain", "木"}, "", false, 0,
         "木\t7\t本\tběn bēn\t本来\tstroke_more\t多一横\n木\t7\t未\twèi\t未来\tstroke_differs\t\n", ""},
        {"explained --all", {"--all", "--explain", "--format", "tsv", "--min-score", "7"}, "", false, 0,
         "木\t7\t本\tběn bēn\t本来\tstroke_more\t多一横\n木\t7\t未\twèi\t未来\tstroke_differs\t\n"
         "本\t7\t木\tmù\t木头 树木\tstroke_more\t少一横\n未\t7\t木\tmù\t木头 树木\t\t\n",
         ""},
        {"--why tells the difference", {"--why", "木"}, "", false, 0,
         "本 (7): [31 32 33 34 35 36 37] — 多一横 (a stroke more or fewer)\n未 (7): [32 33 34 35 36 37 38] — a stroke differs\n",
         ""},
        {"--compare tells readings and differences", {"--compare", "木", "本"}, "", false, 0,
         "木 lists 本 (7): [31 32 33 34 35 36 37]\n本 lists 木 (7): [31 32 33 34 35 36 37]\n"
         "木 mù 木头 — against 本: 少一横 (a stroke more or fewer)\n本 běn/bēn 本来 — against 木: 多一横 (a stroke more or fewer)\n",
         ""},
    };
    RunCases(cases);
}

TEST_F(CommandLine, ExplainWithoutReadingsDataSaysSo)
{
    EXPECT_EQ(Run({"--dict", m_dictionary, "--explain", "--top", "1", "木"}), 0);
    EXPECT_EQ(m_out, "木:\n本\n  本\n");
    EXPECT_EQ(m_err, "orvalen-find: warning: no readings.txt or differences.txt beside the dictionary or the program, "
                     "so no readings or differences to show\n");
    // Found beside the bundled dictionaries when not beside the one searched.
    WriteReadings(m_dir / "bin");
    EXPECT_EQ(Run({"--dict", m_dictionary, "--explain", "--top", "1", "木"}), 0);
    EXPECT_EQ(m_out, "木: mù 木头\n本\n  本 běn/bēn 本来 — 多一横 (a stroke more or fewer)\n");
    // Broken data is no trouble: its lines are skipped.
    std::ofstream(m_dir / "readings.txt", std::ios::binary) << std::string("\x1B\t\t\n\0\0\t", 8);
    std::ofstream(m_dir / "differences.txt", std::ios::binary) << "\t\t\t\n" + std::string(100000, '\t');
    EXPECT_EQ(Run({"--dict", m_dictionary, "--explain", "--top", "1", "木"}), 0);
    EXPECT_EQ(m_out, "木:\n本\n  本\n");
}

TEST_F(CommandLine, KeysThatCouldDriveTheTerminalAreShownExceptRaw)
{
    std::ofstream(m_dictionary, std::ios::binary | std::ios::trunc)
        << Line("车", "ABCDEF") << "\x1B" "c xBCDEF \r\n" << "\x07\r yBCDEy \r\n";
    const RunCase cases[] = {
        {"a list", {"车"}, "", false, 0, "U+001Bc\nU+0007U+000D\n", ""},
        {"scores", {"--scores", "车"}, "", false, 0, "5: U+001Bc\n4: U+0007U+000D\n", ""},
        {"why", {"--why", "--top", "1", "车"}, "", false, 0, "U+001Bc (5): [42 43 44 45 46]\n", ""},
        {"TSV", {"--format", "tsv", "车"}, "", false, 0, "车\t5\tU+001Bc\n车\t4\tU+0007\\r\n", ""},
        {"JSON escapes them its own way", {"--format", "jsonl", "--top", "1", "车"}, "", false, 0,
         R"({"char":"车","groups":[{"score":5,"chars":["\u001bc"]}]})" "\n", ""},
        {"--raw stays byte for byte", {"--raw", RawArgument("车")}, "", false, 0, "\x1B" "c \r\n\x07\r ", ""},
    };
    RunCases(cases);
}

TEST_F(CommandLine, WrongEncodingIsNamedOnce)
{
    struct EncodingCase {
        std::string bytes;
        const char* warning;  // empty for none
    };
    const std::string utf8 = "车 ABCDEFGH \r\n军 xBCDEFGy \r\n";
    const std::string utf16le("\x66\x8F\x20\x00\x41\x00\x42\x00\x43\x00\x44\x00\x20\x00\x0D\x00\x0A\x00", 18);
    std::string utf16be;
    for (std::size_t i = 0; i < utf16le.size(); i += 2)
        utf16be += std::string{utf16le[i + 1], utf16le[i]};
    const EncodingCase cases[] = {
        {"\xEF\xBB\xBF" + utf8, "is UTF-8 text (it starts with a UTF-8 byte order mark)"},
        {utf8, "looks like UTF-8 text"},
        {"\xFF\xFE" + utf16le, "is UTF-16 text (it starts with a UTF-16 byte order mark)"},
        {"\xFE\xFF" + utf16be, "is UTF-16 text (it starts with a UTF-16 byte order mark)"},
        {utf16le, "looks like UTF-16LE text"},
        {utf16be, "looks like UTF-16BE text"},
        {"ab ABCDEF \r\ncd ABCDEF \r\n", "has no line that starts with a code page 936 double-byte character"},
        {"", "is empty"},
        {Line("车", "ABCDEFGH") + Line("军", "xBCDEFGy"), ""},
        // Code page 936 whose every byte pair is also valid UTF-8 (未 末).
        {"\xCE\xB4 ABCDEFGH \n\xC4\xA9 ABCDEFGX \n", ""},
        {"\xCE\xB4 ABCDEFGH \r\xC4\xA9 ABCDEFGX \r", "ends its lines with a carriage return alone"},
        {std::string(4096, '\0'), "has no line that starts with a code page 936 double-byte character"},
    };
    for (const EncodingCase& c : cases) {
        std::ofstream(m_dictionary, std::ios::binary | std::ios::trunc) << c.bytes;
        Run({"--dict", m_dictionary, "车", "木"});
        const std::string prefix = "orvalen-find: warning: dictionary \"" + m_dictionary + "\" ";
        const std::size_t at = m_err.find(prefix);
        if (*c.warning == '\0') {
            EXPECT_EQ(at, std::string::npos) << m_err;
            continue;
        }
        EXPECT_EQ(at, 0u) << c.warning << "\n" << m_err;
        EXPECT_EQ(m_err.find(prefix + c.warning), 0u) << m_err;
        EXPECT_EQ(m_err.find(prefix, 1), std::string::npos) << "said twice: " << m_err;
        // The bundled GBK dictionary has 车, but what a broken file lacks is
        // no reason to send the user there: the file is named instead.
        EXPECT_NE(m_err.find("no find: 车 is not in \"" + m_dictionary + "\" (see the warning above)\n"),
                  std::string::npos)
            << m_err;
        EXPECT_EQ(m_err.find("--dict gbk"), std::string::npos) << m_err;
    }
}

TEST_F(CommandLine, WhyShowsTheSharedRun)
{
    EXPECT_EQ(Run({"--dict", m_dictionary, "--why", "车"}), 0);
    EXPECT_EQ(m_out, "军 (6): [42 43 44 45 46 47]\n东 (4): [44 45 46 47]\n");
}

TEST_F(CommandLine, AllListsEveryCharacterOnce)
{
    // A later duplicate of 车 is never searched for itself, but is listed.
    std::ofstream(m_dictionary, std::ios::binary | std::ios::app) << Line("车", "zzzEFGH");
    EXPECT_EQ(Run({"--dict", m_dictionary, "--all"}), 0);
    EXPECT_EQ(m_out,
              "车\t6\t军\n车\t4\t东 车\n"
              "军\t6\t车\n军\t4\t东\n"
              "东\t4\t车 军\n"
              "木\t7\t本 未\n"
              "本\t7\t木\n本\t6\t未\n"
              "未\t7\t木\n未\t6\t本\n");
    EXPECT_EQ(Run({"--dict", m_dictionary, "--all", "--min-score", "6", "--format", "jsonl"}), 0);
    EXPECT_EQ(m_out,
              "{\"char\":\"车\",\"groups\":[{\"score\":6,\"chars\":[\"军\"]}]}\n"
              "{\"char\":\"军\",\"groups\":[{\"score\":6,\"chars\":[\"车\"]}]}\n"
              "{\"char\":\"东\",\"groups\":[]}\n"
              "{\"char\":\"木\",\"groups\":[{\"score\":7,\"chars\":[\"本\",\"未\"]}]}\n"
              "{\"char\":\"本\",\"groups\":[{\"score\":7,\"chars\":[\"木\"]},{\"score\":6,\"chars\":[\"未\"]}]}\n"
              "{\"char\":\"未\",\"groups\":[{\"score\":7,\"chars\":[\"木\"]},{\"score\":6,\"chars\":[\"本\"]}]}\n"
              "{\"char\":\"丿\",\"groups\":[]}\n");
}

TEST_F(CommandLine, AllEscapesWhatJsonCannotHoldRaw)
{
    std::ofstream(m_dictionary, std::ios::binary | std::ios::trunc) << "\"\\ ABCDE \n\x01\xFF xBCDE \n";
    EXPECT_EQ(Run({"--dict", m_dictionary, "--all", "--format=jsonl"}), 0);
    EXPECT_EQ(m_out,
              "{\"char\":\"\\\"\\\\\",\"groups\":[{\"score\":4,\"chars\":[\"\\u0001\xEF\xBF\xBD\"]}]}\n"
              "{\"char\":\"\\u0001\xEF\xBF\xBD\",\"groups\":[{\"score\":4,\"chars\":[\"\\\"\\\\\"]}]}\n");
}

TEST_F(CommandLine, AllEscapesTabsLineEndsAndBackslashesInTsv)
{
    std::ofstream(m_dictionary, std::ios::binary | std::ios::trunc) << "A\t ABCDE \n\\\r xBCDE \n";
    EXPECT_EQ(Run({"--dict", m_dictionary, "--all"}), 0);
    EXPECT_EQ(m_out, "A\\t\t4\t\\\\\\r\n\\\\\\r\t4\tA\\t\n");
}

TEST_F(CommandLine, UnreadableDictionaryIsTrouble)
{
    EXPECT_EQ(Run({"--dict", (m_dir / "absent.txt").string(), "车"}), 2);
    EXPECT_NE(m_err.find("absent.txt"), std::string::npos) << m_err;
    EXPECT_EQ(m_out, "");
    EXPECT_EQ(Run({"--dict", m_dir.string(), "车"}), 2);
    EXPECT_NE(m_err.find("is a directory, not a dictionary file"), std::string::npos) << m_err;
}

TEST_F(CommandLine, UsageErrorsAndHelp)
{
    EXPECT_EQ(Run({"--dict", m_dictionary}), 2);
    EXPECT_NE(m_err.find("no character to look up"), std::string::npos);
    EXPECT_NE(m_err.find("--help"), std::string::npos);
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(m_out.find("Usage: orvalen-find"), std::string::npos);
    EXPECT_EQ(Run({"--version"}), 0);
    EXPECT_EQ(m_out, "orvalen-find 1.0.0.1\n");
    // --help wins wherever it stands; two modes are refused.
    EXPECT_EQ(Run({"--dict", m_dictionary, "--all", "--help"}), 0);
    EXPECT_NE(m_out.find("Usage: orvalen-find"), std::string::npos);
    EXPECT_EQ(Run({"--dict", m_dictionary, "--all", "--compare", "车", "木"}), 2);
    EXPECT_EQ(m_out, "");
    EXPECT_EQ(m_err, "orvalen-find: --all and --compare do not go together: give one of them\n" + kUsageHint);
}

TEST_F(CommandLine, HostileDictionariesAreSearchedSafely)
{
    std::string garbage;
    for (int i = 0; i < 200000; ++i)
        garbage += static_cast<char>((i * 7919 + i / 13) & 0xFF);
    std::string longLine = Line("车", std::string(10 << 20, 'c')) + Line("木", "cccc1234");
    for (const std::string& bytes : {garbage, longLine, std::string("\0\0\0", 3), std::string()}) {
        std::ofstream(m_dir / "hostile.txt", std::ios::binary | std::ios::trunc) << bytes;
        const int status = Run({"--dict", (m_dir / "hostile.txt").string(), "车", "木"});
        EXPECT_TRUE(status == 0 || status == 1) << status;
    }
    // The 10 MB code is read and scored whole, both ways round.
    std::ofstream(m_dir / "hostile.txt", std::ios::binary | std::ios::trunc) << longLine;
    EXPECT_EQ(Run({"--dict", (m_dir / "hostile.txt").string(), "--scores", "木", "车"}), 0);
    EXPECT_EQ(m_out, "木:\n  4: 车\n车:\n  4: 木\n");
}

}  // namespace
