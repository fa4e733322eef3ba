#include "framework/menu.h"

#include "framework/text_codec.h"

#include <map>

CMenu* CMenu::FromHandle(HMENU menu)
{
    if (menu == nullptr)
        return nullptr;
    thread_local std::map<HMENU, CMenu> wrappers;
    CMenu& wrapper = wrappers[menu];
    wrapper.m_hMenu = menu;
    return &wrapper;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text)
{
    const bool hasText = (flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) == 0 && text != nullptr;
    const std::wstring wide = hasText ? WideFromCp936(text) : std::wstring();
    return AppendMenuW(m_hMenu, flags, id, hasText ? wide.c_str() : nullptr);
}
