#include "platform/afx/wx/wx_backend.h"

#include <wx/settings.h>

#include "platform/afx/wx/message_box.h"
#include "platform/afx/wx/wx_dialog.h"

namespace afx::wx {

std::unique_ptr<DialogPeer> WxBackend::CreateDialogPeer(const DialogTemplate& dialog,
                                                        DialogSink& sink) {
    return std::make_unique<WxDialog>(dialog, sink);
}

int WxBackend::MessageBox(const std::string& text, const std::string& caption, UINT type) {
    return ShowMessageBox(WxDialog::ActiveWindow(), text, caption, type);
}

int WxBackend::IconMetric() const {
    const int size = wxSystemSettings::GetMetric(wxSYS_ICON_X);
    return size > 0 ? size : 32;
}

}  // namespace afx::wx
