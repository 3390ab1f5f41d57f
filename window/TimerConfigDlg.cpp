// The main window: opening, data exchange, enabling rule, the minimized icon, and the
// serial transport on the window's port.

#include "window/TimerConfigDlg.h"

#include "link/serial_line.h"

BEGIN_MESSAGE_MAP(CTimerConfigDlg, CDialog)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_CONNECT, &CTimerConfigDlg::OnConnect)
ON_BN_CLICKED(IDC_SET_TIMEOUT, &CTimerConfigDlg::OnSetTimeout)
ON_BN_CLICKED(IDC_DISCONNECT, &CTimerConfigDlg::OnDisconnect)
ON_BN_CLICKED(IDC_REFRESH, &CTimerConfigDlg::OnRefresh)
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_CHANGE_FINISH_MODE, &CTimerConfigDlg::OnChangeFinishMode)
ON_BN_CLICKED(IDC_CHANGE_SEGMENT_MODE, &CTimerConfigDlg::OnChangeSegmentMode)
ON_BN_CLICKED(IDC_CHANGE_DIGIT_MODE, &CTimerConfigDlg::OnChangeDigitMode)
ON_BN_CLICKED(IDC_SET_ACTIVE_LANES, &CTimerConfigDlg::OnSetActiveLanes)
ON_BN_CLICKED(IDC_CHANGE_GATE_MODE, &CTimerConfigDlg::OnChangeGateMode)
END_MESSAGE_MAP()

CTimerConfigDlg::CTimerConfigDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)) {}

void CTimerConfigDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CHANGE_FINISH_MODE, m_btnFinishMode);
    DDX_Control(pDX, IDC_CHANGE_SEGMENT_MODE, m_btnSegmentMode);
    DDX_Control(pDX, IDC_CHANGE_DIGIT_MODE, m_btnDigitMode);
    DDX_Control(pDX, IDC_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_DISCONNECT, m_btnDisconnect);
    DDX_Control(pDX, IDC_CONNECT, m_btnConnect);
    DDX_Control(pDX, IDC_SET_TIMEOUT, m_btnSetTimeout);
    DDX_Control(pDX, IDC_PORT, m_cboPort);
    DDX_Text(pDX, IDC_VERSION, m_strVersion);
    DDX_Text(pDX, IDC_RACE_TIMEOUT, m_nRaceTimeout);
    DDV_MinMaxInt(pDX, m_nRaceTimeout, 0, 255);
    DDX_Text(pDX, IDC_DIGIT_TEXT, m_strDigitText);
    DDX_Text(pDX, IDC_FINISH_TEXT, m_strFinishText);
    DDX_Text(pDX, IDC_SEGMENT_TEXT, m_strSegmentText);
    int nID = IDC_LANE1;
    for (BOOL* lane : LaneFields()) DDX_Check(pDX, nID++, *lane);
    DDX_Text(pDX, IDC_GATE_TEXT, m_strGateText);
}

BOOL CTimerConfigDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    FillPortList();

    m_strPortName = AfxGetApp()->GetProfileString("Settings", "ComPort", "");
    if (!m_strPortName.IsEmpty()) m_cboPort.SetWindowText(m_strPortName);

    UpdateControlStates();
    return TRUE;
}

timerlink::LaneFields CTimerConfigDlg::LaneFields() {
    return {&m_bLane1, &m_bLane2, &m_bLane3, &m_bLane4, &m_bLane5, &m_bLane6};
}

void CTimerConfigDlg::UpdateControlStates() {
    const BOOL connected = m_hPort != INVALID_HANDLE_VALUE;
    m_btnConnect.EnableWindow(!connected);
    m_btnDisconnect.EnableWindow(connected);
    m_btnSetTimeout.EnableWindow(connected);
    m_btnRefresh.EnableWindow(connected);
    m_btnFinishMode.EnableWindow(connected);
    m_btnSegmentMode.EnableWindow(connected);
    m_btnDigitMode.EnableWindow(connected);
    GetDlgItem(IDC_SET_ACTIVE_LANES)->EnableWindow(connected);
    GetDlgItem(IDC_CHANGE_GATE_MODE)->EnableWindow(connected);
}

void CTimerConfigDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    const int x = (rect.Width() - cxIcon + 1) / 2;
    const int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CTimerConfigDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

void CTimerConfigDlg::FillPortList() {
    for (const CString& port : timerlink::DiscoverPorts()) m_cboPort.AddString(port);
}

CString CTimerConfigDlg::ReadLine(HANDLE hPort) {
    return timerlink::ReadLine(hPort);
}

CString CTimerConfigDlg::SendCommand(CString strCommand) {
    return timerlink::SendCommand(m_hPort, strCommand);
}
