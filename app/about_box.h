// CAboutBox: the About box, opened from the main window's system menu. It
// has no data and no handlers of its own: OK and Escape close it.
#pragma once

#include "app/resource.h"
#include "framework/framework.h"

class CAboutBox : public CDialog {
public:
    CAboutBox() : CDialog(IDD) {}

    enum { IDD = IDD_ABOUT };
};
