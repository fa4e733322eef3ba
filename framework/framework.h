// Orvalen's small stand-in for MFC over plain Win32: the application object,
// modal dialogs with message maps and data exchange, and thin wrappers for
// the few other Windows objects the dialogs use.
#pragma once

#include "framework/cstring.h"
#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "framework/menu.h"
#include "framework/paint_dc.h"
#include "framework/win_app.h"
#include "framework/wnd.h"
