#pragma once
// The one seam between the dialog framework and whatever shows the windows.
// Two implementations: real windows (wx/) and an in-memory twin that tests drive (headless/).
// The framework talks to a DialogPeer; the backend reports events through a DialogSink.

#include <memory>
#include <string>

#include "platform/afx/resources.h"
#include "platform/wintypes.h"

namespace afx {

// Events a backend delivers to the dialog that owns a window.
class DialogSink {
  public:
    virtual ~DialogSink() = default;
    // The window and its controls exist. Returns true when the backend should put the focus
    // on the first enabled tab stop (false: the dialog placed the focus itself).
    virtual bool OnPeerInit() = 0;
    // A push button was clicked (IDOK for Enter with no push button focused; IDCANCEL for
    // Escape, the close box, or the button with id 2).
    virtual void OnPeerCommand(int id) = 0;
    // F1.
    virtual void OnPeerHelp() = 0;
    // The window paints while minimized.
    virtual void OnPeerPaint() = 0;
    // The window is being destroyed; its controls still exist.
    virtual void OnPeerDestroy() = 0;
};

// One dialog window, built from a template, in a backend.
class DialogPeer {
  public:
    virtual ~DialogPeer() = default;

    // Shows the window, calls OnPeerInit, dispatches events until EndModal, calls
    // OnPeerDestroy, removes the window, and returns the value given to EndModal.
    virtual int RunModal() = 0;
    virtual void EndModal(int result) = 0;

    virtual void SetControlText(int id, const std::string& text) = 0;
    virtual std::string GetControlText(int id) const = 0;
    virtual void SetCheck(int id, int state) = 0;
    virtual int GetCheck(int id) const = 0;
    virtual void EnableControl(int id, bool enable) = 0;
    virtual bool IsControlEnabled(int id) const = 0;
    virtual void FocusControl(int id) = 0;
    virtual void SelectAllText(int id) = 0;

    // Combo box list. AddString keeps the list sorted as text when the template says so and
    // returns the index of the new entry.
    virtual int ComboAddString(int id, const std::string& text) = 0;
    virtual int ComboGetCount(int id) const = 0;
    virtual std::string ComboGetItem(int id, int index) const = 0;

    virtual void SetIcon(const IconResource* icon, bool big) = 0;
    virtual bool IsIconic() const = 0;
    virtual void GetClientSize(int& width, int& height) const = 0;
    // Only meaningful while painting a minimized window.
    virtual void EraseIconBackground() = 0;
    virtual void DrawIcon(int x, int y, const IconResource* icon) = 0;
};

class Backend {
  public:
    virtual ~Backend() = default;
    virtual std::unique_ptr<DialogPeer> CreateDialogPeer(const DialogTemplate& dialog,
                                                         DialogSink& sink) = 0;
    // Returns IDOK, IDYES or IDNO. Only Yes counts as consent in a question: a box closed
    // any other way answers IDNO (a Yes/No box) or IDOK (an OK box).
    virtual int MessageBox(const std::string& text, const std::string& caption, UINT type) = 0;
    // Width and height of a standard icon, for painting a minimized window.
    virtual int IconMetric() const = 0;
};

// The backend in use. Set once by whoever starts the program (the real main or a test).
Backend& CurrentBackend();
void SetBackend(Backend* backend);

}  // namespace afx
