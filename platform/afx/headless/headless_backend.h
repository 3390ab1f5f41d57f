#pragma once
// An in-memory twin of the real windows, for tests. A test installs it, runs the dialog, and
// drives it as a person would: typing, ticking, clicking, Enter, Escape, Tab, Alt+key, and
// answering message boxes from a script that records every box shown.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/afx/backend.h"

namespace afx::headless {

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    UINT type;   // MB_* flags as passed
    int answer;  // what the box returned
};

class HeadlessDialog;

class HeadlessBackend : public Backend {
  public:
    HeadlessBackend();
    ~HeadlessBackend() override;  // restores the previously installed backend

    // What a modal dialog does once it is open: the test's interaction. When the driver
    // returns without the dialog having ended, the dialog is cancelled (as by Escape).
    void SetDriver(std::function<void(HeadlessDialog&)> driver);

    // Answers for the next message boxes, in order. A box with no scripted answer answers
    // IDOK when it only has OK, IDNO when it asks Yes or No.
    void AnswerNext(int answer);
    const std::vector<MessageBoxRecord>& Boxes() const { return boxes_; }
    void ClearBoxes() { boxes_.clear(); }

    // The dialog currently open, or nullptr.
    HeadlessDialog* Current() const { return current_; }

    std::unique_ptr<DialogPeer> CreateDialogPeer(const DialogTemplate& dialog,
                                                 DialogSink& sink) override;
    int MessageBox(const std::string& text, const std::string& caption, UINT type) override;
    int IconMetric() const override { return 32; }

  private:
    friend class HeadlessDialog;
    Backend* previous_;
    std::function<void(HeadlessDialog&)> driver_;
    std::deque<int> answers_;
    std::vector<MessageBoxRecord> boxes_;
    HeadlessDialog* current_ = nullptr;
};

class HeadlessDialog : public DialogPeer {
  public:
    HeadlessDialog(HeadlessBackend& backend, const DialogTemplate& dialog, DialogSink& sink);
    ~HeadlessDialog() override;

    // --- What a person does. Each returns false when the control could not take the action
    // (missing, disabled or of another kind), and then nothing happens.
    // Each of these also moves the focus to the control, as the mouse would. A digits-only
    // field refuses text with anything but digits (SetControlText stands in for a paste).
    bool Type(int id, const std::string& text);  // replaces an edit's or combo's text
    bool Tick(int id, bool checked);             // sets a check box (a change notifies)
    bool Click(int id);                          // clicks an enabled push button
    void PressEnter();                           // clicks the focused push button, else OK
    void PressEscape();                          // Cancel
    void CloseBox();                             // the title bar's close button: Cancel
    void PressTab(bool backwards = false);
    bool PressAlt(char letter);  // the control whose mnemonic is the letter
    void PressF1();
    void Minimize(bool iconic);  // and paints the window

    // --- What a person sees.
    std::string Text(int id) const;
    int Check(int id) const;
    bool Enabled(int id) const;
    bool Exists(int id) const;
    int Focus() const;                   // id of the focused control, 0 when none
    bool AllTextSelected(int id) const;  // the whole text of an edit is selected
    std::vector<std::string> ComboItems(int id) const;
    std::string Caption() const;
    const IconResource* Icon(bool big) const;
    bool Ended() const { return ended_; }
    int Result() const { return result_; }
    // Icons drawn by the last paint of the minimized window: (x, y, icon).
    struct DrawnIcon {
        int x, y;
        const IconResource* icon;
    };
    const std::vector<DrawnIcon>& DrawnIcons() const { return drawn_; }

    // --- DialogPeer.
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
    bool IsIconic() const override { return iconic_; }
    void GetClientSize(int& width, int& height) const override;
    void EraseIconBackground() override;
    void DrawIcon(int x, int y, const IconResource* icon) override;

  private:
    struct Control {
        ControlTemplate tmpl;
        std::string text;
        int check = 0;
        bool enabled = true;
        bool allSelected = false;
        std::vector<std::string> items;
    };
    Control* Find(int id);
    const Control* Find(int id) const;
    bool ClickAt(size_t index);
    void Toggle(Control& control);
    void FocusByKeyboard(size_t index);

    HeadlessBackend& backend_;
    const DialogTemplate& template_;
    DialogSink& sink_;
    std::vector<Control> controls_;  // template order; controls with id -1 kept for Tab/Alt
    int focusIndex_ = -1;
    bool ended_ = false;
    int result_ = 0;
    bool iconic_ = false;
    const IconResource* bigIcon_ = nullptr;
    const IconResource* smallIcon_ = nullptr;
    std::vector<DrawnIcon> drawn_;
};

}  // namespace afx::headless
