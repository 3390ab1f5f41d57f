// The modal run: the window shown until the program ends it, and handlers run with the pointer
// busy and the user's input held until they are done.

#include "platform/afx/wx/wx_dialog_control.h"
// wx after the framework's types: it defines TRUE and FALSE as macros.
#include <wx/dialog.h>
#include <wx/utils.h>

#include "platform/afx/dialog.h"
#include "platform/afx/wx/held_input.h"
#include "platform/comm/wait_hook.h"

namespace afx::wx {

int WxDialog::RunModal() {
    WxDialog* previous = active_;
    wxWindow* previousWindow = activeWindow_;
    active_ = this;
    activeWindow_ = window_;
    if (sink_.OnPeerInit()) FocusFirstTabStop();
    if (!ended_) window_->ShowModal();
    sink_.OnPeerDestroy();
    window_->Hide();
    active_ = previous;
    activeWindow_ = previousWindow;
    return result_;
}

void WxDialog::EndModal(int result) {
    ended_ = true;
    result_ = result;
    if (window_->IsModal()) window_->EndModal(result);
}

void WxDialog::FocusFirstTabStop() {
    for (auto& control : controls_) {
        if ((control->tmpl->style & kStyleTabStop) && control->window &&
            control->window->IsEnabled()) {
            control->window->SetFocus();
            return;
        }
    }
}

void WxDialog::BindWindowEvents() {
    window_->Bind(wxEVT_CHAR_HOOK, &WxDialog::OnKey, this);
    window_->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        if (dispatching_) {
            // The close box was pressed while a handler talks to the timer: cancel after it.
            cancelPending_ = true;
        } else {
            Dispatch(IDCANCEL);
        }
        if (!ended_ && event.CanVeto()) event.Veto();
    });
}

void WxDialog::Dispatch(int id) {
    if (dispatching_ || ended_) return;
    dispatching_ = true;
    HeldInput input;
    {
        // Serial waits inside the handler let the window repaint; keys and clicks are held
        // until the handler is done.
        wxBusyCursor busy;
        platform::comm::SetWaitHook([&input] { input.Pump(); });
        sink_.OnPeerCommand(id);
        platform::comm::SetWaitHook({});
    }
    dispatching_ = false;
    // What the user did meanwhile acts now, after the handler, in the order it was done.
    window_->CallAfter([events = input.Take()]() mutable { HeldInput::Deliver(events); });
    if (cancelPending_) {
        cancelPending_ = false;
        Dispatch(IDCANCEL);
    }
}

}  // namespace afx::wx
