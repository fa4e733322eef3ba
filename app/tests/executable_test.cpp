// Orvalen.exe itself, as built: the resources it carries, read back from the
// file, and the program run as a process of its own.
#include "app/resource.h"
#include "app/tests/finder_harness.h"
#include "app/tests/sample_dictionary.h"
#include "dictionary/char_table.h"
#include "dictionary/dictionary_file.h"
#include "search/search.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

// Orvalen.exe stands beside this test program in the build's bin folder.
std::wstring ProgramPath()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"Orvalen.exe";
}

class Resources : public testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(m_module, nullptr) << "Orvalen.exe not found";
    }
    void TearDown() override { FreeLibrary(m_module); }

    // A resource's bytes in Chinese (PRC); empty when there is none. Types
    // are given by number (3 icon, 5 dialog, 6 strings, 14 icon group): the
    // RT_ names are narrow without UNICODE.
    std::string Bytes(LPCWSTR type, LPCWSTR name) const
    {
        HRSRC found = FindResourceExW(m_module, type, name, kChinesePrc);
        if (!found)
            return {};
        const auto* data = static_cast<const char*>(LockResource(LoadResource(m_module, found)));
        return std::string(data, SizeofResource(m_module, found));
    }

    HMODULE m_module = nullptr;
};

TEST_F(Resources, VersionBlockNamesOrvalen1001)
{
    const std::wstring path = ProgramPath();
    std::string block(GetFileVersionInfoSizeW(path.c_str(), nullptr), '\0');
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size));
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 1200);

    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"ProductName", L"Orvalen"},       {L"InternalName", L"Orvalen"},
        {L"OriginalFilename", L"Orvalen.EXE"}, {L"FileVersion", L"1, 0, 0, 1"},
        {L"ProductVersion", L"1, 0, 0, 1"},
    };
    for (const auto& [name, value] : strings) {
        wchar_t* text = nullptr;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
        ASSERT_TRUE(VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &size)) << name;
        EXPECT_STREQ(text, value);
    }
}

TEST_F(Resources, IconHas32And16PixelImagesIn16Colours)
{
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
#pragma pack(pop)
    const std::string group = Bytes(MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(IDI_APP));
    ASSERT_GE(group.size(), 6u);
    WORD count;
    std::memcpy(&count, group.data() + 4, 2);
    ASSERT_EQ(count, 2);
    ASSERT_EQ(group.size(), 6 + count * sizeof(GroupEntry));
    const BYTE sizes[] = {32, 16};
    for (int i = 0; i < count; ++i) {
        GroupEntry entry;
        std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
        EXPECT_EQ(entry.width, sizes[i]);
        EXPECT_EQ(entry.height, sizes[i]);
        EXPECT_EQ(entry.colours, 16);
        EXPECT_EQ(entry.bitCount, 4);
        // The image itself agrees: a 4-bit bitmap, twice as high for its mask.
        const std::string image = Bytes(MAKEINTRESOURCEW(3), MAKEINTRESOURCEW(entry.id));
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        std::memcpy(&header, image.data(), sizeof header);
        EXPECT_EQ(header.biWidth, sizes[i]);
        EXPECT_EQ(header.biHeight, 2 * sizes[i]);
        EXPECT_EQ(header.biBitCount, 4);
    }
}

// Reads a dialog template far enough to reach its items.
class TemplateReader {
public:
    explicit TemplateReader(const std::string& bytes) : m_bytes(bytes) {}

