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
        SetWindowTextW(control, WideFromCp936(value).c_str());
    }
}
