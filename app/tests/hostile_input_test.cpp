// Orvalen.exe's dialog under hostile input: what users paste into a
// one-character box, and dictionaries that are huge, odd or unreadable.
// None of it may crash, hang or lose what the dialog shows.
#include "app/resource.h"
#include "app/tests/finder_harness.h"
#include "app/tests/sample_dictionary.h"
#include "dictionary/char_table.h"
#include "search/search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

// The `i`th character of GB2312's first level, as code page 936 bytes: rows
// 0xB0 to 0xD7, cells 0xA1 to 0xFE.
std::string Gb2312Character(std::size_t i)
{
    i %= 40 * 94;
    return {static_cast<char>(0xB0 + i / 94), static_cast<char>(0xA1 + i % 94)};
}

std::wstring CoreResult(const std::string& dictionary, const std::string& query)
{
    CharTable table;
    ParseCharTable(dictionary, table);
    const std::optional<std::string> result = RunSearch(table, query);
    EXPECT_TRUE(result.has_value());
    return Wide936(result.value_or(""));
}

// The visible texts of a caught box, joined.
std::wstring BoxText(const CaughtBox& box)
{
    std::wstring text;
    for (const Child& child : box.children)
        if ((child.style & WS_VISIBLE) && _wcsicmp(child.className.c_str(), L"Static") == 0)
            text += child.text;
    return text;
}

void ClickSearch(const FinderRun& run)
{
    SendMessageW(run.Item(IDC_SEARCH), BM_CLICK, 0, 0);
}

TEST(HostileQuery, OneMegabyteOfPastedTextIsNotFoundAndKept)
{
    DictionaryFolder folder{SampleDictionary()};
    FinderRun run;
    SetWindowTextW(run.Item(IDC_QUERY), L"请");
    ClickSearch(run);
    const std::wstring previous = WindowText(run.Item(IDC_MATCHES));

    std::wstring pasted;
    while (pasted.size() < (1 << 20) / 2)
        pasted += L"请情清晴 pasted text, with punctuation。 ";
    SendMessageW(run.Item(IDC_QUERY), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pasted.c_str()));
    ASSERT_EQ(static_cast<std::size_t>(GetWindowTextLengthW(run.Item(IDC_QUERY))), pasted.size());

    const ULONGLONG start = GetTickCount64();
    ClickSearch(run);
    EXPECT_LT(GetTickCount64() - start, 10000u);
    const std::optional<CaughtBox> box = run.WaitForBox(1);
    ASSERT_TRUE(box);
    EXPECT_EQ(BoxText(*box), L"no find");
    EXPECT_EQ(WindowText(run.Item(IDC_MATCHES)), previous);
    EXPECT_EQ(WindowText(run.Item(IDC_QUERY)), pasted);
}

TEST(HostileDictionary, AResultOfOverAHundredKilobytesShowsWhole)
{
    // Every entry shares 4 to 7 bytes with the query's code: four score
    // groups, 50,000 keys, 150 KB of result text: 100,000 characters, three
    // times the 32,767 an edit control takes by default. Wine's edit control
    // lays out a wrapped line in time that grows with the square of its
    // length: twice as many keys took four times as long, over two minutes.
    std::string hz = "请 ABCDEFGH \r\n";
    const char* codes[] = {"ABCDEFGX", "ABCDEFXX", "ABCDEXXX", "ABCDXXXX"};
    for (std::size_t i = 0; i < 50'000; ++i)
        hz += Gb2312Character(i) + " " + codes[i % 4] + " \r\n";
    DictionaryFolder folder{hz};
    FinderRun run;
    SetWindowTextW(run.Item(IDC_QUERY), L"请");
    ClickSearch(run);

    const std::wstring expected = CoreResult(hz, "请");
    ASSERT_GT(expected.size(), 100'000u);
    const std::wstring shown = WindowText(run.Item(IDC_MATCHES));
    EXPECT_EQ(shown.size(), expected.size());
    EXPECT_TRUE(shown == expected);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), L'\n'), 3) << "four score groups, four lines";

    // The box stays editable: text longer than an edit control's default
    // limit would refuse every key the user types.
    const HWND matches = run.Item(IDC_MATCHES);
    SendMessageW(matches, EM_SETSEL, shown.size(), shown.size());
    SendMessageW(matches, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"字"));
    EXPECT_EQ(static_cast<std::size_t>(GetWindowTextLengthW(matches)), shown.size() + 1);
    EXPECT_TRUE(run.Boxes().empty());
}

