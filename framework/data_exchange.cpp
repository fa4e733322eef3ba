#include "framework/data_exchange.h"

#include "framework/text_codec.h"
#include "framework/wnd.h"

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    HWND control = pDX->m_pDlgWnd->GetItem(id);
    if (pDX->m_bSaveAndValidate) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
        const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
        text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
        value = CString(Cp936FromWide(text));
    } else {
        const std::wstring text = WideFromCp936(value);
        // An edit control takes longer text than its limit (30,000 characters
        // unless raised) from WM_SETTEXT, but then refuses every key the user
        // types. Text of any length stays editable with the limit raised.
        const auto limit = static_cast<std::size_t>(SendMessageW(control, EM_GETLIMITTEXT, 0, 0));
        if (limit != 0 && text.size() >= limit)
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
        SetWindowTextW(control, text.c_str());
    }
}
