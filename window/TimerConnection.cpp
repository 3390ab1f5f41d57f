// Bringing the timer in and letting it go: Connect, Refresh, Disconnect, and the release
// when the window closes.

#include "link/port_permissions.h"
#include "link/serial_line.h"
#include "window/TimerConfigDlg.h"

using timerlink::Mode;

void CTimerConfigDlg::OnConnect() {
    // Also puts every held field back into its control, so unsent edits are undone.
    m_strVersion = "";
    UpdateData(FALSE);

    CString strPort;
    m_cboPort.GetWindowText(strPort);

    HANDLE hPort = INVALID_HANDLE_VALUE;
    switch (timerlink::OpenPort(strPort, hPort)) {
        case timerlink::OpenResult::Busy:
            AfxMessageBox("Port is already in use by another process", MB_ICONWARNING);
            return;
        case timerlink::OpenResult::Denied: {
            // On Linux a refused open means a missing group membership, not another program.
            CString text;
            text.Format(
                "Permission denied on %s.\r\nAdd your user to the group '%s', then log "
                "out and in again.",
                strPort.GetString(), timerlink::DeviceGroupOf(strPort).GetString());
            AfxMessageBox(text, MB_ICONWARNING);
            return;
        }
        case timerlink::OpenResult::Absent:
        case timerlink::OpenResult::Opened:
            break;
    }

    if (hPort != INVALID_HANDLE_VALUE && timerlink::ConfigurePort(hPort)) {
        m_strVersion = timerlink::SendCommand(hPort, timerlink::kVersionProbe);
        // A timer still in setup mode from an earlier session may not answer "V";
        // leaving setup mode makes it answer with a line instead.
        if (m_strVersion.IsEmpty())
            m_strVersion = timerlink::SendCommand(hPort, timerlink::kLeaveSetup);
    }

    if (!m_strVersion.IsEmpty()) {
        m_hPort = hPort;
        m_strVersion += "\r\n";
        m_strVersion += ReadLine(m_hPort);
        UpdateData(FALSE);

        // The timer may send a few other lines before it confirms setup mode.
        CString strReply = SendCommand(timerlink::kEnterSetup);
        if (!timerlink::IsSetupConfirmed(strReply)) {
            int nCount = 0;
            for (;;) {
                strReply = ReadLine(m_hPort);
                if (++nCount > 3) {
                    AfxMessageBox("Could not put timer into setup mode!", MB_ICONWARNING);
                    break;
                }
                if (timerlink::IsSetupConfirmed(strReply)) break;
            }
        }

        AfxGetApp()->WriteProfileString("Settings", "ComPort", strPort);
        RefreshSettings();
        UpdateControlStates();
        return;
    }

    if (hPort != INVALID_HANDLE_VALUE) CloseHandle(hPort);
    AfxMessageBox(CString("Timer not responding on ") + strPort, MB_ICONWARNING);
    UpdateControlStates();
}

void CTimerConfigDlg::RefreshSettings() {
    m_nRaceTimeout = timerlink::ReadReplyNumber(SendCommand(timerlink::kTimeoutQuery));
    timerlink::ApplyModeReply(Mode::Finish, SendCommand(timerlink::ModeQuery(Mode::Finish)),
                              m_bFinishMode, m_strFinishText);
    timerlink::ApplyModeReply(Mode::Gate, SendCommand(timerlink::ModeQuery(Mode::Gate)),
                              m_bGateMode, m_strGateText);
    timerlink::ApplyModeReply(Mode::Segment, SendCommand(timerlink::ModeQuery(Mode::Segment)),
                              m_bSegmentMode, m_strSegmentText);
    timerlink::ApplyModeReply(Mode::Digit, SendCommand(timerlink::ModeQuery(Mode::Digit)),
                              m_bDigitMode, m_strDigitText);
    timerlink::ApplyLanesReply(SendCommand(timerlink::kLanesQuery), LaneFields());
    UpdateData(FALSE);
}

void CTimerConfigDlg::OnRefresh() {
    RefreshSettings();
}

void CTimerConfigDlg::OnDisconnect() {
    ReleasePort();
    UpdateControlStates();
}

void CTimerConfigDlg::OnDestroy() {
    CDialog::OnDestroy();
    if (m_hPort != INVALID_HANDLE_VALUE) ReleasePort();
}

void CTimerConfigDlg::ReleasePort() {
    // "X" takes the timer out of setup mode; it answers, but nobody waits for that.
    timerlink::WriteCommand(m_hPort, timerlink::kLeaveSetup);
    CloseHandle(m_hPort);
    m_hPort = INVALID_HANDLE_VALUE;
}
