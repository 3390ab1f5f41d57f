#include "platform/afx/resources.h"

namespace afx {

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate* dialog : AfxResources().dialogs) {
        if (dialog != nullptr && dialog->id == id) return dialog;
    }
    return nullptr;
}

const IconResource* FindIcon(int id) {
    for (const IconResource* icon : AfxResources().icons) {
        if (icon != nullptr && icon->id == id) return icon;
    }
    return nullptr;
}

}  // namespace afx
