#include "framework/cstring.h"

#include "framework/text_codec.h"
#include "framework/win_app.h"

BOOL CString::LoadString(UINT id)
{
    // With a zero buffer size LoadStringW hands out a pointer to the string
    // inside the resource itself, so a string of any length loads whole.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        Empty();
        return FALSE;
    }
    m_bytes = Cp936FromWide(std::wstring_view(text, static_cast<std::size_t>(length)));
    return TRUE;
}
