#include "framework/select_all_key.h"

#include <iterator>

namespace {

// The control's own window procedure, kept with the control while the
// subclass is in place.
const wchar_t kPreviousProcedure[] = L"Orvalen.SelectAllKey.Previous";

// The character TranslateMessage makes of Ctrl+A (and Ctrl+Shift+A).
constexpr WPARAM kControlA = 0x01;

LRESULT CALLBACK SelectAllProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(edit, kPreviousProcedure));
    if (message == WM_CHAR && wParam == kControlA) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        // Put the control back as it was before it goes.
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(edit, kPreviousProcedure);
    }
    return CallWindowProcW(previous, edit, message, wParam, lParam);
}

bool IsEditControl(HWND window)
{
    wchar_t name[8] = {};
    return GetClassNameW(window, name, static_cast<int>(std::size(name))) > 0 && lstrcmpiW(name, L"Edit") == 0;
}

}  // namespace

void AddSelectAllKey(HWND edit)
{
    if (edit == nullptr || GetPropW(edit, kPreviousProcedure) != nullptr)
        return;
    const LONG_PTR previous = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    if (previous == 0 || !SetPropW(edit, kPreviousProcedure, reinterpret_cast<HANDLE>(previous)))
        return;
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SelectAllProc));
}

void AddSelectAllKeyToEditControls(HWND dialog)
{
    // EnumChildWindows would reach grandchildren too, such as the edit
    // control inside a combo box, which has its own keys.
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsEditControl(child))
            AddSelectAllKey(child);
    }
}
