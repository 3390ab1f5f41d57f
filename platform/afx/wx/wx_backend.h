#pragma once
// The backend that shows real windows, on wxWidgets. Needs a running wx application.

#include "platform/afx/backend.h"

namespace afx::wx {

class WxBackend : public Backend {
  public:
    std::unique_ptr<DialogPeer> CreateDialogPeer(const DialogTemplate& dialog,
                                                 DialogSink& sink) override;
    int MessageBox(const std::string& text, const std::string& caption, UINT type) override;
    int IconMetric() const override;
};

}  // namespace afx::wx
