// The window's icons, and the icon a minimized window paints itself.

#include "platform/afx/wx/wx_dialog.h"
// wx after the framework's types: it defines TRUE and FALSE as macros.
#include <wx/dcclient.h>
#include <wx/dialog.h>
#include <wx/iconbndl.h>

#include <cstdlib>

namespace afx::wx {

void WxDialog::SetIcon(const IconResource* icon, bool big) {
    (big ? bigIcon_ : smallIcon_) = icon;
    wxIconBundle bundle;
    for (const IconResource* resource : {bigIcon_, smallIcon_}) {
        if (!resource) continue;
        for (const IconImage& image : resource->images) bundle.AddIcon(wxIcon(image.xpm));
    }
    window_->SetIcons(bundle);
}

bool WxDialog::IsIconic() const {
    return window_->IsIconized();
}

void WxDialog::GetClientSize(int& width, int& height) const {
    window_->GetClientSize(&width, &height);
}

void WxDialog::BindMinimizedPaint() {
    window_->Bind(wxEVT_PAINT, [this](wxPaintEvent& event) {
        if (!window_->IsIconized()) {
            event.Skip();
            return;
        }
        wxPaintDC dc(window_);
        paintDc_ = &dc;
        sink_.OnPeerPaint();
        paintDc_ = nullptr;
    });
}

void WxDialog::EraseIconBackground() {
    if (!paintDc_) return;
    paintDc_->SetBackground(window_->GetBackgroundColour());
    paintDc_->Clear();
}

void WxDialog::DrawIcon(int x, int y, const IconResource* icon) {
    if (!paintDc_ || !icon || icon->images.empty()) return;
    // The image nearest the standard icon size.
    const int want = CurrentBackend().IconMetric();
    const IconImage* best = &icon->images.front();
    for (const IconImage& image : icon->images) {
        if (std::abs(image.size - want) < std::abs(best->size - want)) best = &image;
    }
    paintDc_->DrawIcon(wxIcon(best->xpm), x, y);
}

}  // namespace afx::wx
