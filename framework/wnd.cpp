#include "framework/wnd.h"

#include "framework/data_exchange.h"
#include "framework/menu.h"
#include "framework/text_codec.h"
#include "framework/win_app.h"

CMenu* CWnd::GetSystemMenu(BOOL revert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert));
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) const
{
    if (caption == nullptr && AfxGetApp() != nullptr)
        caption = AfxGetApp()->m_pszAppName;
    const std::wstring wideText = WideFromCp936(text ? text : "");
    const std::wstring wideCaption = WideFromCp936(caption ? caption : "");
    return MessageBoxW(m_hWnd, wideText.c_str(), caption ? wideCaption.c_str() : nullptr, type);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate)
{
    const bool wasUpdating = m_updatingData;
    m_updatingData = true;
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    m_updatingData = wasUpdating;
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

LRESULT CWnd::Default()
{
    if (m_currentMessage == nullptr)
        return 0;
    return DefWindowProcW(m_hWnd, m_currentMessage->message, m_currentMessage->wParam, m_currentMessage->lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // WM_COMMAND carries the notification code in the high word and the
    // command or control id in the low word; they are matched separately.
    const UINT code = message == WM_COMMAND ? HIWORD(wParam) : 0;
    const UINT id = message == WM_COMMAND ? LOWORD(wParam) : 0;
    if (message == WM_COMMAND && lParam != 0 && m_updatingData)
        return false;

    const MessageMapEntry* entry = FindHandler(message, code, id);
    if (entry == nullptr) {
        // Commands nobody in the window handles go on to the application.
        if (message == WM_COMMAND && AfxGetApp() != nullptr && AfxGetApp()->OnCmdMsg(id, code)) {
            *result = 0;
            return true;
        }
        return false;
    }

    // Handlers may call Default(), so the message is kept while they run;
    // nested messages restore the outer one afterwards.
    const CurrentMessage current{message, wParam, lParam};
    const CurrentMessage* outer = m_currentMessage;
    m_currentMessage = &current;
    struct Restore {
        CWnd& wnd;
        const CurrentMessage* outer;
        ~Restore() { wnd.m_currentMessage = outer; }
    } restore{*this, outer};
    *result = entry->thunk(*this, wParam, lParam);
    return true;
}
