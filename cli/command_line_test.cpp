#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli/text_codec.h"

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

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("orvalen-cli-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_dictionary = (m_dir / "dict.txt").string();
        std::ofstream(m_dictionary, std::ios::binary)
            << Line("车", "ABCDEFGH") << Line("军", "xBCDEFGy") << Line("东", "zzDEFGzz")
            << Line("木", "12345678") << Line("本", "12345670") << Line("未", "q2345678")
            << Line("丿", "@@@@");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    int Run(std::vector<std::string> args)
    {
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const int status = RunCommandLine(args, out, err);
        m_out = ReadAll(out);
        m_err = ReadAll(err);
        std::fclose(out);
        std::fclose(err);
        return status;
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
    EXPECT_EQ(m_out, "车:\n  军\n  东\n丿:\n  (no look-alike characters)\n木:\n  本 未\n");
}

TEST_F(CommandLine, RawPrintsTheResultTextBytesOnly)
{
    EXPECT_EQ(Run({"--dict", m_dictionary, "--raw", RawArgument("车")}), 0);
    EXPECT_EQ(m_out, *Utf8ToCp936("军") + " \r\n" + *Utf8ToCp936("东") + " ");
    EXPECT_EQ(Run({"--dict", m_dictionary, "--raw", RawArgument("丿")}), 0);
    EXPECT_EQ(m_out, "");
}

TEST_F(CommandLine, NotFound)
{
    EXPECT_EQ(Run({"--dict", m_dictionary, "--raw", RawArgument("车 ")}), 1);
    EXPECT_EQ(m_out, "");
    EXPECT_EQ(m_err, "no find\n");
    EXPECT_EQ(Run({"--dict", m_dictionary, "龙"}), 1);
    EXPECT_EQ(m_err, "no find\n");
    // One missing query among found ones still fails the run, and the others
    // are answered.
    EXPECT_EQ(Run({"--dict", m_dictionary, "车", "车车", "\xF0\x9F\x98\x80"}), 1);
    EXPECT_EQ(m_out, "车:\n  军\n  东\n");
    EXPECT_EQ(m_err, "no find: 车车\nno find: \xF0\x9F\x98\x80 has no code page 936 form\n");
    EXPECT_EQ(Run({"--dict", m_dictionary, "\xB3\xB5"}), 1);
    EXPECT_EQ(m_err, "no find: the argument is not valid UTF-8\n");
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

TEST_F(CommandLine, UnreadableDictionaryIsTrouble)
{
    EXPECT_EQ(Run({"--dict", (m_dir / "absent.txt").string(), "车"}), 2);
    EXPECT_NE(m_err.find("absent.txt"), std::string::npos) << m_err;
    EXPECT_EQ(m_out, "");
    EXPECT_EQ(Run({"--dict", m_dir.string(), "车"}), 2);
    EXPECT_NE(m_err.find("cannot"), std::string::npos) << m_err;
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
