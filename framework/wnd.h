// CWnd: a window handle and thin members over the Win32 calls the dialogs
// make on their own window. Text goes in and out as code page 936 bytes.
#pragma once

#include "framework/cmd_target.h"

class CDataExchange;
class CMenu;

class CWnd : public CCmdTarget {
public:
    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetItem(int id) const { return GetDlgItem(m_hWnd, id); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    HICON SetIcon(HICON icon, BOOL bigIcon)
    {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL,
                                                   reinterpret_cast<LPARAM>(icon)));
    }

    // The window's system menu, or null when it has none.
    CMenu* GetSystemMenu(BOOL revert) const;

    // A message box owned by this window. Without a caption it carries the
    // application's name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK) const;

    // Moves data between the controls and the members: from the controls
    // when `saveAndValidate`, else into them. Control notifications that the
    // filling causes are not routed to handlers.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Default processing of the message being handled.
    LRESULT Default();

protected:
    // Routes a message to this class's message map. True when a handler ran;
    // `*result` then holds its result.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    bool m_updatingData = false;

private:
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const CurrentMessage* m_currentMessage = nullptr;
};
