#pragma once
// A small dialog for the framework's tests: one field of each kind the framework exchanges,
// labels with mnemonics, a sorted port-style combo box and a digits-only field, push buttons
// (one disabled), and the framework's OK and Cancel.

#include <functional>

#include "platform/afx/afx.h"

namespace afx_test {

inline constexpr UINT kTestDialogId = 900;
inline constexpr UINT kMissingDialogId = 901;
inline constexpr UINT kTestIconId = 1;

enum : int {
    kIdValue = 101,       // edit: int field, validated between m_nMin and m_nMax
    kIdName = 102,        // edit: text field
    kIdKeep = 103,        // check box "&Keep"
    kIdNote = 104,        // static text, no prefix: "Ham &Eggs"
    kIdList = 105,        // combo box: drop-down, sorted
    kIdDigits = 106,      // edit: digits only
    kIdNoTab = 107,       // check box "No &tab stop", not a tab stop
    kIdApply = 108,       // push button "&Apply"
    kIdDisabled = 109,    // push button "&Disabled", disabled in the template
    kIdApplyAgain = 110,  // push button "&apply again"
    kIdPlainList = 111,   // combo box: drop-down, unsorted, not a tab stop
};

class CTestDlg : public CDialog {
  public:
    CTestDlg() : CDialog(kTestDialogId) {}
    explicit CTestDlg(UINT templateId) : CDialog(templateId) {}

    int m_nValue = 0;
    int m_nMin = 0;
    int m_nMax = 255;
    CString m_strName;
    BOOL m_bKeep = 0;
    CString m_strNote;
    CButton m_btnApply;
    CComboBox m_cboList;

    int applyClicks = 0;
    int applyAgainClicks = 0;
    int destroyCalls = 0;
    bool controlsAliveAtDestroy = false;
    std::function<BOOL(CTestDlg&)> onInit;  // replaces OnInitDialog's return when set

    using CDialog::OnCancel;
    using CDialog::OnOK;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnApply() { ++applyClicks; }
    afx_msg void OnApplyAgain() { ++applyAgainClicks; }
    afx_msg void OnDestroy();
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};

}  // namespace afx_test
