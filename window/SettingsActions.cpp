// Changing the timer's settings: the race timeout, the four modes and the active lanes.

#include "window/TimerConfigDlg.h"

using timerlink::Mode;

namespace {

// The question describes the state last read from the timer and offers the other one.
const char* ModeQuestion(Mode mode, BOOL currentFlag) {
    const bool set = currentFlag == 1;
    switch (mode) {
        case Mode::Finish:
            return set ? "Finish line is currently set to detect a finish when the pin goes high "
                         "(+5v).\r\nSwitch to finish on pin low (GND)?"
                       : "Finish line is currently set to detect a finish when the pin goes low "
                         "(0v/GND).\r\nSwitch to finish on pin high (+5v)?";
        case Mode::Segment:
            return set ? "Currently set to raise a pin high (+5v) to turn on a segment.\r\nSwitch "
                         "to segment active on pin low (0v/GND)?"
                       : "Currently set to pull a pin low (0v/GND) to turn on a segment.\r\nSwitch "
                         "to segment active on pin high (+5v)?";
        case Mode::Digit:
            return set ? "Currently set to raise a pin high (+5v) to turn on a digit.\r\nSwitch to "
                         "digit active on pin low (0v/GND)?"
                       : "Currently set to pull a pin low (0v/GND) to turn on a digit.\r\nSwitch "
                         "to "
                         "digit active on pin high (+5v)?";
        case Mode::Gate:
            break;
    }
    return set ? "Starting Gate Switch is currently set to ON when the gate is closed and OFF when "
                 "gate is open.\r\nSwitch to OFF when gate is closed?"
               : "Starting Gate Switch is currently set to OFF when gate is closed and ON when "
                 "gate "
                 "is open.\r\nSwitch to ON when gate is closed?";
}

}  // namespace

void CTimerConfigDlg::OnSetTimeout() {
    // A value the user was just told is invalid never goes to the timer.
    if (!UpdateData(TRUE)) return;
    m_nRaceTimeout =
        timerlink::ReadReplyNumber(SendCommand(timerlink::TimeoutCommand(m_nRaceTimeout)));
    UpdateData(FALSE);
}

void CTimerConfigDlg::ChangeMode(Mode mode, BOOL currentFlag) {
    if (AfxMessageBox(ModeQuestion(mode, currentFlag), MB_ICONQUESTION | MB_YESNO) == IDYES)
        SendCommand(timerlink::ModeChangeCommand(mode, currentFlag));  // the reply tells nothing
    // Whatever the answer, show what the timer now holds.
    RefreshSettings();
}

void CTimerConfigDlg::OnChangeFinishMode() {
    ChangeMode(Mode::Finish, m_bFinishMode);
}
void CTimerConfigDlg::OnChangeSegmentMode() {
    ChangeMode(Mode::Segment, m_bSegmentMode);
}
void CTimerConfigDlg::OnChangeDigitMode() {
    ChangeMode(Mode::Digit, m_bDigitMode);
}
void CTimerConfigDlg::OnChangeGateMode() {
    ChangeMode(Mode::Gate, m_bGateMode);
}

void CTimerConfigDlg::OnSetActiveLanes() {
    if (AfxMessageBox("Are you sure you want to change the active lanes?",
                      MB_ICONQUESTION | MB_YESNO) != IDYES) {
        RefreshSettings();  // puts the boxes back to the lanes the timer holds
        return;
    }
    // The ticks are read with the rest of the window; if any field is invalid, nothing is sent.
    if (!UpdateData(TRUE)) return;

    timerlink::LaneValues lanes{};
    const timerlink::LaneFields fields = LaneFields();
    for (size_t i = 0; i < lanes.size(); ++i) lanes[i] = *fields[i];
    const CString strCommand = timerlink::LanesCommand(lanes);
    if (SendCommand(strCommand) != strCommand)
        AfxMessageBox("Error setting lanes!", MB_ICONWARNING);
}
