// Ctrl+A selects the whole text of an edit control. Newer Windows edit
// controls do this themselves; Wine's and older Windows' do not, and there
// Ctrl+A does nothing, though it is what a user presses before copying a
// whole list.
#pragma once

#include "framework/win32.h"

// Gives `edit` the key by subclassing it: Ctrl+A's character (0x01, which
// TranslateMessage makes of the key press) becomes "select all" instead of
// reaching the control, which would beep or ignore it. The control's class,
// styles and text are left as they are; the subclass removes itself when the
// control is destroyed. Calling it twice on one control changes nothing more.
void AddSelectAllKey(HWND edit);

// Gives the key to every edit control among `dialog`'s children.
void AddSelectAllKeyToEditControls(HWND dialog);
