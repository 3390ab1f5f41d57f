#pragma once
// Message maps: each class that handles events lists them in a static table that names the
// base class's table, so an event is looked up from the most derived class down.

#include "platform/wintypes.h"

class CCmdTarget;

namespace afx {

enum class Msg { End, Command, Destroy, Paint, QueryDragIcon };

struct MessageMapEntry {
    Msg msg;
    int id;  // control or command id, for Msg::Command
    void (*invoke)(CCmdTarget* target, void* result);
};

struct MessageMap {
    const MessageMap* base;
    const MessageMapEntry* entries;
};

}  // namespace afx

class CCmdTarget {
  public:
    virtual ~CCmdTarget() = default;

    // Runs the first handler for (msg, id) found from this class's map down to the root.
    // Returns false when no map has one. `result` receives a handler's return value, if any.
    bool DispatchMessage(afx::Msg msg, int id, void* result = nullptr);

    static const afx::MessageMap* GetThisMessageMap();
    virtual const afx::MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
};

#define afx_msg

#define DECLARE_MESSAGE_MAP()                              \
  public:                                                  \
    static const afx::MessageMap* GetThisMessageMap();     \
    const afx::MessageMap* GetMessageMap() const override; \
                                                           \
  protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)               \
    const afx::MessageMap* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                          \
    }                                                        \
    const afx::MessageMap* theClass::GetThisMessageMap() {   \
        using ThisClass = theClass;                          \
        using TheBaseClass = baseClass;                      \
        static const afx::MessageMapEntry entries[] = {
#define ON_COMMAND(id, memberFxn) \
    {afx::Msg::Command, (id),     \
     [](CCmdTarget* target, void*) { (static_cast<ThisClass*>(target)->*(memberFxn))(); }},
#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND(id, memberFxn)
#define ON_WM_DESTROY()    \
    {afx::Msg::Destroy, 0, \
     [](CCmdTarget* target, void*) { static_cast<ThisClass*>(target)->OnDestroy(); }},
#define ON_WM_PAINT()    \
    {afx::Msg::Paint, 0, \
     [](CCmdTarget* target, void*) { static_cast<ThisClass*>(target)->OnPaint(); }},
#define ON_WM_QUERYDRAGICON()                                                                 \
    {afx::Msg::QueryDragIcon, 0, [](CCmdTarget* target, void* result) {                       \
         *static_cast<HCURSOR*>(result) = static_cast<ThisClass*>(target)->OnQueryDragIcon(); \
     }},
#define END_MESSAGE_MAP()                                                         \
    { afx::Msg::End, 0, nullptr }                                                 \
    }                                                                             \
    ;                                                                             \
    static const afx::MessageMap map{TheBaseClass::GetThisMessageMap(), entries}; \
    return &map;                                                                  \
    }