    WORD Word() { return Get<WORD>(); }
    DWORD Dword() { return Get<DWORD>(); }
    // A string or an ordinal: 0xFFFF then the number, else UTF-16 to a zero.
    std::wstring StringOrOrdinal()
    {
        const WORD first = Word();
        if (first == 0xFFFF)
            return L"#" + std::to_wstring(Word());
        std::wstring text;
        for (WORD c = first; c != 0; c = Word())
            text.push_back(static_cast<wchar_t>(c));
        return text;
    }
    void AlignToDword() { m_at = (m_at + 3) & ~std::size_t(3); }

private:
    template <class T>
    T Get()
    {
        T value{};
        if (m_at + sizeof value <= m_bytes.size())
            std::memcpy(&value, m_bytes.data() + m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }
    const std::string& m_bytes;
    std::size_t m_at = 0;
};

TEST_F(Resources, DialogsAreChineseTemplatesWithTheIconAt20By20)
{
    const std::string finder = Bytes(MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(IDD_FINDER));
    ASSERT_GE(finder.size(), 4u);
    EXPECT_EQ(finder.substr(0, 4), std::string("\x01\x00\xFF\xFF", 4)) << "an extended template";
    EXPECT_FALSE(Bytes(MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(IDS_ABOUT_MENU / 16 + 1)).empty());

    const std::string about = Bytes(MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(IDD_ABOUT));
    ASSERT_GE(about.size(), 18u);
    TemplateReader reader(about);
    const DWORD style = reader.Dword();
    reader.Dword();  // extended style
    EXPECT_EQ(reader.Word(), 6) << "controls";
    const WORD x = reader.Word(), y = reader.Word(), cx = reader.Word(), cy = reader.Word();
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(cx, 235);
    EXPECT_EQ(cy, 106);
    EXPECT_EQ(style & WS_VISIBLE, 0u) << "shown by the modal run, not by its template";
    reader.StringOrOrdinal();  // menu
    reader.StringOrOrdinal();  // class
    EXPECT_EQ(reader.StringOrOrdinal(), L"关于 Orvalen");
    ASSERT_TRUE(style & DS_SETFONT);
    EXPECT_EQ(reader.Word(), 9);
    EXPECT_EQ(reader.StringOrOrdinal(), L"宋体");

    // The first control: the application icon, 20 x 20 as laid out.
    reader.AlignToDword();
    EXPECT_EQ(reader.Dword() & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
    reader.Dword();
    const WORD iconX = reader.Word(), iconY = reader.Word(), iconCx = reader.Word(), iconCy = reader.Word();
    EXPECT_EQ(iconX, 11);
    EXPECT_EQ(iconY, 17);
    EXPECT_EQ(iconCx, 20);
    EXPECT_EQ(iconCy, 20);
    EXPECT_EQ(reader.Word(), 0xFFFF) << "id -1";
    const std::wstring className = reader.StringOrOrdinal();
    EXPECT_TRUE(className == L"#130" || _wcsicmp(className.c_str(), L"Static") == 0) << "the Static class";
    EXPECT_EQ(reader.StringOrOrdinal(), L"#128") << "IDI_APP";
}

// A copy of Orvalen.exe in a folder of its own, with `hz` beside it as
// hz.txt (none when nullopt), as a user unpacks it. Removed on destruction.
class ProgramCopy {
public:
    explicit ProgramCopy(const std::optional<std::string>& hz)
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        // Not named like a DictionaryFolder: Windows' file names ignore case.
        const std::string name = std::string("orvalen-exe-") +
                                 testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                                 std::to_string(GetCurrentProcessId());
        // Named in Chinese (工具词典车), as many users name their folders:
        // the program finds its folder and its dictionary through UTF-16.
        m_folder = std::wstring(temp) + std::wstring(name.begin(), name.end()) + L"-\x5DE5\x5177\x8BCD\x5178\x8F66";
        CreateDirectoryW(m_folder.c_str(), nullptr);
        CopyFileW(ProgramPath().c_str(), Path().c_str(), FALSE);
        if (hz)
            std::ofstream(std::filesystem::path(m_folder + L"\\hz.txt"), std::ios::binary) << *hz;
    }
    ~ProgramCopy()
    {
        DeleteFileW(Path().c_str());
        DeleteFileW((m_folder + L"\\hz.txt").c_str());
        RemoveDirectoryW(m_folder.c_str());
    }
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    const std::wstring& Folder() const { return m_folder; }
    std::wstring Path() const { return m_folder + L"\\Orvalen.exe"; }

private:
    std::wstring m_folder;
};

// Orvalen.exe started as the user starts it, in a folder of its own.
class Program : public testing::Test {
protected:
    void Start(const std::wstring& program = ProgramPath())
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + program + L"\"";
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &m_process));
    }
    void TearDown() override { EndProcess(); }
    void EndProcess()
    {
        if (m_process.hProcess) {
            if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(m_process.hProcess, 99);
            WaitForSingleObject(m_process.hProcess, 5000);
            CloseHandle(m_process.hProcess);
            CloseHandle(m_process.hThread);
        }
        m_process = {};
    }

    // The result box's text after a search for `query` in the running
    // program's main dialog; nullopt when the dialog did not open or the
    // search answered "no find".
    std::optional<std::wstring> SearchInMainDialog(const std::wstring& query)
    {
        const HWND dialog = WaitForWindow(L"Pemberlyn－Orvalen V1.0");
        if (dialog == nullptr)
            return std::nullopt;
        SendMessageW(GetDlgItem(dialog, IDC_MATCHES), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"before"));
        SendMessageW(GetDlgItem(dialog, IDC_QUERY), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(query.c_str()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_SEARCH)));
        const HWND matches = GetDlgItem(dialog, IDC_MATCHES);
        if (!FinderRun::WaitFor([&] { return Text(matches) != L"before"; }, 15000))
            return std::nullopt;
        return Text(matches);
    }

    // What the result box must show for `query` on `dictionary`: the core's
    // answer, read as code page 936.
    static std::wstring CoreResult(const std::string& dictionary, const std::string& query)
    {
        CharTable table;
        ParseCharTable(dictionary, table);
        const std::optional<std::string> result = RunSearch(table, query);
        EXPECT_TRUE(result) << "the dictionary lacks the query";
        return Wide936(result.value_or(""));
    }

    // A visible top-level window of the program with this caption.
    HWND WaitForWindow(const std::wstring& caption)
    {
        struct Search {
            DWORD process;
            const std::wstring& caption;
            HWND found;
        } search{m_process.dwProcessId, caption, nullptr};
        FinderRun::WaitFor([&] {
            EnumWindows(
                [](HWND window, LPARAM param) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(param);
                    DWORD process = 0;
                    GetWindowThreadProcessId(window, &process);
                    if (process == s->process && IsWindowVisible(window) && Text(window) == s->caption) {
                        s->found = window;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        }, 15000);
        return search.found;
    }

    // Text read with WM_GETTEXT, which crosses into the other process.
    static std::wstring Text(HWND window)
    {
        wchar_t text[1024] = {};
        SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
        return text;
    }

    // The texts of a window's static controls, joined.
    static std::wstring StaticTexts(HWND window)
    {
        std::wstring texts;
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[16] = {};
            GetClassNameW(child, name, 16);
            if (_wcsicmp(name, L"Static") == 0)
                texts += Text(child);
        }
        return texts;
    }

    DWORD WaitForExit()
    {
        EXPECT_EQ(WaitForSingleObject(m_process.hProcess, 15000), WAIT_OBJECT_0);
        DWORD code = 0;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }

    PROCESS_INFORMATION m_process{};
};

