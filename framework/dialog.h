// CDialog: a dialog run modally from a template in the application's
// resources, with its messages routed through the message maps. Its edit
// controls select their whole text on Ctrl+A (framework/select_all_key.h).
#pragma once

#include "framework/wnd.h"

#include <exception>

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_templateId(templateId), m_parent(parent) {}

    // Runs the dialog until EndDialog and returns its result. The owner is
    // the parent given, else the application's main window. An exception
    // thrown by a handler ends the dialog and is thrown again from here,
    // after Windows' own frames have been left.
    virtual INT_PTR DoModal();

    // Fills the controls from the members. True lets the dialog manager put
    // the focus on the first control.
    virtual BOOL OnInitDialog();

    void EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

    // Moves the focus to `control` as the Tab key would, through the dialog
    // manager, which also selects the whole text of an edit control.
    void GotoDlgCtrl(HWND control) { SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE); }

protected:
    virtual void OnOK();      // reads the controls, then ends with IDOK
    virtual void OnCancel();  // ends with IDCANCEL

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND Owner() const;
    void CenterOnOwner();

    UINT m_templateId;
    CWnd* m_parent;
    bool m_initialized = false;
    std::exception_ptr m_failure;
};
