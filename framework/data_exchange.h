// Dialog data exchange: DoDataExchange lists one DDX_ call per control, and
// the same list moves data either way, as `m_bSaveAndValidate` says.
#pragma once

#include "framework/cstring.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;  // true: controls to members; false: members to controls
};

// The text of control `id` and `value`, converted between the control's
// UTF-16 and the member's code page 936. Text of any length goes in whole,
// and an edit control's limit is raised to take it.
void DDX_Text(CDataExchange* pDX, int id, CString& value);
