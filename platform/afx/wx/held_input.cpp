#include "platform/afx/wx/held_input.h"

#include <gtk/gtk.h>

namespace afx::wx {
namespace {

bool IsUserInput(GdkEventType type) {
    switch (type) {
        case GDK_MOTION_NOTIFY:
        case GDK_BUTTON_PRESS:
        case GDK_2BUTTON_PRESS:
        case GDK_3BUTTON_PRESS:
        case GDK_BUTTON_RELEASE:
        case GDK_KEY_PRESS:
        case GDK_KEY_RELEASE:
        case GDK_ENTER_NOTIFY:
        case GDK_LEAVE_NOTIFY:
        case GDK_SCROLL:
        case GDK_PROXIMITY_IN:
        case GDK_PROXIMITY_OUT:
        case GDK_TOUCH_BEGIN:
        case GDK_TOUCH_UPDATE:
        case GDK_TOUCH_END:
        case GDK_TOUCH_CANCEL:
        case GDK_TOUCHPAD_SWIPE:
        case GDK_TOUCHPAD_PINCH:
        case GDK_DELETE:  // the close box
            return true;
        default:
            return false;
    }
}

}  // namespace

void HeldInput::DeliverOne(GdkEvent* event, void*) {
    gtk_main_do_event(event);
}

void HeldInput::Sort(GdkEvent* event, void* self) {
    if (IsUserInput(event->type)) {
        static_cast<HeldInput*>(self)->held_.push_back(gdk_event_copy(event));
    } else {
        gtk_main_do_event(event);
    }
}

void HeldInput::Pump() {
    gdk_event_handler_set(&HeldInput::Sort, this, nullptr);
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
    gdk_event_handler_set(&HeldInput::DeliverOne, nullptr, nullptr);
}

std::vector<GdkEvent*> HeldInput::Take() {
    std::vector<GdkEvent*> events;
    events.swap(held_);
    return events;
}

void HeldInput::Deliver(std::vector<GdkEvent*>& events) {
    for (GdkEvent* event : events) {
        gtk_main_do_event(event);
        gdk_event_free(event);
    }
    events.clear();
}

HeldInput::~HeldInput() {
    for (GdkEvent* event : held_) gdk_event_free(event);
}

}  // namespace afx::wx
