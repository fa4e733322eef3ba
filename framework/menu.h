// CMenu: a menu handle with the one call the dialogs make on it.
#pragma once

#include "framework/win32.h"

class CMenu {
public:
    HMENU m_hMenu = nullptr;

    // The wrapper for `menu`, or null for a null handle. The wrapper lives as
    // long as the thread; the menu itself stays Windows' to destroy.
    static CMenu* FromHandle(HMENU menu);

    // Appends an item; `text` is code page 936 and used with MF_STRING only.
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr);
};
