// Data exchange between a dialog's fields and its controls, with the framework's own texts
// for a field that does not parse or validate.

#include <cctype>
#include <charconv>
#include <string>
#include <string_view>

#include "platform/afx/app.h"
#include "platform/afx/dialog.h"

namespace {

// Unwinds DoDataExchange from a failed field back to UpdateData; never seen by the program.
struct ExchangeFailed {};

afx::DialogPeer& PeerOf(CDataExchange* pDX) {
    return *pDX->m_pDlgWnd->Peer();
}

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Optional surrounding white space, an optional sign, then digits only, within int's range.
bool ParseInt(std::string_view text, int& value) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    const size_t signLength = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    const std::string_view digits = text.substr(signLength);
    if (digits.empty()) return false;
    for (char c : digits) {
        if (!IsDigit(c)) return false;
    }
    // from_chars reads a minus sign but not a plus sign.
    const std::string_view number = text[0] == '+' ? digits : text;
    int parsed = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
    if (error != std::errc() || end != number.data() + number.size()) return false;
    value = parsed;
    return true;
}

}  // namespace

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    if (window_ == nullptr) return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const ExchangeFailed&) {
        return FALSE;
    }
    return TRUE;
}

CDataExchange::CDataExchange(CDialog* dlg, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(dlg) {}

void CDataExchange::PrepareCtrl(int id) {
    m_idLastControl = id;
    m_bEditLastControl = false;
}

void CDataExchange::PrepareEditCtrl(int id) {
    m_idLastControl = id;
    m_bEditLastControl = true;
}

void CDataExchange::Fail() {
    if (afx::DialogPeer* peer = m_pDlgWnd->Peer(); peer != nullptr && m_idLastControl != 0) {
        peer->FocusControl(m_idLastControl);
        if (m_bEditLastControl) peer->SelectAllText(m_idLastControl);
    }
    throw ExchangeFailed{};
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.IsBound()) return;
    pDX->PrepareCtrl(nIDC);
    rControl.Attach(pDX->m_pDlgWnd->Peer(), nIDC);
    pDX->m_pDlgWnd->boundControls_.push_back(&rControl);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = CString(PeerOf(pDX).GetControlText(nIDC));
    } else {
        PeerOf(pDX).SetControlText(nIDC, std::string(value.Text()));
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        PeerOf(pDX).SetControlText(nIDC, std::to_string(value));
        return;
    }
    if (!ParseInt(PeerOf(pDX).GetControlText(nIDC), value)) {
        AfxMessageBox("Please enter an integer.", MB_ICONEXCLAMATION | MB_OK);
        pDX->Fail();
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = PeerOf(pDX).GetCheck(nIDC);
    } else {
        PeerOf(pDX).SetCheck(nIDC, value);
    }
}

// Checks only when reading the controls: a held value is shown as it is, in or out of range.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    CString message;
    message.Format("Please enter an integer between %d and %d.", minVal, maxVal);
    AfxMessageBox(message, MB_ICONEXCLAMATION | MB_OK);
    pDX->Fail();
}
