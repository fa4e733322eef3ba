#include "dictionary/dictionary_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class DictionaryFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("orvalen-table-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path Write(const std::string& name, const std::string& bytes)
    {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // The reason a file is refused for, or "read" when it is not.
    static std::string Refusal(const fs::path& path)
    {
        CharTable table;
        ParseCharTable("AA 1234 \n", table);
        std::string reason;
        if (LoadCharTable(table, path, &reason))
            return "read";
        EXPECT_EQ(table.size(), 1u) << "a refused file leaves the table as it was";
        return reason;
    }

    fs::path m_dir;
};

TEST_F(DictionaryFile, LoadsTheSameTableAsParsing)
{
    const std::string bytes = "AA 1234 \r\nBB 5678 \r\nCC 9\r\n";
    CharTable fromFile, fromBytes;
    ASSERT_TRUE(LoadCharTable(fromFile, Write("hz.txt", bytes)));
    ParseCharTable(bytes, fromBytes);
    ASSERT_EQ(fromFile.size(), fromBytes.size());
    for (std::size_t i = 0; i < fromFile.size(); ++i) {
        EXPECT_EQ(fromFile[i].key, fromBytes[i].key);
        EXPECT_EQ(fromFile[i].code, fromBytes[i].code);
    }
}

// Each refusal names the file and says what is wrong with it in words that
// fit: not the system's "Is a directory" or "Permission denied" for a
// directory, nor "No such file" for a link whose target is gone. Told under
// a heading that names the file already, it says "it" instead, once.
TEST_F(DictionaryFile, RefusalsNameTheFileAndWhy)
{
    fs::create_directory(m_dir / "folder.txt");
    std::error_code linkError;
    fs::create_symlink(m_dir / "gone.txt", m_dir / "dangling.txt", linkError);
    // Built by appending: GCC 12 warns, wrongly, of an overlap in literal + string&&.
    std::string gone = "\"";
    gone += (m_dir / "gone.txt").string();
    gone += '"';
    const struct {
        fs::path path;
        std::string says;
        std::string alone;  // how the reason starts without the file's name
    } cases[] = {
        {m_dir / "absent.txt", "cannot open \"" + (m_dir / "absent.txt").string() + "\": ", "Cannot open it: "},
        {m_dir / "folder.txt", "folder.txt\" is a directory, not a dictionary file",
         "It is a directory, not a dictionary file"},
        {m_dir / "dangling.txt", "dangling.txt\" is a link to " + gone + ", which does not exist",
         "It is a link to " + gone + ", which does not exist"},
        {Write("many.txt", std::string(MaxDictionaryLines(0), '\n') + "x"),
         "many.txt\" holds " + std::to_string(MaxDictionaryLines(0) + 1) + " lines", "It holds "},
    };
    for (const auto& c : cases) {
        if (c.path.filename() == "dangling.txt" && linkError)
            continue;  // no symbolic links here
        const std::string reason = Refusal(c.path);
        EXPECT_NE(reason.find(c.says), std::string::npos) << reason;
        const std::string alone = ReasonWithoutPath(reason, c.path);
        EXPECT_EQ(alone.rfind(c.alone, 0), 0u) << alone;
        EXPECT_EQ(alone.find(c.path.filename().string()), std::string::npos) << alone;
    }
    // A reason that names another file is left as it is.
    EXPECT_EQ(ReasonWithoutPath("cannot open \"a.txt\": gone", m_dir / "b.txt"), "cannot open \"a.txt\": gone");
}

// Each line takes an entry besides its bytes: a file of a few million
// one-byte lines would take many times its size, and is refused instead.
// The limit counts lines, not line feeds plus one: a file of exactly the
// limit's lines, each ended, is read.
TEST_F(DictionaryFile, TooManyLinesForItsSizeAreRefused)
{
    const std::size_t most = MaxDictionaryLines(0);
    EXPECT_EQ(Refusal(Write("most.txt", std::string(most, '\n'))), "read");
    EXPECT_EQ(Refusal(Write("most-unended.txt", std::string(most - 1, '\n') + "x")), "read");
    EXPECT_NE(Refusal(Write("many.txt", std::string(most, '\n') + "x")).find("many.txt\" holds " +
                                                                           std::to_string(most + 1) + " lines"),
              std::string::npos);
}

TEST(DictionaryLineCount, CountsEndedAndUnendedLines)
{
    EXPECT_EQ(CountLines(""), 0u);
    EXPECT_EQ(CountLines("\n"), 1u);
    EXPECT_EQ(CountLines("AA 1 \nBB 2 \n"), 2u);
    EXPECT_EQ(CountLines("AA 1 \nBB 2"), 2u);
}

// A sparse file claims a gigabyte and takes no disk: it is refused by its
// size, before a byte of it is read into memory.
TEST_F(DictionaryFile, LargeFileIsRefusedByItsSize)
{
    const fs::path path = Write("huge.txt", "AA 1234 \n");
    fs::resize_file(path, std::uintmax_t{1} << 30);
    EXPECT_NE(Refusal(path).find("huge.txt\" is larger than 512 MB"), std::string::npos);
    EXPECT_EQ(ReasonWithoutPath(Refusal(path), path), "It is larger than 512 MB, the most a dictionary may be");
}

TEST_F(DictionaryFile, ReadsTheTableAndTheWarningItsBytesEarn)
{
    std::string reason;
    const std::optional<DictionaryRead> good = ReadDictionary(Write("good.txt", "\xB3\xB5 ABCD \n"), reason);
    ASSERT_TRUE(good) << reason;
    EXPECT_EQ(good->table.size(), 1u);
    EXPECT_FALSE(good->warning);
    const std::optional<DictionaryRead> utf8 = ReadDictionary(Write("utf8.txt", "\xE8\xBD\xA6 ABCD \n"), reason);
    ASSERT_TRUE(utf8) << reason;
    ASSERT_TRUE(utf8->warning);
    EXPECT_NE(utf8->warning->find("looks like UTF-8 text"), std::string::npos);
    EXPECT_FALSE(ReadDictionary(m_dir, reason));
    EXPECT_NE(reason.find("is a directory"), std::string::npos);
}

TEST_F(DictionaryFile, TheProcessTableLoadsHzTxtFromTheCurrentDirectory)
{
    Write("hz.txt", "AA 1234 \nBB 5678 \n");
    const fs::path before = fs::current_path();
    fs::current_path(m_dir);
    const bool loaded = LoadCharTable();
    fs::current_path(before);
    ASSERT_TRUE(loaded);
    ASSERT_NE(FindEntry("BB"), nullptr);
    EXPECT_EQ(FindEntry("BB")->code, "5678");
    TheCharTable().Clear();
}

}  // namespace