TEST(HostileDictionary, AHundredThousandLinesLoadAndSearchAsTheCoreDoes)
{
    std::mt19937 random(20261207);
    std::string hz;
    for (std::size_t i = 0; i < 50'000; ++i) {
        std::string code(4 + random() % 12, ' ');
        for (char& c : code)
            c = static_cast<char>('A' + random() % 6);
        hz += Gb2312Character(random()) + " " + code + " \r\n";
    }
    const std::string query = hz.substr(hz.find('\n', hz.size() / 2) + 1, 2);

    DictionaryFolder folder{hz};
    const ULONGLONG start = GetTickCount64();
    FinderRun run;
    EXPECT_LT(GetTickCount64() - start, 20000u) << "start-up";
    ASSERT_NE(run.Dialog(), nullptr);
    SetWindowTextW(run.Item(IDC_QUERY), Wide936(query).c_str());
    ClickSearch(run);
    EXPECT_EQ(WindowText(run.Item(IDC_MATCHES)), CoreResult(hz, query));
    EXPECT_TRUE(run.Boxes().empty());
}

// Files that are no dictionary at all. Each starts, says what it must, and
// then answers every query with "no find".
TEST(HostileDictionary, AwkwardFilesStartAndFindNothing)
{
    enum class File { Directory, Empty, Locked, Utf8 };
    struct Case {
        File file;
        bool reported;  // a box at start names hz.txt
    };
    for (const Case& c : {Case{File::Directory, true}, Case{File::Empty, false}, Case{File::Locked, true},
                          Case{File::Utf8, false}}) {
        SCOPED_TRACE(static_cast<int>(c.file));
        std::optional<std::string> hz;
        if (c.file == File::Empty)
            hz = "";
        if (c.file == File::Locked)
            hz = SampleDictionary();
        if (c.file == File::Utf8) {
            const std::wstring wide = Wide936(SampleDictionary());
            std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr)), '\0');
            WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
            hz = utf8;
        }
        DictionaryFolder folder{hz};
        if (c.file == File::Directory) {
            ASSERT_TRUE(CreateDirectoryW(L"hz.txt", nullptr));
        }
        // Held open with no sharing, as another program might hold it.
        HANDLE lock = c.file == File::Locked
                          ? CreateFileW(L"hz.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                          : INVALID_HANDLE_VALUE;
        {
            FinderRun run;
            ASSERT_NE(run.Dialog(), nullptr);
            std::size_t boxes = 0;
            if (c.reported) {
                const std::optional<CaughtBox> box = run.WaitForBox(++boxes);
                ASSERT_TRUE(box);
                EXPECT_NE(BoxText(*box).find(L"hz.txt"), std::wstring::npos);
            }
            for (const wchar_t* query : {L"请", L"车"}) {
                SetWindowTextW(run.Item(IDC_QUERY), query);
                ClickSearch(run);
                const std::optional<CaughtBox> box = run.WaitForBox(++boxes);
                ASSERT_TRUE(box);
                EXPECT_EQ(BoxText(*box), L"no find");
            }
            EXPECT_EQ(run.Boxes().size(), boxes);
        }
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);
        if (c.file == File::Directory)
            RemoveDirectoryW(L"hz.txt");
    }
}

}  // namespace
