#pragma once
// A template dialog as a real window: the DialogPeer of the wx backend.
//
// Principles:
// - Controls are made in template order, which is also the tab order.
// - Keys a dialog manager answers are answered here: Enter clicks the focused push button or
//   asks for OK, Escape and the close box ask for Cancel, F1 asks for help, Alt with a letter
//   acts on the control whose text marks that letter with '&'.
// - While a handler runs the pointer shows busy and serial waits let the window repaint, but no
//   input reaches the window until the handler returns.

#include <memory>
#include <string>
#include <vector>

#include "platform/afx/backend.h"

class wxDialog;
class wxDC;
class wxKeyEvent;
class wxRect;
class wxWindow;

namespace afx::wx {

class DialogUnits;

class WxDialog : public DialogPeer {
  public:
    WxDialog(const DialogTemplate& dialog, DialogSink& sink);
    ~WxDialog() override;

    // The dialog window currently running modally, for message boxes to sit on.
    static wxWindow* ActiveWindow();

    int RunModal() override;
    void EndModal(int result) override;
    void SetControlText(int id, const std::string& text) override;
    std::string GetControlText(int id) const override;
    void SetCheck(int id, int state) override;
    int GetCheck(int id) const override;
    void EnableControl(int id, bool enable) override;
    bool IsControlEnabled(int id) const override;
    void FocusControl(int id) override;
    void SelectAllText(int id) override;
    int ComboAddString(int id, const std::string& text) override;
    int ComboGetCount(int id) const override;
    std::string ComboGetItem(int id, int index) const override;
    void SetIcon(const IconResource* icon, bool big) override;
    bool IsIconic() const override;
    void GetClientSize(int& width, int& height) const override;
    void EraseIconBackground() override;
    void DrawIcon(int x, int y, const IconResource* icon) override;

  private:
    struct Control;  // wx_dialog_control.h

    // wx_dialog.cpp: the window and its controls, in template order.
    void Build();
    Control* Find(int id);
    const Control* Find(int id) const;
    // wx_dialog_widgets.cpp: a control made into widgets, and placed.
    void CreateControl(Control& control);
    void ShowLabelText(Control& control);
    wxRect Cell(const Control& control) const;
    void Layout();
    void FitText(const Control& control);
    // wx_dialog_run.cpp: the modal run, and handlers run with input held.
    void BindWindowEvents();
    void FocusFirstTabStop();
    void Dispatch(int id);
    // wx_dialog_keys.cpp
    void OnKey(wxKeyEvent& event);
    bool ActOnMnemonic(wchar_t letter);
    // wx_dialog_icon.cpp
    void BindMinimizedPaint();

    static inline WxDialog* active_ = nullptr;
    static inline wxWindow* activeWindow_ = nullptr;

    const DialogTemplate& template_;
    DialogSink& sink_;
    wxDialog* window_ = nullptr;
    std::unique_ptr<DialogUnits> units_;
    std::vector<std::unique_ptr<Control>> controls_;  // template order
    bool dispatching_ = false;
    bool cancelPending_ = false;
    bool ended_ = false;
    int result_ = 0;
    const IconResource* bigIcon_ = nullptr;
    const IconResource* smallIcon_ = nullptr;
    wxDC* paintDc_ = nullptr;  // set while a minimized window paints
};

}  // namespace afx::wx