TEST_F(Program, StartsWithItsDialogAndEndsOnClose)
{
    DictionaryFolder folder{SampleDictionary()};
    Start();
    const HWND dialog = WaitForWindow(L"Pemberlyn－Orvalen V1.0");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(GetDlgItem(dialog, IDC_QUERY)), L"车");
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(WaitForExit(), 0u);
}

// Started from a shortcut or another folder, Orvalen still reads the hz.txt
// beside it; one in the current directory comes first.
TEST_F(Program, ReadsHzTxtFromTheCurrentDirectoryElseFromItsOwnFolder)
{
    // A second dictionary, in which 请 lists 情 alone.
    const std::string other = "请 ABCDEFGH \r\n情 XBCDEFGY \r\n";
    struct Row {
        const char* what;
        std::optional<std::string> current;  // hz.txt in the current directory
        std::optional<std::string> beside;   // hz.txt beside Orvalen.exe
        std::string read;                    // the one that must be read
    };
    const Row rows[] = {
        {"beside the program only", std::nullopt, SampleDictionary(), SampleDictionary()},
        {"in both places", other, SampleDictionary(), other},
        {"in the current directory only", other, std::nullopt, other},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        DictionaryFolder current{row.current};
        ProgramCopy program{row.beside};
        Start(program.Path());
        EXPECT_EQ(SearchInMainDialog(L"请"), CoreResult(row.read, "请")) << "no dialog, or no find";
        EndProcess();
    }
}

