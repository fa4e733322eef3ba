// CWinApp: the application object, and the start-up that runs it. Exactly
// one exists, with static storage duration; WinMain finds it and calls its
// InitInstance.
#pragma once

#include "framework/cmd_target.h"

#include <string>

class CWnd;

// The command id of the help command, which the application routes to OnHelp.
constexpr UINT ID_HELP = 0xE146;

class CWinApp : public CCmdTarget {
public:
    // Without a name, the application is named after its executable: the
    // file name without its extension.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    const char* m_pszAppName;  // code page 936; the default message-box caption
    CWnd* m_pMainWnd = nullptr;

    // Start-up. True enters the application's own message loop (Run);
    // false ends the application.
    virtual BOOL InitInstance() { return TRUE; }
    virtual int Run();

    // The system draws every control in 3D; there is nothing to switch on.
    BOOL Enable3dControls() { return TRUE; }

    HICON LoadIcon(UINT id) const;

    // The help command. Orvalen has no help content, so it shows nothing.
    void OnHelp() {}

    DECLARE_MESSAGE_MAP()

private:
    std::string m_appName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The module whose resources the dialogs, strings and icons come from.
HINSTANCE AfxGetResourceHandle();
// Dialogs here host no embedded (ActiveX) controls, so this has nothing to do.
inline void AfxEnableControlContainer() {}

// What WinMain does: runs the one application object. Returns the process's
// exit code.
int AfxWinMain();
