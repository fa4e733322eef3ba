// The main dialog as the user meets it: its state at start, its layout, and
// searching by button and by Enter, checked against the search core.
#include "app/resource.h"
#include "app/tests/finder_harness.h"
#include "app/tests/sample_dictionary.h"
#include "dictionary/char_table.h"
#include "search/search.h"

#include <gtest/gtest.h>

#include <cstdlib>

// RECT lives in the global namespace; so must its operators for gtest.
bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

// The run's ANSI code page is the one ctest asked for: the dialogs must work
// the same under 936 and under 1252.
TEST(CodePage, IsTheOneThisRunIsFor)
{
    const char* expected = std::getenv("ORVALEN_EXPECT_ACP");
    ASSERT_NE(expected, nullptr) << "run through ctest, which names the code page";
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

// A rectangle in dialog units, as the dialog manager turns it into pixels:
// position and size are each converted, so the far edge is their sum.
RECT Pixels(HWND dialog, int x, int y, int width, int height)
{
    RECT rect{x, y, width, height};
    MapDialogRect(dialog, &rect);
    return {rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
}

RECT PlaceInDialog(HWND control, HWND dialog)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class MainDialog : public testing::Test {
protected:
    DictionaryFolder m_folder{SampleDictionary()};
    FinderRun m_run;

    HWND Query() const { return m_run.Item(IDC_QUERY); }
    HWND Matches() const { return m_run.Item(IDC_MATCHES); }

    // What the result box must show for `query`: the core's own answer on
    // the same dictionary, with its bytes read as code page 936.
    static std::wstring CoreResult(const std::wstring& query)
    {
        CharTable table;
        ParseCharTable(SampleDictionary(), table);
        std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(936, 0, query.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
        WideCharToMultiByte(936, 0, query.c_str(), -1, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
        bytes.pop_back();
        const std::optional<std::string> result = RunSearch(table, bytes);
        EXPECT_TRUE(result.has_value()) << "the sample dictionary lacks the query";
        return Wide936(result.value_or(""));
    }

    static std::wstring ClipboardText()
    {
        std::wstring text;
        if (!OpenClipboard(nullptr))
            return text;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = chars;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        return text;
    }

    void ClickSearch() { SendMessageW(m_run.Item(IDC_SEARCH), BM_CLICK, 0, 0); }

    HWND Focus() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(m_run.Dialog(), nullptr), &info);
        return info.hwndFocus;
    }
};

TEST_F(MainDialog, StartsWithTheQueryCheAndNoResult)
{
    EXPECT_EQ(WindowText(Query()), L"车");
    EXPECT_EQ(WindowText(Matches()), L"");
    EXPECT_EQ(WindowText(m_run.Dialog()), L"Pemberlyn－Orvalen V1.0");
    EXPECT_EQ(LOWORD(SendMessageW(m_run.Dialog(), DM_GETDEFID, 0, 0)), IDC_SEARCH);
    // No search has run: 车 is not in the dictionary, yet no box came.
    EXPECT_TRUE(m_run.Boxes().empty());
    // The query box has the focus, as the first control in tab order.
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(m_run.Dialog(), nullptr), &info);
    EXPECT_EQ(info.hwndFocus, Query());
}

TEST_F(MainDialog, WindowHasItsTemplateStyleSizeAndFont)
{
    const HWND dialog = m_run.Dialog();
    const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
    const DWORD required = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    EXPECT_EQ(style & required, required) << std::hex << style;
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u) << std::hex << style;
    EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client, Pixels(dialog, 0, 0, 225, 152));

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"仿宋_GB2312");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(22, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
}

