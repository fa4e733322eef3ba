// CFinderApp: the application object. Its start-up runs the main dialog.
#pragma once

#include "framework/framework.h"

class CFinderApp : public CWinApp {
public:
    CFinderApp() = default;

    // Runs the main dialog modally, then returns FALSE: the application ends
    // when the dialog does, with no message loop of its own.
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CFinderApp theApp;
