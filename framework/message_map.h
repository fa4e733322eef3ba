// Message maps: a table per class that routes window messages and control
// commands to ordinary handler members, one line per message:
//
//     BEGIN_MESSAGE_MAP(CFinderDlg, CDialog)
//         ON_WM_PAINT()
//         ON_BN_CLICKED(IDC_SEARCH, OnSearch)
//     END_MESSAGE_MAP()
//
// Each line becomes an entry whose thunk casts the target to the class that
// declared the map and calls the handler with the message's parameters
// unpacked, so handlers keep their own signatures and no member-function
// pointers are cast between classes. A message not in a class's table is
// looked up in its base class's table.
#pragma once

#include "framework/win32.h"

class CCmdTarget;

using MessageThunk = LRESULT (*)(CCmdTarget& target, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message;
    UINT code;  // WM_COMMAND only: the notification code
    UINT id;    // WM_COMMAND only: the command or control id
    MessageThunk thunk;  // null ends a table
};

struct MessageMap {
    const MessageMap* (*base)();  // null for the root class
    const MessageMapEntry* entries;
};

#define DECLARE_MESSAGE_MAP()                                   \
protected:                                                      \
    static const ::MessageMap* GetThisMessageMap();             \
    const ::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
    const ::MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const ::MessageMap* theClass::GetThisMessageMap()                          \
    {                                                                           \
        using ThisClass [[maybe_unused]] = theClass;                            \
        using TheBaseClass = baseClass;                                         \
        static const ::MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                       \
            {0, 0, 0, nullptr}};                                                \
        static const ::MessageMap map{&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                            \
    }

#define MESSAGE_MAP_THUNK(call)                                                 \
    [](::CCmdTarget& target, [[maybe_unused]] WPARAM wParam,                    \
       [[maybe_unused]] LPARAM lParam) -> LRESULT {                             \
        [[maybe_unused]] ThisClass& self = static_cast<ThisClass&>(target);     \
        call;                                                                   \
    }

// A menu command, accelerator-free: code 0, which is also BN_CLICKED.
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, 0, static_cast<UINT>(id), MESSAGE_MAP_THUNK(self.memberFxn(); return 0)},

#define ON_BN_CLICKED(id, memberFxn) \
    {WM_COMMAND, BN_CLICKED, static_cast<UINT>(id), MESSAGE_MAP_THUNK(self.memberFxn(); return 0)},

// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND() \
    {WM_SYSCOMMAND, 0, 0, MESSAGE_MAP_THUNK(self.OnSysCommand(static_cast<UINT>(wParam), lParam); return 0)},

// void OnPaint()
#define ON_WM_PAINT() \
    {WM_PAINT, 0, 0, MESSAGE_MAP_THUNK(self.OnPaint(); return 0)},

// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON() \
    {WM_QUERYDRAGICON, 0, 0, MESSAGE_MAP_THUNK(return reinterpret_cast<LRESULT>(self.OnQueryDragIcon()))},
