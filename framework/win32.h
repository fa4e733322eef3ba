// The Windows headers as the framework uses them. The framework calls the W
// functions by name and converts text itself, so the A/W macros that would
// clash with its own member names (MessageBox, LoadString...) are removed.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef AppendMenu
#undef GetWindowText
#undef LoadIcon
#undef LoadString
#undef MessageBox
#undef SendMessage
#undef SetWindowText
