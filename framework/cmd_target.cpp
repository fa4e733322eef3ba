#include "framework/cmd_target.h"

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MessageMapEntry entries[] = {{0, 0, 0, nullptr}};
    static const MessageMap map{nullptr, entries};
    return &map;
}

const MessageMapEntry* CCmdTarget::FindHandler(UINT message, UINT code, UINT id) const
{
    const bool command = message == WM_COMMAND;
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->thunk != nullptr; ++entry) {
            if (entry->message == message && (!command || (entry->code == code && entry->id == id)))
                return entry;
        }
    }
    return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT id, UINT code)
{
    const MessageMapEntry* entry = FindHandler(WM_COMMAND, code, id);
    if (entry == nullptr)
        return false;
    entry->thunk(*this, MAKEWPARAM(id, code), 0);
    return true;
}
