// The framework on its own: message-map routing, data exchange and text
// conversion at the Windows boundary, and exceptions kept away from
// Windows' frames.
#include "framework/framework.h"
#include "framework/tests/framework_test_ids.h"
#include "framework/text_codec.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

// ---- Message maps -------------------------------------------------------

class Base : public CCmdTarget {
public:
    int baseCalls = 0;
    void OnFirst() { ++baseCalls; }
    void OnSecond() { baseCalls += 10; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Base, CCmdTarget)
    ON_COMMAND(1, OnFirst)
    ON_COMMAND(2, OnSecond)
END_MESSAGE_MAP()

class Derived : public Base {
public:
    int derivedCalls = 0;
    void OnSecond() { ++derivedCalls; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Derived, Base)
    ON_BN_CLICKED(2, OnSecond)
END_MESSAGE_MAP()

TEST(MessageMap, RoutesByIdAndCodeAndFallsBackToTheBaseClass)
{
    Derived target;
    EXPECT_TRUE(target.OnCmdMsg(1, 0));  // only the base has it
    EXPECT_EQ(target.baseCalls, 1);
    EXPECT_TRUE(target.OnCmdMsg(2, BN_CLICKED));  // the derived entry wins
    EXPECT_EQ(target.derivedCalls, 1);
    EXPECT_EQ(target.baseCalls, 1);
    EXPECT_FALSE(target.OnCmdMsg(3, 0));           // nobody's
    EXPECT_FALSE(target.OnCmdMsg(1, EN_CHANGE));   // same id, other code
    EXPECT_EQ(target.FindHandler(WM_PAINT), nullptr);

    Base base;
    EXPECT_TRUE(base.OnCmdMsg(2, 0));
    EXPECT_EQ(base.baseCalls, 10);
}

// ---- Dialogs ------------------------------------------------------------

// A dialog whose behaviour each test supplies.
class ProbeDialog : public CDialog {
public:
    ProbeDialog() : CDialog(IDD_PROBE) {}

    CString m_text;
    std::function<void(ProbeDialog&)> onInit = [](ProbeDialog&) {};
    std::function<void()> onGo = [] {};

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        onInit(*this);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PROBE_TEXT, m_text); }
    void OnGo() { onGo(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ProbeDialog, CDialog)
    ON_BN_CLICKED(IDC_PROBE_GO, OnGo)
END_MESSAGE_MAP()

std::wstring Text(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

TEST(Dialog, ExchangesCodePage936TextWithItsControlsWhateverTheSystemCodePage)
{
    ProbeDialog dialog;
    dialog.m_text = "车 and 请";  // code page 936 bytes
    std::wstring shown;
    dialog.onInit = [&](ProbeDialog& d) {
        shown = Text(d.GetItem(IDC_PROBE_TEXT));
        SetWindowTextW(d.GetItem(IDC_PROBE_TEXT), L"改了 it");
        // OK is the base class's: it reads the controls, then ends.
        PostMessageW(d.m_hWnd, WM_COMMAND, IDOK, 0);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shown, L"车 and 请");
    EXPECT_EQ(dialog.m_text.Bytes(), "改了 it");
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(Dialog, CancelEndsWithoutReadingTheControls)
{
    ProbeDialog dialog;
    dialog.m_text = "kept";
    dialog.onInit = [](ProbeDialog& d) {
        SetWindowTextW(d.GetItem(IDC_PROBE_TEXT), L"typed");
        PostMessageW(d.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_text.Bytes(), "kept");
}

TEST(Dialog, AnExceptionEndsTheDialogAndComesOutOfDoModal)
{
    {
        ProbeDialog dialog;
        dialog.onInit = [](ProbeDialog&) { throw std::runtime_error("in OnInitDialog"); };
        EXPECT_THROW(dialog.DoModal(), std::runtime_error);
    }
    {
        ProbeDialog dialog;
        dialog.onInit = [](ProbeDialog& d) {
            PostMessageW(d.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_PROBE_GO, BN_CLICKED),
                         reinterpret_cast<LPARAM>(d.GetItem(IDC_PROBE_GO)));
        };
        dialog.onGo = [] { throw std::logic_error("in a handler"); };
        EXPECT_THROW(dialog.DoModal(), std::logic_error);
        EXPECT_EQ(FindWindowW(L"#32770", L"Probe"), nullptr) << "the dialog is gone";
    }
    // And the framework still works afterwards.
    ProbeDialog dialog;
    dialog.onInit = [](ProbeDialog& d) { PostMessageW(d.m_hWnd, WM_COMMAND, IDOK, 0); };
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

// ---- Text at the boundary -------------------------------------------------

TEST(Text, ConvertsCodePage936BothWays)
{
    EXPECT_EQ(WideFromCp936("\xB3\xB5"), L"车");
    EXPECT_EQ(Cp936FromWide(L"车"), "\xB3\xB5");
    EXPECT_EQ(WideFromCp936(""), L"");
    // Every character of GB2312's first level goes there and back.
    for (int row = 0xB0; row <= 0xD7; ++row)
        for (int cell = 0xA1; cell <= 0xFE; ++cell) {
            if (row == 0xD7 && cell > 0xF9)
                break;
            const std::string bytes{static_cast<char>(row), static_cast<char>(cell)};
            const std::wstring wide = WideFromCp936(bytes);
            ASSERT_EQ(wide.size(), 1u) << row << " " << cell;
            ASSERT_EQ(Cp936FromWide(wide), bytes);
        }
    // What code page 936 lacks becomes "?", and nothing is dropped.
    EXPECT_EQ(Cp936FromWide(L"a\u0E01b"), "a?b");  // a Thai letter
}

TEST(Text, StringsAndMenuItemsLoadAndShowAsCodePage936)
{
    CString text;
    EXPECT_TRUE(text.LoadString(IDS_PROBE));
    EXPECT_EQ(text.Bytes(), Cp936FromWide(L"关于 Probe(&A)..."));
    CString missing = "before";
    EXPECT_FALSE(missing.LoadString(4321));
    EXPECT_TRUE(missing.IsEmpty());

    EXPECT_EQ(CMenu::FromHandle(nullptr), nullptr);
    HMENU handle = CreatePopupMenu();
    CMenu* menu = CMenu::FromHandle(handle);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(CMenu::FromHandle(handle), menu);
    EXPECT_TRUE(menu->AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(menu->AppendMenu(MF_STRING, 0x10, text));
    wchar_t item[64] = {};
    GetMenuStringW(handle, 0x10, item, 64, MF_BYCOMMAND);
    EXPECT_STREQ(item, L"关于 Probe(&A)...");
    EXPECT_TRUE(GetMenuState(handle, 0, MF_BYPOSITION) & MF_SEPARATOR);
    DestroyMenu(handle);
}

// ---- Start-up -------------------------------------------------------------

class ProbeApp : public CWinApp {
public:
    std::function<BOOL()> init;
    BOOL InitInstance() override { return init(); }
};

TEST(StartUp, RunsInitInstanceAndNamesTheAppAfterTheExecutable)
{
    ProbeApp app;
    EXPECT_STREQ(app.m_pszAppName, "orvalen_framework_test");
    EXPECT_EQ(AfxGetApp(), &app);
    int runs = 0;
    app.init = [&] { ++runs; return FALSE; };
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(runs, 1);
    // An exception that reaches start-up ends the program with failure.
    app.init = []() -> BOOL { throw std::runtime_error("start-up"); };
    EXPECT_EQ(AfxWinMain(), 1);
}

}  // namespace
