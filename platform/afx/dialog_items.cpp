// Handles on a dialog's controls for code that has no bound member for them.

#include "platform/afx/dialog.h"

CWnd* CDialog::GetDlgItem(int nID) {
    if (Peer() == nullptr) return nullptr;
    auto& item = items_[nID];
    if (!item) item = std::make_unique<CWnd>();
    item->Attach(Peer(), nID);
    return item.get();
}
