// The system menu's About entry, the About box it opens, and closing the
// program.
#include "app/resource.h"
#include "app/tests/finder_harness.h"
#include "app/tests/sample_dictionary.h"

#include <gtest/gtest.h>

namespace {

class AboutBox : public testing::Test {
protected:
    DictionaryFolder m_folder{SampleDictionary()};
    FinderRun m_run{false};  // boxes stay open until the test closes them
    std::size_t m_opened = 0;

    // Sends a system command the way the system menu does, and waits for the
    // box it opens.
    CaughtBox Open(WPARAM command)
    {
        PostMessageW(m_run.Dialog(), WM_SYSCOMMAND, command, 0);
        const std::optional<CaughtBox> box = m_run.WaitForBox(++m_opened);
        if (!box)
            throw std::runtime_error("no box opened");
        return *box;
    }
};

TEST_F(AboutBox, SystemMenuEndsWithASeparatorAndTheAboutEntry)
{
    HMENU menu = GetSystemMenu(m_run.Dialog(), FALSE);
    ASSERT_NE(menu, nullptr);
    // Found by command id: Wine may add an item of its own after ours.
    int about = -1, close = -1, abouts = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (GetMenuItemID(menu, i) == IDM_ABOUT) {
            about = i;
            ++abouts;
        }
        if (GetMenuItemID(menu, i) == SC_CLOSE)
            close = i;
    }
    ASSERT_EQ(abouts, 1);
    ASSERT_GT(about, 0);
    EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(about - 1), MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_LT(close, about - 1) << "the entry comes after the standard items";

    wchar_t text[64] = {};
    GetMenuStringW(menu, IDM_ABOUT, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"关于 Orvalen(&A)...");
    EXPECT_EQ(GetMenuState(menu, IDM_ABOUT, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED | MF_POPUP), 0u);
}

