#pragma once
// Numbers of the program's resources and of the main window's controls.

inline constexpr int IDD_TIMERCONFIG_DIALOG = 102;
inline constexpr int IDR_MAINFRAME = 128;

inline constexpr int IDC_PORT = 1000;
inline constexpr int IDC_CONNECT = 1001;
inline constexpr int IDC_VERSION = 1002;
inline constexpr int IDC_RACE_TIMEOUT = 1003;
inline constexpr int IDC_RACE_TIMEOUT_SPIN = 1004;
inline constexpr int IDC_SET_TIMEOUT = 1005;
inline constexpr int IDC_DISCONNECT = 1007;
inline constexpr int IDC_REFRESH = 1008;
inline constexpr int IDC_CHANGE_FINISH_MODE = 1010;
inline constexpr int IDC_FINISH_TEXT = 1011;
inline constexpr int IDC_SEGMENT_TEXT = 1012;
inline constexpr int IDC_DIGIT_TEXT = 1013;
inline constexpr int IDC_CHANGE_SEGMENT_MODE = 1014;
inline constexpr int IDC_CHANGE_DIGIT_MODE = 1015;
inline constexpr int IDC_LANE1 = 1016;  // IDC_LANE1 + i is lane i + 1, up to lane 6
inline constexpr int IDC_LANE6 = 1021;
inline constexpr int IDC_SET_ACTIVE_LANES = 1022;
inline constexpr int IDC_CHANGE_GATE_MODE = 1023;
inline constexpr int IDC_GATE_TEXT = 1024;
inline constexpr int IDC_CLOSE = 2;  // the dialog's cancel command
inline constexpr int IDC_STATIC = -1;
