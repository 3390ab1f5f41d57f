#include "platform/afx/message_map.h"

const afx::MessageMap* CCmdTarget::GetThisMessageMap() {
    static const afx::MessageMapEntry entries[] = {{afx::Msg::End, 0, nullptr}};
    static const afx::MessageMap map{nullptr, entries};
    return &map;
}

bool CCmdTarget::DispatchMessage(afx::Msg msg, int id, void* result) {
    for (const afx::MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (const afx::MessageMapEntry* entry = map->entries; entry->msg != afx::Msg::End;
             ++entry) {
            if (entry->msg == msg && entry->id == id) {
                entry->invoke(this, result);
                return true;
            }
        }
    }
    return false;
}