TEST_F(Program, SaysWhenItCannotOpenTheDictionaryAndGoesOnWithNone)
{
    DictionaryFolder folder{std::nullopt};
    ProgramCopy program{std::nullopt};
    Start(program.Path());
    // The box comes before the main dialog, with the program's name.
    const HWND box = WaitForWindow(L"Orvalen");
    ASSERT_NE(box, nullptr);
    const std::wstring text = StaticTexts(box);
    EXPECT_NE(text.find(L"hz.txt"), std::wstring::npos) << "names the file";
    EXPECT_NE(text.find(folder.Path()), std::wstring::npos) << "names the current directory";
    EXPECT_NE(text.find(program.Folder()), std::wstring::npos) << "names the program's folder";
    EXPECT_EQ(text.find(L"%"), std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDOK, 0);

    // Then the dialog, whose every search finds nothing.
    const HWND dialog = WaitForWindow(L"Pemberlyn－Orvalen V1.0");
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_SEARCH)));
    const HWND noFind = WaitForWindow(L"Orvalen");
    ASSERT_NE(noFind, nullptr);
    EXPECT_EQ(StaticTexts(noFind), L"no find");
    PostMessageW(noFind, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(FinderRun::WaitFor([&] { return IsWindowEnabled(dialog) != FALSE; }));
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(WaitForExit(), 0u);
    EndProcess();
}