TEST_F(MainDialog, ControlsStandInTemplateAndTabOrder)
{
    struct Expected {
        int id;
        const wchar_t* className;
        const wchar_t* text;
        RECT units;       // x, y, width, height
        DWORD required;   // style bits that must be set
        DWORD forbidden;  // style bits that must not be
        bool border;
    };
    const DWORD editForbidden = ES_READONLY | ES_PASSWORD | ES_NUMBER;
    const Expected expected[] = {
        {IDC_QUERY, L"Edit", L"车", {9, 8, 27, 12}, WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL,
         editForbidden | ES_MULTILINE | WS_VSCROLL, true},
        {IDC_SEARCH, L"Button", L"搜索", {42, 8, 24, 12}, WS_TABSTOP | BS_DEFPUSHBUTTON, 0, false},
        {IDCANCEL, L"Button", L"退出", {188, 8, 26, 12}, WS_TABSTOP, BS_DEFPUSHBUTTON, false},
        {IDC_MATCHES, L"Edit", L"", {7, 29, 211, 116},
         WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
         editForbidden | ES_CENTER | ES_RIGHT | ES_AUTOHSCROLL | WS_HSCROLL, true},
    };

    const HWND dialog = m_run.Dialog();
    const std::vector<Child> children = Children(dialog);
    ASSERT_EQ(children.size(), std::size(expected));
    HWND tab = GetNextDlgTabItem(dialog, nullptr, FALSE);
    for (std::size_t i = 0; i < children.size(); ++i) {
        const Child& child = children[i];
        const Expected& want = expected[i];
        SCOPED_TRACE(want.id);
        EXPECT_EQ(child.id, want.id);
        EXPECT_EQ(_wcsicmp(child.className.c_str(), want.className), 0) << child.className.size();
        EXPECT_EQ(child.text, want.text);
        EXPECT_EQ(child.style & (want.required | WS_CHILD | WS_VISIBLE), want.required | WS_CHILD | WS_VISIBLE)
            << std::hex << child.style;
        EXPECT_EQ(child.style & want.forbidden, 0u) << std::hex << child.style;
        // The edit control turns a border into a sunken client edge.
        EXPECT_EQ((child.style & WS_BORDER) || (child.exStyle & WS_EX_CLIENTEDGE), want.border);
        EXPECT_EQ(PlaceInDialog(child.window, dialog),
                  Pixels(dialog, want.units.left, want.units.top, want.units.right, want.units.bottom));
        EXPECT_EQ(tab, child.window) << "tab order";
        tab = GetNextDlgTabItem(dialog, tab, FALSE);
    }
    EXPECT_EQ(tab, children.front().window) << "the tab order goes round";
}