TEST_F(AboutBox, ShowsItsTemplate)
{
    const CaughtBox box = Open(IDM_ABOUT);
    EXPECT_EQ(box.caption, L"关于 Orvalen");
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), m_run.Dialog());

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(box.window, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"宋体");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);

    RECT client, size{0, 0, 235, 106};
    GetClientRect(box.window, &client);
    MapDialogRect(box.window, &size);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    struct Expected {
        int id;
        const wchar_t* className;
        const wchar_t* text;  // null: the icon
        RECT units;           // x, y, width, height; the icon's size is its own
        DWORD style;
    };
    const int none = 0xFFFF;  // id -1 in a template's 16-bit field
    const Expected expected[] = {
        {none, L"Static", nullptr, {11, 17, 20, 20}, SS_ICON},
        {none, L"Static", L"Orvalen 1.0 版", {61, 38, 119, 8}, SS_NOPREFIX | WS_GROUP},
        {none, L"Static", L"版权所有 (C) 2026 Pemberlyn", {61, 55, 119, 8}, WS_GROUP},
        {IDOK, L"Button", L"确定", {178, 7, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP},
        {none, L"Static", L"pemberlyn.example", {61, 71, 65, 8}, WS_GROUP},
        {none, L"Static", L"Pemberlyn", {61, 20, 65, 8}, WS_GROUP},
    };
    ASSERT_EQ(box.children.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Child& child = box.children[i];
        const Expected& want = expected[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(child.id, want.id);
        EXPECT_EQ(_wcsicmp(child.className.c_str(), want.className), 0);
        if (want.text) {
            EXPECT_EQ(child.text, want.text);
        } else {
            EXPECT_EQ(SendMessageW(child.window, STM_GETICON, 0, 0) != 0, true) << "the icon is shown";
        }
        EXPECT_EQ(child.style & want.style, want.style) << std::hex << child.style;
        if (want.className == std::wstring(L"Static") && want.text) {
            EXPECT_EQ(child.style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));
        }

        RECT place, units{want.units.left, want.units.top, want.units.right, want.units.bottom};
        GetWindowRect(child.window, &place);
        MapWindowPoints(nullptr, box.window, reinterpret_cast<POINT*>(&place), 2);
        MapDialogRect(box.window, &units);
        EXPECT_EQ(place.left, units.left);
        EXPECT_EQ(place.top, units.top);
        if (want.text) {
            EXPECT_EQ(place.right - place.left, units.right);
            EXPECT_EQ(place.bottom - place.top, units.bottom);
        }
    }
    PostMessageW(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(m_run.WaitUntilDestroyed(box.window));
}

TEST_F(AboutBox, OpensModallyOnTheMaskedCommandAndClosesEveryWay)
{
    enum class Closer { OkButton, Enter, Escape, CloseBox };
    struct Case {
        WPARAM command;
        Closer closer;
    };
    const Case cases[] = {{0x0010, Closer::OkButton}, {0x001F, Closer::Escape}, {0x0010, Closer::CloseBox},
                          {0x001F, Closer::Enter},    {0x0013, Closer::OkButton}};
    const HWND dialog = m_run.Dialog();
    SetWindowTextW(m_run.Item(IDC_QUERY), L"静");
    SetWindowTextW(m_run.Item(IDC_MATCHES), L"typed\r\nby hand");

    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "command " << c.command << ", closer " << static_cast<int>(c.closer));
        const CaughtBox box = Open(c.command);
        EXPECT_EQ(box.caption, L"关于 Orvalen");
        EXPECT_TRUE(FinderRun::WaitFor([&] { return IsWindowVisible(box.window) != FALSE; }));
        EXPECT_FALSE(IsWindowEnabled(dialog)) << "modal: the main dialog waits";

        const HWND ok = GetDlgItem(box.window, IDOK);
        switch (c.closer) {
        case Closer::OkButton:
            SendMessageW(ok, BM_CLICK, 0, 0);
            break;
        case Closer::Enter:
        case Closer::Escape:
            // Keys go through the box's own message loop, to the focused button.
            PostMessageW(ok, WM_KEYDOWN, c.closer == Closer::Enter ? VK_RETURN : VK_ESCAPE, 0x00010001);
            break;
        case Closer::CloseBox:
            PostMessageW(box.window, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
        EXPECT_TRUE(m_run.WaitUntilDestroyed(box.window));
        EXPECT_TRUE(FinderRun::WaitFor([&] { return IsWindowEnabled(dialog) != FALSE; }));
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(WindowText(m_run.Item(IDC_QUERY)), L"静");
        EXPECT_EQ(WindowText(m_run.Item(IDC_MATCHES)), L"typed\r\nby hand");
    }
}

TEST_F(AboutBox, OtherSystemCommandsDoNotOpenIt)
{
    // Commands are handled in order: had 0x0020 or 0x0000 opened a box,
    // the About box would not be the first one caught.
    PostMessageW(m_run.Dialog(), WM_SYSCOMMAND, 0x0020, 0);
    PostMessageW(m_run.Dialog(), WM_SYSCOMMAND, 0x0000, 0);
    const CaughtBox box = Open(IDM_ABOUT);
    EXPECT_EQ(m_run.Boxes().size(), 1u);
    EXPECT_EQ(box.caption, L"关于 Orvalen");
}

// Exit, Escape and the close command each end the modal run, and start-up
// then returns FALSE so the program ends.
TEST(Closing, EndsTheProgram)
{
    enum class How { CloseCommand, ExitButton, Escape };
    for (How how : {How::CloseCommand, How::ExitButton, How::Escape}) {
        SCOPED_TRACE(static_cast<int>(how));
        DictionaryFolder folder{SampleDictionary()};
        FinderRun run;
        const HWND dialog = run.Dialog();
        switch (how) {
        case How::CloseCommand:
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case How::ExitButton:
            SendMessageW(run.Item(IDCANCEL), BM_CLICK, 0, 0);
            break;
        case How::Escape:
            PostMessageW(run.Item(IDC_QUERY), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            break;
        }
        EXPECT_EQ(run.WaitForEnd(), std::optional<BOOL>(FALSE));
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_TRUE(run.Boxes().empty());
    }
}

}  // namespace
