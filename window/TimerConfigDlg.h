#pragma once
// The main window: the port box, the timer's version, and every setting of the timer with
// the button that changes it.

#include "link/timer_commands.h"
#include "platform/afx/afx.h"
#include "platform/comm/comm.h"
#include "resources/resource.h"

class CTimerConfigDlg : public CDialog {
  public:
    explicit CTimerConfigDlg(CWnd* pParent = nullptr);

    enum { IDD = IDD_TIMERCONFIG_DIALOG };

    BOOL m_bDigitMode = 0;
    BOOL m_bSegmentMode = 0;
    BOOL m_bFinishMode = 0;
    BOOL m_bGateMode = 0;
    HANDLE m_hPort = INVALID_HANDLE_VALUE;
    CString m_strPortName;
    CButton m_btnFinishMode;
    CButton m_btnSegmentMode;
    CButton m_btnDigitMode;
    CButton m_btnRefresh;
    CButton m_btnDisconnect;
    CButton m_btnConnect;
    CButton m_btnSetTimeout;
    CComboBox m_cboPort;
    CString m_strVersion;
    int m_nRaceTimeout = 0;
    CString m_strDigitText;
    CString m_strFinishText;
    CString m_strSegmentText;
    BOOL m_bLane1 = 0;
    BOOL m_bLane2 = 0;
    BOOL m_bLane3 = 0;
    BOOL m_bLane4 = 0;
    BOOL m_bLane5 = 0;
    BOOL m_bLane6 = 0;
    CString m_strGateText;

    // Serial transport on the window's port.
    void FillPortList();
    CString ReadLine(HANDLE hPort);
    CString SendCommand(CString strCommand);

    // Connection.
    void RefreshSettings();
    void UpdateControlStates();

  protected:
    HICON m_hIcon;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnConnect();
    afx_msg void OnDisconnect();
    afx_msg void OnRefresh();
    afx_msg void OnDestroy();
    afx_msg void OnSetTimeout();
    afx_msg void OnChangeFinishMode();
    afx_msg void OnChangeSegmentMode();
    afx_msg void OnChangeDigitMode();
    afx_msg void OnChangeGateMode();
    afx_msg void OnSetActiveLanes();

    DECLARE_MESSAGE_MAP()

  private:
    timerlink::LaneFields LaneFields();
    void ChangeMode(timerlink::Mode mode, BOOL currentFlag);
    void ReleasePort();
};
