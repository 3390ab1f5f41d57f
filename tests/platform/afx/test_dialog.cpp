#include "tests/platform/afx/test_dialog.h"

namespace afx_test {
namespace {

using afx::ControlKind;

constexpr unsigned kTab = afx::kStyleTabStop;

const afx::DialogTemplate kDialog{
    static_cast<int>(kTestDialogId),
    "Test Dialog",
    200,
    120,
    "Sans",
    8,
    true,
    true,
    {
        {-1, ControlKind::GroupBox, "&Numbers", 4, 4, 192, 30, 0},
        {kIdValue, ControlKind::Edit, "", 10, 14, 40, 14, kTab | afx::kStyleBorder},
        {-1, ControlKind::StaticText, "&Name:", 60, 16, 30, 8, 0},
        {kIdName, ControlKind::Edit, "", 90, 14, 60, 14, kTab | afx::kStyleBorder},
        {kIdKeep, ControlKind::CheckBox, "&Keep", 10, 40, 40, 10, kTab},
        {kIdNote, ControlKind::StaticText, "Ham &Eggs", 60, 40, 60, 8, afx::kStyleNoPrefix},
        {-1, ControlKind::StaticText, "Fish && &Chips", 10, 54, 50, 8, 0},
        {kIdList, ControlKind::ComboBox, "", 60, 52, 60, 80,
         kTab | afx::kStyleDropDown | afx::kStyleSort | afx::kStyleVScroll},
        {kIdDigits, ControlKind::Edit, "", 130, 52, 30, 14, kTab | afx::kStyleNumber},
        {kIdNoTab, ControlKind::CheckBox, "No &tab stop", 10, 70, 60, 10, 0},
        {kIdApply, ControlKind::PushButton, "&Apply", 10, 84, 40, 14, kTab},
        {kIdDisabled, ControlKind::PushButton, "&Disabled", 55, 84, 40, 14,
         kTab | afx::kStyleDisabled},
        {IDOK, ControlKind::PushButton, "OK", 100, 84, 40, 14, kTab},
        {IDCANCEL, ControlKind::PushButton, "Cancel", 145, 84, 40, 14, kTab},
        {kIdApplyAgain, ControlKind::PushButton, "&apply again", 10, 102, 50, 14, kTab},
        {kIdPlainList, ControlKind::ComboBox, "", 70, 102, 60, 80, afx::kStyleDropDown},
    },
};

const char* const kIconXpm[] = {"2 2 1 1", ". c #336699", "..", ".."};
const afx::IconResource kIcon{static_cast<int>(kTestIconId), {{2, kIconXpm}}};

}  // namespace

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
ON_BN_CLICKED(kIdApply, &CTestDlg::OnApply)
ON_BN_CLICKED(kIdApplyAgain, &CTestDlg::OnApplyAgain)
ON_WM_DESTROY()
ON_WM_PAINT()
END_MESSAGE_MAP()

void CTestDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdApply, m_btnApply);
    DDX_Control(pDX, kIdList, m_cboList);
    DDX_Text(pDX, kIdValue, m_nValue);
    DDV_MinMaxInt(pDX, m_nValue, m_nMin, m_nMax);
    DDX_Text(pDX, kIdName, m_strName);
    DDX_Check(pDX, kIdKeep, m_bKeep);
    DDX_Text(pDX, kIdNote, m_strNote);
}

BOOL CTestDlg::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    return onInit ? onInit(*this) : result;
}

void CTestDlg::OnDestroy() {
    CDialog::OnDestroy();
    ++destroyCalls;
    controlsAliveAtDestroy =
        m_btnApply.IsBound() && Peer() != nullptr && Peer()->GetControlText(kIdApply) == "&Apply";
}

// Paints the icon in the middle of the minimized window, the way the program does.
void CTestDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect rect;
    GetClientRect(&rect);
    dc.DrawIcon((rect.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2,
                (rect.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2,
                AfxGetApp()->LoadIcon(kTestIconId));
}

}  // namespace afx_test

const afx::ResourceTable& AfxResources() {
    static const afx::ResourceTable table{{&afx_test::kDialog}, {&afx_test::kIcon}};
    return table;
}