// A hz.txt that is there but cannot be used is named, with why, and with
// what is read instead; the program goes on with that.
TEST_F(Program, NamesARefusedDictionaryWithWhyAndWhatItReadsInstead)
{
    enum class Make { Nothing, Good, Directory, TooManyLines, Sparse };
    struct Row {
        const char* what;
        Make current;             // hz.txt in the current directory
        Make beside;              // hz.txt beside Orvalen.exe
        bool currentRefused;      // else the one beside is the refused one
        const wchar_t* reason;    // a piece of the reader's reason
    };
    const Row rows[] = {
        {"a directory, with a good one beside", Make::Directory, Make::Good, true, L"is a directory"},
        {"too many lines, none beside", Make::TooManyLines, Make::Nothing, true, L"lines, more than"},
        {"a sparse file over the size limit, none beside", Make::Sparse, Make::Nothing, true, L"is larger than"},
        {"none here, a directory beside", Make::Nothing, Make::Directory, false, L"is a directory"},
    };
    const auto make = [](Make kind, const std::wstring& folder) {
        const std::wstring path = folder + L"\\hz.txt";
        if (kind == Make::Good)
            std::ofstream(std::filesystem::path(path), std::ios::binary) << SampleDictionary();
        if (kind == Make::Directory) {
            ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
        }
        if (kind == Make::TooManyLines)
            std::ofstream(std::filesystem::path(path), std::ios::binary) << std::string(MaxDictionaryLines(0) + 1, '\n');
        if (kind == Make::Sparse) {
            // 600 MB that take no disk: a reader that read it would take
            // that much memory.
            const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            ASSERT_NE(file, INVALID_HANDLE_VALUE);
            LARGE_INTEGER size;
            size.QuadPart = LONGLONG{600} << 20;
            EXPECT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
            EXPECT_TRUE(SetEndOfFile(file));
            CloseHandle(file);
        }
    };
    const auto unmake = [](Make kind, const std::wstring& folder) {
        const std::wstring path = folder + L"\\hz.txt";
        if (kind == Make::Directory)
            RemoveDirectoryW(path.c_str());
        else
            DeleteFileW(path.c_str());
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        DictionaryFolder current{std::nullopt};
        ProgramCopy program{std::nullopt};
        make(row.current, current.Path());
        make(row.beside, program.Folder());

        Start(program.Path());
        const HWND box = WaitForWindow(L"Orvalen");
        ASSERT_NE(box, nullptr);
        const std::wstring text = StaticTexts(box);
        const std::wstring refused = (row.currentRefused ? current.Path() : program.Folder()) + L"\\hz.txt";
        EXPECT_NE(text.find(refused), std::wstring::npos) << "names the refused file:\n" << text;
        EXPECT_EQ(text.find(refused), text.rfind(refused)) << "names it once:\n" << text;
        EXPECT_NE(text.find(row.reason), std::wstring::npos) << "says why";
        EXPECT_EQ(text.find(L"%"), std::wstring::npos);
        const bool good = row.beside == Make::Good;
        const std::wstring goodPath = program.Folder() + L"\\hz.txt";
        // What is read instead: the good dictionary, or none at all.
        EXPECT_EQ(text.find(L"\x6539\x7528") != std::wstring::npos, good) << "改用 names the file read instead";
        if (good) {
            EXPECT_GT(text.rfind(goodPath), text.find(refused));
        }
        EXPECT_EQ(text.find(L"no find") != std::wstring::npos, !good) << "an empty dictionary finds nothing";

        // Refused before it was read: the program stays small.
        PROCESS_MEMORY_COUNTERS memory{};
        ASSERT_TRUE(GetProcessMemoryInfo(m_process.hProcess, &memory, sizeof memory));
        EXPECT_LT(memory.PeakPagefileUsage, std::size_t{200} << 20);

        PostMessageW(box, WM_COMMAND, IDOK, 0);
        if (good) {
            EXPECT_EQ(SearchInMainDialog(L"请"), CoreResult(SampleDictionary(), "请"));
        } else {
            EXPECT_NE(WaitForWindow(L"Pemberlyn－Orvalen V1.0"), nullptr);
        }
        EndProcess();
        unmake(row.current, current.Path());
        unmake(row.beside, program.Folder());
    }
}

// The Windows zip, unpacked by the ctest test orvalen_package_test, which
// names its folder in ORVALEN_PACKAGE_FOLDER and runs only these cases; the
// test of the build's own Orvalen.exe leaves them out (GTEST_FILTER).
class Package : public Program {};

TEST_F(Package, OrvalenStartedFromAnotherFolderFindsTheDictionaryBesideIt)
{
    wchar_t folder[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"ORVALEN_PACKAGE_FOLDER", folder, MAX_PATH), 0u)
        << "run by orvalen_package_test, which unpacks the zip";
    std::ifstream file(std::filesystem::path(std::wstring(folder) + L"\\hz.txt"), std::ios::binary);
    ASSERT_TRUE(file) << "no hz.txt in the zip";
    std::ostringstream hz;
    hz << file.rdbuf();

    DictionaryFolder elsewhere{std::nullopt};
    Start(std::wstring(folder) + L"\\Orvalen.exe");
    EXPECT_EQ(SearchInMainDialog(L"请"), CoreResult(hz.str(), "请")) << "no dialog, or no find";
    EndProcess();
}

}  // namespace
