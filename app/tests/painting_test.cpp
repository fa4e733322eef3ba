// The minimised window paints the application icon centred in its client
// area. A minimised window's client area is empty, so the drawing itself
// cannot be seen; the test watches the DrawIcon call instead, by pointing
// this program's import of DrawIcon at a recorder.
#include "app/resource.h"
#include "app/tests/finder_harness.h"
#include "app/tests/sample_dictionary.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

// The import address table's slot for DrawIcon in this executable.
extern "C" BOOL(WINAPI* __imp_DrawIcon)(HDC, int, int, HICON);

namespace {

struct Drawing {
    HDC dc;
    int x;
    int y;
    HICON icon;
};

std::mutex g_mutex;
std::vector<Drawing> g_drawings;
BOOL(WINAPI* g_realDrawIcon)(HDC, int, int, HICON) = nullptr;

BOOL WINAPI RecordDrawIcon(HDC dc, int x, int y, HICON icon)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_drawings.push_back({dc, x, y, icon});
    }
    return g_realDrawIcon(dc, x, y, icon);
}

// Points the import at `function` for the life of the object.
class ImportRedirect {
public:
    explicit ImportRedirect(BOOL(WINAPI* function)(HDC, int, int, HICON))
    {
        g_realDrawIcon = __imp_DrawIcon;
        Write(function);
    }
    ~ImportRedirect() { Write(g_realDrawIcon); }

private:
    static void Write(BOOL(WINAPI* function)(HDC, int, int, HICON))
    {
        DWORD old;
        VirtualProtect(&__imp_DrawIcon, sizeof __imp_DrawIcon, PAGE_READWRITE, &old);
        __imp_DrawIcon = function;
        VirtualProtect(&__imp_DrawIcon, sizeof __imp_DrawIcon, old, &old);
    }
};

std::vector<Drawing> Repaint(HWND window)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_drawings.clear();
    }
    // Sent, not left to the update region: a minimised window's client area
    // is empty, so Windows itself would never ask it to paint.
    SendMessageW(window, WM_PAINT, 0, 0);
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_drawings;
}

TEST(Painting, MinimisedWindowDrawsTheIconCentredInItsClientArea)
{
    DictionaryFolder folder{SampleDictionary()};
    ImportRedirect redirect(&RecordDrawIcon);
    FinderRun run;
    const HWND dialog = run.Dialog();
    const auto icon = reinterpret_cast<HICON>(SendMessageW(dialog, WM_QUERYDRAGICON, 0, 0));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon, reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0)));
    EXPECT_EQ(icon, reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0)));

    EXPECT_TRUE(Repaint(dialog).empty()) << "a normal window paints as a dialog";

    // The dialog manager shows its dialog once more when its message loop
    // first runs idle, which can undo an early minimising: minimise until
    // the window is still minimised after painting.
    std::vector<Drawing> drawings;
    for (int attempt = 0; attempt < 20; ++attempt) {
        ShowWindow(dialog, SW_MINIMIZE);
        drawings = Repaint(dialog);
        if (IsIconic(dialog))
            break;
        Sleep(50);
    }
    ASSERT_TRUE(IsIconic(dialog));
    ASSERT_EQ(drawings.size(), 1u);
    RECT client;
    GetClientRect(dialog, &client);
    // Halves of (client - icon + 1), truncated toward zero: with the empty
    // client area of a minimised window both come out as -15, not -16.
    const int dx = client.right - GetSystemMetrics(SM_CXICON) + 1;
    const int dy = client.bottom - GetSystemMetrics(SM_CYICON) + 1;
    EXPECT_EQ(drawings[0].x, dx / 2);
    EXPECT_EQ(drawings[0].y, dy / 2);
    if (client.right == 0 && GetSystemMetrics(SM_CXICON) == 32) {
        EXPECT_EQ(drawings[0].x, -15);
    }
    EXPECT_EQ(drawings[0].icon, icon);
    EXPECT_NE(drawings[0].dc, nullptr);

    ShowWindow(dialog, SW_RESTORE);
    EXPECT_FALSE(IsIconic(dialog));
    EXPECT_TRUE(Repaint(dialog).empty());
}

}  // namespace
