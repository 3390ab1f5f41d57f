#pragma once
// What the framework reads from the program's resources: dialog templates and icons.
// The program provides AfxResources(); the framework looks resources up by number there.

#include <string>
#include <vector>

#include "platform/wintypes.h"

namespace afx {

enum class ControlKind { PushButton, CheckBox, GroupBox, StaticText, Edit, ComboBox, UpDown };

// Window styles the framework honours; values are ours, only their meaning matters.
enum ControlStyle : unsigned {
    kStyleDisabled = 1u << 0,
    kStyleTabStop = 1u << 1,
    kStyleGroup = 1u << 2,
    kStyleSunken = 1u << 3,       // static text with a sunken frame
    kStyleNumber = 1u << 4,       // edit: digits only
    kStyleAutoHScroll = 1u << 5,  // edit: scrolls horizontally
    kStyleBorder = 1u << 6,
    kStyleDropDown = 1u << 7,  // combo box: drop-down list with an editable field
    kStyleSort = 1u << 8,      // combo box: list sorted as text
    kStyleVScroll = 1u << 9,
    kStyleNoPrefix = 1u << 10,     // static text: '&' shown as typed, no mnemonic
    kStyleAutoBuddy = 1u << 11,    // up-down: attaches to the control before it
    kStyleAlignRight = 1u << 12,   // up-down: sits at its buddy's right edge
    kStyleSetBuddyInt = 1u << 13,  // up-down: writes its position into the buddy as an integer
    kStyleArrowKeys = 1u << 14,    // up-down: answers the arrow keys
    kStyleDefault = 1u << 15,      // push button: the default button
};

struct ControlTemplate {
    int id;  // -1 for controls the program never addresses
    ControlKind kind;
    std::string text;
    int x, y, cx, cy;  // dialog units
    unsigned style;
};

struct DialogTemplate {
    int id;
    std::string caption;
    int cx, cy;  // dialog units
    std::string fontName;
    int fontPointSize;
    bool minimizeBox;
    bool appWindow;                         // shown on the task bar
    std::vector<ControlTemplate> controls;  // template (tab) order
};

// An icon resource: the same picture at several sizes, each an XPM image.
struct IconImage {
    int size;  // width and height in pixels
    const char* const* xpm;
};
struct IconResource {
    int id;
    std::vector<IconImage> images;
};

struct ResourceTable {
    std::vector<const DialogTemplate*> dialogs;
    std::vector<const IconResource*> icons;
};

const DialogTemplate* FindDialogTemplate(int id);
const IconResource* FindIcon(int id);

}  // namespace afx

// Provided by the program (its resources/ folder).
const afx::ResourceTable& AfxResources();
