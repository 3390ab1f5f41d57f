#include "platform/afx/wx/message_box.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include "platform/afx/app.h"
#include "platform/afx/dialog.h"
#include "platform/afx/wx/compact_style.h"
#include "platform/afx/wx/text.h"

namespace afx::wx {
namespace {

wxBitmap IconFor(UINT type) {
    const bool question = (type & MB_ICONMASK) == MB_ICONQUESTION;
    const bool warning = (type & MB_ICONMASK) == MB_ICONWARNING;
    if (!question && !warning) return wxNullBitmap;
    return wxArtProvider::GetBitmap(question ? wxART_QUESTION : wxART_WARNING, wxART_MESSAGE_BOX);
}

}  // namespace

int ShowMessageBox(wxWindow* parent, const std::string& text, const std::string& caption,
                   UINT type) {
    const bool yesNo = (type & MB_TYPEMASK) == MB_YESNO;
    const int refusal = yesNo ? IDNO : IDOK;

    wxBusyCursorSuspender showNormalPointer;
    wxDialog box(parent, wxID_ANY, ToWx(caption), wxDefaultPosition, wxDefaultSize,
                 wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    SetAccessible(box, FromWx(box.GetTitle()), AccessibleRole::Alert);

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    if (const wxBitmap icon = IconFor(type); icon.IsOk()) {
        body->Add(new wxStaticBitmap(&box, wxID_ANY, icon), 0, wxALIGN_TOP | wxRIGHT,
                  box.FromDIP(12));
    }
    auto* message = new wxStaticText(&box, wxID_ANY, wxString());
    message->SetLabelText(ToWx(text));
    // Wide enough that only the text's own line breaks show, as long as a line is readable.
    message->Wrap(box.GetCharWidth() * 75);
    body->Add(message, 1, wxALIGN_CENTER_VERTICAL);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    wxButton* first = nullptr;
    auto addButton = [&](const char* label, int answer) {
        auto* button = new wxButton(&box, wxID_ANY, label);
        button->Bind(wxEVT_BUTTON, [&box, answer](wxCommandEvent&) { box.EndModal(answer); });
        buttons->Add(button, 0, wxLEFT, box.FromDIP(6));
        if (!first) first = button;
    };
    if (yesNo) {
        addButton("&Yes", IDYES);
        addButton("&No", IDNO);
    } else {
        addButton("OK", IDOK);
    }

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(body, 1, wxEXPAND | wxALL, box.FromDIP(16));
    column->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, box.FromDIP(12));
    box.SetSizerAndFit(column);
    box.CentreOnParent();

    box.Bind(wxEVT_CHAR_HOOK, [&box, refusal](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers()) {
            box.EndModal(refusal);
        } else {
            event.Skip();
        }
    });
    box.Bind(wxEVT_CLOSE_WINDOW, [&box, refusal](wxCloseEvent&) { box.EndModal(refusal); });
    first->SetDefault();
    first->SetFocus();
    return box.ShowModal();
}

}  // namespace afx::wx
