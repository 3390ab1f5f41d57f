// The main window's layout, in dialog units, in tab order.
// The starting-gate group sits between the timeout and finish-line groups on screen but
// comes last in tab order: it was added to the window after the others.

#include "platform/afx/resources.h"
#include "resources/resource.h"

using afx::ControlKind;
using namespace afx;  // the style flags

namespace {

constexpr unsigned kButton = kStyleTabStop;
constexpr unsigned kLaneBox = kStyleTabStop;

}  // namespace

extern const afx::DialogTemplate kDialog102;
const afx::DialogTemplate kDialog102{
    IDD_TIMERCONFIG_DIALOG,
    "Zelvora",
    321,
    353,
    "MS Sans Serif",
    8,
    /*minimizeBox=*/true,
    /*appWindow=*/true,
    {
        {IDC_PORT, ControlKind::ComboBox, "", 7, 7, 67, 193,
         kStyleDropDown | kStyleSort | kStyleVScroll | kStyleTabStop},
        {IDC_CONNECT, ControlKind::PushButton, "Connect", 83, 7, 50, 14, kButton},
        {IDC_DISCONNECT, ControlKind::PushButton, "Disconnect", 142, 7, 50, 14,
         kButton | kStyleDisabled},
        {IDC_REFRESH, ControlKind::PushButton, "&Refresh", 207, 7, 50, 14, kButton},
        {IDC_VERSION, ControlKind::StaticText, "Static", 7, 26, 307, 31, kStyleSunken},
        {IDC_STATIC, ControlKind::GroupBox, "Race &Timeout", 7, 59, 307, 37, 0},
        {IDC_RACE_TIMEOUT, ControlKind::Edit, "", 13, 76, 38, 14,
         kStyleNumber | kStyleAutoHScroll | kStyleBorder | kStyleTabStop},
        {IDC_RACE_TIMEOUT_SPIN, ControlKind::UpDown, "", 45, 76, 11, 14,
         kStyleAutoBuddy | kStyleAlignRight | kStyleSetBuddyInt | kStyleArrowKeys},
        {IDC_SET_TIMEOUT, ControlKind::PushButton, "Set", 61, 76, 25, 14, kButton | kStyleDisabled},
        {IDC_STATIC, ControlKind::StaticText,
         "This is the time in seconds before the timer will end a race, even if not all "
         "lanes have finished. 1 to 255 (or 0 to disable the timeout.)",
         96, 73, 211, 21, 0},
        {IDC_STATIC, ControlKind::GroupBox, "Finish Line Configuration", 7, 132, 307, 94, 0},
        {IDC_FINISH_TEXT, ControlKind::StaticText, "Static", 17, 145, 287, 12, 0},
        {IDC_CHANGE_FINISH_MODE, ControlKind::PushButton, "Change Finish Line Mode", 111, 159, 98,
         14, kButton},
        {IDC_STATIC, ControlKind::StaticText, "Acive &Lanes:", 17, 182, 42, 8, 0},
        {IDC_LANE1 + 0, ControlKind::CheckBox, "Lane&1", 17, 192, 36, 10, kLaneBox},
        {IDC_LANE1 + 1, ControlKind::CheckBox, "Lane&2", 66, 192, 36, 10, kLaneBox},
        {IDC_LANE1 + 2, ControlKind::CheckBox, "Lane&3", 115, 192, 36, 10, kLaneBox},
        {IDC_LANE1 + 3, ControlKind::CheckBox, "Lane&4", 164, 192, 36, 10, kLaneBox},
        {IDC_LANE1 + 4, ControlKind::CheckBox, "Lane&5", 213, 192, 36, 10, kLaneBox},
        {IDC_LANE1 + 5, ControlKind::CheckBox, "Lane&6", 262, 192, 36, 10, kLaneBox},
        {IDC_SET_ACTIVE_LANES, ControlKind::PushButton, "Set Active Lanes", 112, 207, 98, 14,
         kButton},
        {IDC_STATIC, ControlKind::GroupBox, "7-Segment LED Display Configuration", 7, 231, 307, 98,
         0},
        {IDC_SEGMENT_TEXT, ControlKind::StaticText, "Static", 17, 247, 287, 10, 0},
        {IDC_CHANGE_SEGMENT_MODE, ControlKind::PushButton, "Change Segment Mode", 111, 262, 98, 14,
         kButton},
        {IDC_DIGIT_TEXT, ControlKind::StaticText, "Static", 17, 286, 287, 12, 0},
        {IDC_CHANGE_DIGIT_MODE, ControlKind::PushButton, "Change Digit Mode", 111, 302, 98, 14,
         kButton},
        {IDC_STATIC, ControlKind::StaticText, "Version 1.23", 7, 338, 40, 8, 0},
        {IDC_CLOSE, ControlKind::PushButton, "Close", 264, 332, 50, 14, kButton},
        {IDC_STATIC, ControlKind::GroupBox, "Starting Gate Configuration", 7, 99, 307, 30, 0},
        {IDC_GATE_TEXT, ControlKind::StaticText, "Static", 17, 112, 180, 8, kStyleNoPrefix},
        {IDC_CHANGE_GATE_MODE, ControlKind::PushButton, "Change Starting Gate Mode", 202, 108, 98,
         14, kButton},
    },
};
