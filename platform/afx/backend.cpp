#include "platform/afx/backend.h"

#include <cstdio>

#include "platform/afx/app.h"
#include "platform/afx/dialog.h"

namespace afx {
namespace {

// Stands in until a real backend is installed, so a missing set-up is reported in one line
// instead of crashing on a null reference.
class NoBackend : public Backend {
  public:
    std::unique_ptr<DialogPeer> CreateDialogPeer(const DialogTemplate& dialog,
                                                 DialogSink&) override {
        std::fprintf(stderr, "zelvora: no window backend installed; dialog %d not shown\n",
                     dialog.id);
        return nullptr;
    }
    int MessageBox(const std::string& text, const std::string&, UINT type) override {
        std::fprintf(stderr, "zelvora: no window backend installed; message not shown: %s\n",
                     text.c_str());
        return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    }
    int IconMetric() const override { return 32; }
};

NoBackend noBackend;
Backend* current = &noBackend;

}  // namespace

Backend& CurrentBackend() {
    return *current;
}

void SetBackend(Backend* backend) {
    current = backend != nullptr ? backend : &noBackend;
}

}  // namespace afx