TEST_F(MainDialog, SearchButtonShowsTheCoreResult)
{
    SetWindowTextW(Query(), L"请");
    ClickSearch();
    EXPECT_EQ(WindowText(Matches()), CoreResult(L"请"));
    // One score group per line, best first, each key followed by a space.
    EXPECT_EQ(WindowText(Matches()), L"情 静 \r\n清 睛 ");
    EXPECT_EQ(WindowText(Query()), L"请");
    EXPECT_TRUE(m_run.Boxes().empty());
    // The multi-line box shows the groups on lines of their own.
    EXPECT_EQ(SendMessageW(Matches(), EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(MainDialog, EnterInTheQueryBoxSearches)
{
    for (const wchar_t* query : {L"请", L"静", L"晴"}) {
        SetWindowTextW(Query(), query);
        SetWindowTextW(Matches(), L"before");
        // Through the message queue, as a key press comes: the dialog
        // manager turns Enter into the default button's command.
        PostMessageW(Query(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        const std::wstring expected = CoreResult(query);
        EXPECT_TRUE(FinderRun::WaitFor([&] { return WindowText(Matches()) == expected; }))
            << "the result box holds " << WindowText(Matches()).size() << " characters";
    }
    EXPECT_TRUE(m_run.Boxes().empty());
}

TEST_F(MainDialog, BlanksAroundTheQueryAreIgnoredAndTheQueryStaysAsTyped)
{
    // A space, a full-width space (U+3000), a tab, on either side.
    for (const wchar_t* query : {L"请 ", L" 请", L"\x3000请\x3000", L"\t请 \x3000"}) {
        SCOPED_TRACE(testing::Message() << "query of " << wcslen(query) << " characters");
        SetWindowTextW(Matches(), L"");
        SetWindowTextW(Query(), query);
        ClickSearch();
        EXPECT_EQ(WindowText(Matches()), CoreResult(L"请"));
        EXPECT_EQ(WindowText(Query()), query);
    }
    EXPECT_TRUE(m_run.Boxes().empty());
}

TEST_F(MainDialog, ACharacterCopiedOutOfTheResultFindsItsOwnList)
{
    SetWindowTextW(Query(), L"请");
    ClickSearch();
    ASSERT_EQ(WindowText(Matches()).substr(0, 2), L"情 ");
    // The user selects the first result with the space after it, copies it
    // and pastes it over the query.
    SendMessageW(Matches(), EM_SETSEL, 0, 2);
    SendMessageW(Matches(), WM_COPY, 0, 0);
    SendMessageW(Query(), EM_SETSEL, 0, -1);
    SendMessageW(Query(), WM_PASTE, 0, 0);
    ASSERT_EQ(WindowText(Query()), L"情 ");
    ClickSearch();
    EXPECT_EQ(WindowText(Matches()), CoreResult(L"情"));
    EXPECT_TRUE(m_run.Boxes().empty());
}

TEST_F(MainDialog, AfterEverySearchTheNextCharacterTypedReplacesTheQuery)
{
    // Found, found with no match, and not found (after its box is closed).
    const std::pair<const wchar_t*, bool> searches[] = {{L"请", true}, {L"晴", true}, {L"车", false}};
    std::size_t boxes = 0;
    for (const auto& [query, found] : searches) {
        SCOPED_TRACE(testing::Message() << "after searching U+" << std::hex << static_cast<int>(query[0]));
        SetWindowTextW(Query(), query);
        ClickSearch();  // a click leaves the focus on the button
        if (!found) {
            ASSERT_TRUE(m_run.WaitForBox(++boxes));
        }
        EXPECT_TRUE(FinderRun::WaitFor([&] { return Focus() == Query(); }));
        DWORD start = 99, end = 99;
        SendMessageW(Query(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, wcslen(query));

        // Typed and sent with Enter, through the message queue as keys come.
        SetWindowTextW(Matches(), L"before");
        PostMessageW(Query(), WM_CHAR, L'静', 1);
        PostMessageW(Query(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        const std::wstring expected = CoreResult(L"静");
        EXPECT_TRUE(FinderRun::WaitFor([&] { return WindowText(Matches()) == expected; }));
        EXPECT_EQ(WindowText(Query()), L"静");
    }
    EXPECT_EQ(m_run.Boxes().size(), boxes);
}

TEST_F(MainDialog, FoundQueryWithoutMatchesEmptiesTheResult)
{
    SetWindowTextW(Matches(), L"old text");
    SetWindowTextW(Query(), L"晴");
    ClickSearch();
    EXPECT_EQ(WindowText(Matches()), L"");
    EXPECT_TRUE(m_run.Boxes().empty());
}

TEST_F(MainDialog, TextTypedIntoTheResultBoxIsDiscardedByTheNextSearch)
{
    SetWindowTextW(Query(), L"请");
    ClickSearch();
    SetWindowTextW(Matches(), L"typed by the user\r\n情");
    SetWindowTextW(Query(), L"静");
    ClickSearch();
    EXPECT_EQ(WindowText(Matches()), CoreResult(L"静"));
}

TEST_F(MainDialog, QueryNotInTheDictionaryShowsNoFindAndKeepsThePreviousResult)
{
    SetWindowTextW(Query(), L"请");
    ClickSearch();
    const std::wstring previous = WindowText(Matches());
    ASSERT_FALSE(previous.empty());

    // Not keys of the table: a missing character, nothing, only blanks, two
    // keys, two keys with a space between them.
    const wchar_t* const queries[] = {L"车", L"", L" \x3000", L"请情", L"请 情"};
    std::size_t boxes = 0;
    for (const wchar_t* query : queries) {
        SCOPED_TRACE(testing::Message() << "query of " << wcslen(query) << " characters");
        SetWindowTextW(Query(), query);
        ClickSearch();
        const std::optional<CaughtBox> box = m_run.WaitForBox(++boxes);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, L"orvalen_dialog_test");
        std::vector<std::wstring> texts;
        std::vector<int> buttons;
        bool icon = false;
        for (const Child& child : box->children) {
            if (!(child.style & WS_VISIBLE))
                continue;
            if (_wcsicmp(child.className.c_str(), L"Button") == 0)
                buttons.push_back(child.id);
            else if ((child.style & SS_TYPEMASK) == SS_ICON)
                icon = icon || SendMessageW(child.window, STM_GETICON, 0, 0) != 0;
            else if (!child.text.empty())
                texts.push_back(child.text);
        }
        EXPECT_EQ(texts, std::vector<std::wstring>{L"no find"});
        EXPECT_EQ(buttons, std::vector<int>{IDOK});
        EXPECT_FALSE(icon);
        // The controls are not refreshed: the old result stays, and so does
        // the query as typed.
        EXPECT_EQ(WindowText(Matches()), previous);
        EXPECT_EQ(WindowText(Query()), query);
    }
}

// Ctrl+A, which Wine's edit control ignores, selects the whole text of
// either box, wherever the caret stands, and types nothing; Ctrl+C then
// copies all of it, as a teacher copies a whole list.
TEST_F(MainDialog, CtrlASelectsAllOfEitherBoxForCopying)
{
    SetWindowTextW(Query(), L"请");
    ClickSearch();
    const std::wstring list = WindowText(Matches());
    ASSERT_EQ(list, CoreResult(L"请"));

    struct Case {
        HWND box;
        std::wstring text;
        DWORD caret;
    };
    const Case cases[] = {
        {Query(), L"请", 0}, {Query(), L"请", 1}, {Query(), L"", 0},
        {Matches(), list, 0}, {Matches(), list, 3}, {Matches(), list, static_cast<DWORD>(list.size())},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.box == Query() ? "query box" : "result box") << ", caret at "
                                        << c.caret << " of " << c.text.size());
        SetWindowTextW(c.box, c.text.c_str());
        SendMessageW(c.box, EM_SETSEL, c.caret, c.caret);
        // Through the message queue, as the key press comes: the character
        // TranslateMessage makes of Ctrl+A, then that of Ctrl+C.
        OpenClipboard(nullptr);
        EmptyClipboard();
        CloseClipboard();
        PostMessageW(c.box, WM_CHAR, 0x01, 0x001E0001);
        PostMessageW(c.box, WM_CHAR, 0x03, 0x002E0001);
        const auto selection = [&] {
            DWORD start = 99, end = 99;
            SendMessageW(c.box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            return std::make_pair(start, end);
        };
        EXPECT_TRUE(FinderRun::WaitFor([&] { return selection() == std::make_pair(DWORD{0}, DWORD(c.text.size())); }))
            << "selected " << selection().first << " to " << selection().second;
        EXPECT_EQ(WindowText(c.box), c.text);
        if (!c.text.empty()) {
            EXPECT_TRUE(FinderRun::WaitFor([&] { return ClipboardText() == c.text; }))
                << "the clipboard holds " << ClipboardText().size() << " characters";
        }
    }
    EXPECT_TRUE(m_run.Boxes().empty());
}

// The same through the keyboard, as the user presses the keys: Ctrl+A and
// Ctrl+C in the result box put the whole list on the clipboard.
TEST_F(MainDialog, CtrlAThenCtrlCPressedInTheResultBoxCopiesTheWholeList)
{
    SetWindowTextW(Query(), L"请");
    ClickSearch();
    const std::wstring list = WindowText(Matches());
    ASSERT_EQ(list, CoreResult(L"请"));
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();

    SetForegroundWindow(m_run.Dialog());
    SendMessageW(m_run.Dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Matches()), TRUE);
    ASSERT_TRUE(FinderRun::WaitFor([&] { return Focus() == Matches(); }));
    SendMessageW(Matches(), EM_SETSEL, 2, 2);
    const auto key = [](WORD code, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        return input;
    };
    INPUT keys[] = {key(VK_CONTROL, false), key('A', false), key('A', true),
                    key('C', false), key('C', true), key(VK_CONTROL, true)};
    ASSERT_EQ(SendInput(static_cast<UINT>(std::size(keys)), keys, sizeof(INPUT)), std::size(keys));
    EXPECT_TRUE(FinderRun::WaitFor([&] { return ClipboardText() == list; }))
        << "the clipboard holds " << ClipboardText().size() << " of " << list.size() << " characters";
    EXPECT_EQ(WindowText(Matches()), list);
}

}  // namespace
