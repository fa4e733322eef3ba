// Resource ids of Orvalen's dialogs, strings, icon and system-menu command.
#pragma once

#define IDD_ABOUT           100
#define IDS_ABOUT_MENU      101
#define IDD_FINDER          102
#define IDS_NO_DICTIONARY   103
#define IDS_DICTIONARY_REFUSED 104
#define IDI_APP             128

#define IDC_SEARCH          1000
#define IDC_MATCHES         1001
#define IDC_QUERY           1002

// The About entry of the main window's system menu. System commands of our
// own must stay below 0xF000, and Windows uses their low four bits, so the
// command is matched with those bits masked off.
#define IDM_ABOUT           0x0010

#ifndef IDC_STATIC
#define IDC_STATIC          (-1)
#endif
