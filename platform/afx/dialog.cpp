// The modal dialog: runs its template's window through the backend and turns the window's
// events into the program's handlers.

#include "platform/afx/dialog.h"

#include "platform/afx/app.h"

CDialog::CDialog(UINT nIDTemplate, CWnd*) : templateId_(nIDTemplate) {}

CDialog::~CDialog() = default;

// Returns the value given to EndDialog, or -1 when the window could not be made.
int CDialog::DoModal() {
    const afx::DialogTemplate* dialog = afx::FindDialogTemplate(static_cast<int>(templateId_));
    if (dialog == nullptr || window_ != nullptr) return -1;
    window_ = afx::CurrentBackend().CreateDialogPeer(*dialog, *this);
    if (window_ == nullptr) return -1;
    peer_ = window_.get();
    const int result = window_->RunModal();
    peer_ = nullptr;
    window_.reset();
    return result;
}

void CDialog::EndDialog(int nResult) {
    if (window_ != nullptr) window_->EndModal(nResult);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

HICON CDialog::SetIcon(HICON hIcon, BOOL bBigIcon) {
    HICON& slot = icons_[bBigIcon ? ICON_BIG : ICON_SMALL];
    const HICON previous = slot;
    slot = hIcon;
    if (window_ != nullptr) window_->SetIcon(hIcon, bBigIcon != FALSE);
    return previous;
}

BOOL CDialog::IsIconic() const {
    return window_ != nullptr && window_->IsIconic() ? TRUE : FALSE;
}

void CDialog::GetClientRect(CRect* rect) const {
    if (rect == nullptr) return;
    *rect = CRect{};
    if (window_ != nullptr) window_->GetClientSize(rect->right, rect->bottom);
}

// Only the two messages the program sends to its own window are understood.
LRESULT CDialog::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETICON:
            return reinterpret_cast<LRESULT>(
                SetIcon(reinterpret_cast<HICON>(lParam), wParam == ICON_BIG ? TRUE : FALSE));
        case WM_ICONERASEBKGND:
            if (window_ != nullptr) window_->EraseIconBackground();
            return 0;
        default:
            return 0;
    }
}

bool CDialog::OnPeerInit() {
    return OnInitDialog() != FALSE;
}

// A handler in the program's map comes first; OK and Cancel fall back to their defaults.
void CDialog::OnPeerCommand(int id) {
    if (DispatchMessage(afx::Msg::Command, id)) return;
    if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

void CDialog::OnPeerHelp() {
    if (DispatchMessage(afx::Msg::Command, ID_HELP)) return;
    if (CWinApp* app = AfxGetApp(); app != nullptr)
        app->DispatchMessage(afx::Msg::Command, ID_HELP);
}

void CDialog::OnPeerPaint() {
    DispatchMessage(afx::Msg::Paint, 0);
}

void CDialog::OnPeerDestroy() {
    DispatchMessage(afx::Msg::Destroy, 0);
    // The handles outlive the window as members of the dialog object; from here on they must
    // not reach a window that is gone.
    for (CWnd* control : boundControls_) control->Detach();
    boundControls_.clear();
    items_.clear();
}
