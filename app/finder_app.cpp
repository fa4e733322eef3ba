#include "app/finder_app.h"

#include "app/finder_dlg.h"

BEGIN_MESSAGE_MAP(CFinderApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

// The one application object; its name is the executable's.
CFinderApp theApp;

BOOL CFinderApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();

    CFinderDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
