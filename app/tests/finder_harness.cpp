#include "app/tests/finder_harness.h"

#include "app/finder_app.h"
#include "dictionary/char_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

FinderRun* g_run = nullptr;  // the run whose UI thread the hook watches
const std::wstring kMainCaption = L"Pemberlyn－Orvalen V1.0";

std::wstring ClassName(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

}  // namespace

std::wstring Wide936(const std::string& bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    std::wstring text(static_cast<std::size_t>(MultiByteToWideChar(936, 0, bytes.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(936, 0, bytes.data(), size, text.data(), static_cast<int>(text.size()));
    return text;
}

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<Child> Children(HWND parent)
{
    std::vector<Child> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back({child, GetDlgCtrlID(child), ClassName(child), WindowText(child),
                            static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)),
                            static_cast<DWORD>(GetWindowLongW(child, GWL_EXSTYLE))});
    }
    return children;
}

DictionaryFolder::DictionaryFolder(const std::optional<std::string>& hz)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string("orvalen-") + test->test_suite_name() + "-" + test->name() + "-" +
                             std::to_string(GetCurrentProcessId());
    m_path = std::wstring(temp) + std::wstring(name.begin(), name.end());
    CreateDirectoryW(m_path.c_str(), nullptr);
    if (hz)
        std::ofstream(std::filesystem::path(m_path + L"\\hz.txt"), std::ios::binary) << *hz;

    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    m_previous.resize(size);
    m_previous.resize(GetCurrentDirectoryW(size, m_previous.data()));
    SetCurrentDirectoryW(m_path.c_str());
}

DictionaryFolder::~DictionaryFolder()
{
    SetCurrentDirectoryW(m_previous.c_str());
    DeleteFileW((m_path + L"\\hz.txt").c_str());
    RemoveDirectoryW(m_path.c_str());
}

FinderRun::FinderRun(bool closeBoxes) : m_closeBoxes(closeBoxes), m_ended(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    // Each run loads the dictionary afresh, as each start of the program does.
    TheCharTable().Clear();
    HANDLE started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this, started, go] {
        m_threadId = GetCurrentThreadId();
        // A thread has a message queue, which a hook needs, once it has
        // called a user32 function.
        IsGUIThread(TRUE);
        SetEvent(started);
        WaitForSingleObject(go, INFINITE);
        m_result = theApp.InitInstance();
        SetEvent(m_ended);
    });
    WaitForSingleObject(started, INFINITE);
    CloseHandle(started);

    // Hooked before start-up, so that a box shown during the main dialog's
    // initialisation is caught too; the main dialog is told apart by its
    // caption.
    g_run = this;
    m_hook = SetWindowsHookExW(WH_CALLWNDPROCRET, &FinderRun::CatchBoxes, nullptr, m_threadId);
    SetEvent(go);
    CloseHandle(go);

    const DWORD threadId = m_threadId;
    HWND* dialog = &m_dialog;
    WaitFor([&] {
        EnumThreadWindows(
            threadId,
            [](HWND window, LPARAM found) -> BOOL {
                if (IsWindowVisible(window) && WindowText(window) == kMainCaption) {
                    *reinterpret_cast<HWND*>(found) = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(dialog));
        return *dialog != nullptr;
    }, 60000);
}

FinderRun::~FinderRun()
{
    if (WaitForSingleObject(m_ended, 0) != WAIT_OBJECT_0) {
        // Close whatever box is open, then the main dialog.
        for (const CaughtBox& box : Boxes())
            if (IsWindow(box.window))
                PostMessageW(box.window, WM_COMMAND, IDCANCEL, 0);
        PostMessageW(m_dialog, WM_COMMAND, IDCANCEL, 0);
    }
    WaitForSingleObject(m_ended, 10000);
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
    g_run = nullptr;
    if (m_thread.joinable())
        m_thread.join();
    CloseHandle(m_ended);
}

LRESULT CALLBACK FinderRun::CatchBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    FinderRun* run = g_run;
    if (code == HC_ACTION && run != nullptr && call->message == WM_INITDIALOG &&
        ClassName(call->hwnd) == L"#32770" && WindowText(call->hwnd) != kMainCaption) {
        CaughtBox box{call->hwnd, WindowText(call->hwnd), Children(call->hwnd)};
        {
            std::lock_guard<std::mutex> lock(run->m_mutex);
            run->m_boxes.push_back(std::move(box));
        }
        if (run->m_closeBoxes)
            PostMessageW(call->hwnd, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<CaughtBox> FinderRun::Boxes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_boxes;
}

std::optional<CaughtBox> FinderRun::WaitForBox(std::size_t count) const
{
    if (!WaitFor([&] { return Boxes().size() >= count; }))
        return std::nullopt;
    return Boxes()[count - 1];
}

bool FinderRun::WaitUntilDestroyed(HWND window) const
{
    return WaitFor([&] { return !IsWindow(window); });
}

std::optional<BOOL> FinderRun::WaitForEnd()
{
    if (WaitForSingleObject(m_ended, 10000) != WAIT_OBJECT_0)
        return std::nullopt;
    return m_result;
}

bool FinderRun::WaitFor(const std::function<bool()>& condition, int milliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    while (!condition()) {
        if (GetTickCount64() > deadline)
            return false;
        Sleep(5);
    }
    return true;
}
