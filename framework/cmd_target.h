// CCmdTarget: the root of everything that has a message map.
#pragma once

#include "framework/message_map.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // The handler for a message in this object's class or its bases, or null.
    // For WM_COMMAND, `code` and `id` are the notification code and the id.
    const MessageMapEntry* FindHandler(UINT message, UINT code = 0, UINT id = 0) const;

    // Runs the handler of command `id` with notification `code`, if any.
    bool OnCmdMsg(UINT id, UINT code);

protected:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
};
