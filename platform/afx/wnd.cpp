// Control handles: each call goes straight to the control in the dialog's window. A handle
// that is not bound to an open dialog does nothing and reads as empty.

#include "platform/afx/wnd.h"

#include "platform/afx/backend.h"
#include "platform/afx/dialog.h"

void CWnd::Attach(afx::DialogPeer* peer, int id) {
    peer_ = peer;
    id_ = id;
}

void CWnd::Detach() {
    peer_ = nullptr;
    id_ = 0;
}

// Returns whether the window was disabled before, as the platform's call did.
BOOL CWnd::EnableWindow(BOOL bEnable) {
    if (peer_ == nullptr) return FALSE;
    const BOOL wasDisabled = peer_->IsControlEnabled(id_) ? FALSE : TRUE;
    peer_->EnableControl(id_, bEnable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    return peer_ != nullptr && peer_->IsControlEnabled(id_) ? TRUE : FALSE;
}

void CWnd::GetWindowText(CString& text) const {
    text = peer_ != nullptr ? CString(peer_->GetControlText(id_)) : CString();
}

void CWnd::SetWindowText(LPCTSTR text) {
    if (peer_ != nullptr) peer_->SetControlText(id_, text != nullptr ? text : "");
}

void CWnd::SetFocus() {
    if (peer_ != nullptr) peer_->FocusControl(id_);
}

int CButton::GetCheck() const {
    return peer_ != nullptr ? peer_->GetCheck(id_) : 0;
}

void CButton::SetCheck(int state) {
    if (peer_ != nullptr) peer_->SetCheck(id_, state);
}

// Returns the new entry's index, or -1 (the platform's CB_ERR) when no window is open.
int CComboBox::AddString(LPCTSTR text) {
    return peer_ != nullptr ? peer_->ComboAddString(id_, text != nullptr ? text : "") : -1;
}

int CComboBox::GetCount() const {
    return peer_ != nullptr ? peer_->ComboGetCount(id_) : 0;
}

void CComboBox::GetLBText(int index, CString& text) const {
    text = peer_ != nullptr ? CString(peer_->ComboGetItem(id_, index)) : CString();
}

// Painting goes to the window of the dialog being painted; the device context is only a token
// that names it.
CPaintDC::CPaintDC(CWnd* wnd) : wnd_(wnd), hdc_(wnd) {}

BOOL CPaintDC::DrawIcon(int x, int y, HICON icon) {
    const auto* dialog = dynamic_cast<const CDialog*>(wnd_);
    if (dialog == nullptr || dialog->Peer() == nullptr || icon == nullptr) return FALSE;
    dialog->Peer()->DrawIcon(x, y, icon);
    return TRUE;
}

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXICON:
        case SM_CYICON:
            return afx::CurrentBackend().IconMetric();
        default:
            return 0;
    }
}
