#pragma once
// Modal dialogs built from a template, and the data exchange between fields and controls.

#include <map>
#include <memory>
#include <vector>

#include "platform/afx/backend.h"
#include "platform/afx/wnd.h"

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int ID_HELP = 0xE146;

class CDialog;

// One pass of data exchange: writing fields into controls, or reading and validating them.
class CDataExchange {
  public:
    CDataExchange(CDialog* dlg, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;

    // Remembers the control that the next validation failure should put the focus on.
    void PrepareCtrl(int id);
    void PrepareEditCtrl(int id);
    // Ends the exchange as failed: the focus goes to the last prepared control (an edit
    // control gets its text selected) and UpdateData returns FALSE.
    [[noreturn]] void Fail();

    int m_idLastControl = 0;
    bool m_bEditLastControl = false;
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);

class CDialog : public CWnd, private afx::DialogSink {
  public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual int DoModal();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    BOOL IsIconic() const;
    void GetClientRect(CRect* rect) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // A handle on one of the open dialog's controls; owned by the dialog.
    CWnd* GetDlgItem(int nID);

    // The window of an open dialog, for the framework and for tests.
    afx::DialogPeer* Peer() const { return peer_; }

  protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

  private:
    bool OnPeerInit() override;
    void OnPeerCommand(int id) override;
    void OnPeerHelp() override;
    void OnPeerPaint() override;
    void OnPeerDestroy() override;

    // DDX_Control records each handle it binds, so that the handles let go of the window when
    // it is destroyed.
    friend void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

    UINT templateId_;
    std::unique_ptr<afx::DialogPeer> window_;
    std::map<int, std::unique_ptr<CWnd>> items_;  // handles given out by GetDlgItem
    std::vector<CWnd*> boundControls_;            // handles bound by DDX_Control
    HICON icons_[2] = {nullptr, nullptr};         // indexed by ICON_SMALL, ICON_BIG
};
