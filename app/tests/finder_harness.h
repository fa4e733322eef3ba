// Runs Orvalen's start-up on a thread of its own, as the program's one UI
// thread would, so that a test can drive the dialogs with messages from the
// test's thread and read back what they show, headless under Wine.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Code page 936 bytes as UTF-16, converted here and not by the framework, so
// the tests do not take the framework's conversion on trust.
std::wstring Wide936(const std::string& bytes);

// A folder of its own, made the current directory, with `hz` written into
// it as hz.txt (no hz.txt when `hz` is nullopt). Undone on destruction.
class DictionaryFolder {
public:
    explicit DictionaryFolder(const std::optional<std::string>& hz);
    ~DictionaryFolder();
    DictionaryFolder(const DictionaryFolder&) = delete;
    DictionaryFolder& operator=(const DictionaryFolder&) = delete;

    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
    std::wstring m_previous;
};

// A window's child as a test sees it.
struct Child {
    HWND window;
    int id;
    std::wstring className;
    std::wstring text;
    DWORD style;
    DWORD exStyle;
};
std::vector<Child> Children(HWND parent);
std::wstring WindowText(HWND window);

// A dialog that opened on the UI thread besides the main dialog, as it stood
// when its initialisation ended.
struct CaughtBox {
    HWND window;
    std::wstring caption;
    std::vector<Child> children;
};

class FinderRun {
public:
    // Starts the application's InitInstance on a new thread and waits until
    // the main dialog is visible. Every other dialog that opens on that
    // thread, from start-up on, is recorded and, unless `closeBoxes` is
    // false, closed with OK as soon as it opens.
    explicit FinderRun(bool closeBoxes = true);
    // Ends the run if it is still going.
    ~FinderRun();
    FinderRun(const FinderRun&) = delete;
    FinderRun& operator=(const FinderRun&) = delete;

    HWND Dialog() const { return m_dialog; }
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }

    // Boxes caught so far.
    std::vector<CaughtBox> Boxes() const;
    // Waits for the `count`th box to be caught; null when none comes.
    std::optional<CaughtBox> WaitForBox(std::size_t count) const;
    // Waits until `window` is gone.
    bool WaitUntilDestroyed(HWND window) const;

    // Waits for the run to end; its InitInstance result, or nullopt when it
    // has not ended within the time allowed.
    std::optional<BOOL> WaitForEnd();

    // Waits until `condition` holds, checking now and then; false on timeout.
    static bool WaitFor(const std::function<bool()>& condition, int milliseconds = 5000);

private:
    static LRESULT CALLBACK CatchBoxes(int code, WPARAM wParam, LPARAM lParam);

    std::thread m_thread;
    DWORD m_threadId = 0;
    HWND m_dialog = nullptr;
    HHOOK m_hook = nullptr;
    bool m_closeBoxes;
    HANDLE m_ended;
    BOOL m_result = TRUE;
    mutable std::mutex m_mutex;
    std::vector<CaughtBox> m_boxes;
};
