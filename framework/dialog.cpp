#include "framework/dialog.h"

#include "framework/select_all_key.h"
#include "framework/win_app.h"

#include <utility>

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

INT_PTR CDialog::DoModal()
{
    m_failure = nullptr;
    m_initialized = false;
    const INT_PTR result = DialogBoxParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_templateId), Owner(),
                                           &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    return result;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

HWND CDialog::Owner() const
{
    if (m_parent != nullptr)
        return m_parent->m_hWnd;
    CWnd* main = AfxGetMainWnd();
    return main != nullptr && main != this ? main->m_hWnd : nullptr;
}

// Centres the dialog over its owner, or over the work area when it has none
// or the owner is hidden or minimised, and keeps it inside the work area.
void CDialog::CenterOnOwner()
{
    RECT dialog;
    GetWindowRect(m_hWnd, &dialog);
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT around = area;
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner) && !::IsIconic(owner))
        GetWindowRect(owner, &around);

    const int width = dialog.right - dialog.left;
    const int height = dialog.bottom - dialog.top;
    int x = (around.left + around.right - width) / 2;
    int y = (around.top + around.bottom - height) / 2;
    if (x + width > area.right)
        x = area.right - width;
    if (x < area.left)
        x = area.left;
    if (y + height > area.bottom)
        y = area.bottom - height;
    if (y < area.top)
        y = area.top;
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
    } else {
        dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet.
    if (dialog == nullptr)
        return FALSE;

    // Nothing may unwind through the dialog manager's frames: an exception
    // ends the dialog here and DoModal throws it again on our side.
    try {
        return dialog->HandleMessage(message, wParam, lParam);
    } catch (...) {
        if (!dialog->m_failure)
            dialog->m_failure = std::current_exception();
        ::EndDialog(window, -1);
        return TRUE;
    }
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        // Handlers stay off until initialisation ends: controls send
        // notifications while they are being filled.
        RECT before;
        GetWindowRect(m_hWnd, &before);
        // Ctrl+A in every edit box, wherever the system's edit control lacks it.
        AddSelectAllKeyToEditControls(m_hWnd);
        const BOOL result = OnInitDialog();
        RECT after;
        GetWindowRect(m_hWnd, &after);
        // A dialog that OnInitDialog did not place opens centred.
        if (before.left == after.left && before.top == after.top)
            CenterOnOwner();
        m_initialized = true;
        return result;
    }
    if (message == WM_NCDESTROY) {
        m_initialized = false;
        return FALSE;
    }
    if (!m_initialized)
        return FALSE;

    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        return FALSE;

    // These few messages return their result from the dialog procedure;
    // every other one returns it through DWLP_MSGRESULT.
    switch (message) {
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORMSGBOX:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
        return static_cast<INT_PTR>(result);
    default:
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}
