#include "platform/afx/wx/compact_style.h"

#include <gtk/gtk.h>
#include <wx/window.h>

namespace afx::wx {
namespace {

// Sizes in em follow the font, so the look holds at any screen resolution.
constexpr char kCompactCss[] = R"css(
.zelvora-template button { min-height: 0; min-width: 0; padding: 0 0.4em; }
.zelvora-template entry { min-height: 0; padding-top: 0; padding-bottom: 0; }
.zelvora-template combobox entry { min-height: 0; padding-top: 0; padding-bottom: 0; }
.zelvora-template combobox button { min-height: 0; min-width: 0; padding: 0 0.2em; }
.zelvora-template checkbutton { min-height: 0; padding: 0; }
.zelvora-template checkbutton check { margin: 0 0.3em 0 0; }
.zelvora-template button.zelvora-updown { padding: 0; border-radius: 0; min-height: 0; }
.zelvora-template button.zelvora-updown-up { border-top-right-radius: 3px; }
.zelvora-template button.zelvora-updown-down { border-bottom-right-radius: 3px; }
)css";

void InstallCompactCss() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, kCompactCss, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

GtkWidget* Widget(wxWindow& window) {
    return static_cast<GtkWidget*>(window.GetHandle());
}

// The GtkLabel of a wxStaticText may sit inside a wrapper; find it.
GtkLabel* FindLabel(GtkWidget* widget) {
    if (GTK_IS_LABEL(widget)) return GTK_LABEL(widget);
    if (GTK_IS_BIN(widget)) {
        if (GtkWidget* child = gtk_bin_get_child(GTK_BIN(widget))) return FindLabel(child);
    }
    return nullptr;
}

AtkRole ToAtk(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::Panel:
            return ATK_ROLE_PANEL;
        case AccessibleRole::SpinButton:
            return ATK_ROLE_SPIN_BUTTON;
        case AccessibleRole::PushButton:
            return ATK_ROLE_PUSH_BUTTON;
        case AccessibleRole::Alert:
            return ATK_ROLE_ALERT;
    }
    return ATK_ROLE_UNKNOWN;
}

}  // namespace

void UseCompactStyle(wxWindow& dialog) {
    InstallCompactCss();
    AddStyleClass(dialog, "zelvora-template");
}

void AddStyleClass(wxWindow& window, const char* name) {
    gtk_style_context_add_class(gtk_widget_get_style_context(Widget(window)), name);
}

void MakeLabelWrap(wxWindow& label) {
    if (GtkLabel* gtkLabel = FindLabel(Widget(label))) {
        gtk_label_set_line_wrap(gtkLabel, TRUE);
        gtk_label_set_line_wrap_mode(gtkLabel, PANGO_WRAP_WORD_CHAR);
        gtk_label_set_xalign(gtkLabel, 0.0F);
        gtk_label_set_yalign(gtkLabel, 0.0F);
    }
}

void SetAccessible(wxWindow& window, const std::string& name, AccessibleRole role) {
    AtkObject* accessible = gtk_widget_get_accessible(Widget(window));
    if (accessible == nullptr) return;
    atk_object_set_name(accessible, name.c_str());
    atk_object_set_role(accessible, ToAtk(role));
}

void SetAccessibleName(wxWindow& window, const std::string& name) {
    if (AtkObject* accessible = gtk_widget_get_accessible(Widget(window))) {
        atk_object_set_name(accessible, name.c_str());
    }
}

namespace {

void KeepButtonsOutOfFocus(GtkWidget* widget, gpointer /*unused*/) {
    if (GTK_IS_TOGGLE_BUTTON(widget)) {
        gtk_widget_set_can_focus(widget, FALSE);
    } else if (GTK_IS_CONTAINER(widget)) {
        gtk_container_forall(GTK_CONTAINER(widget), KeepButtonsOutOfFocus, nullptr);
    }
}

}  // namespace

void MakeComboOneTabStop(wxWindow& combo) {
    if (GtkWidget* widget = Widget(combo); GTK_IS_CONTAINER(widget))
        gtk_container_forall(GTK_CONTAINER(widget), KeepButtonsOutOfFocus, nullptr);
}

void KeepOutOfFocus(wxWindow& window) {
    gtk_widget_set_can_focus(Widget(window), FALSE);
    gtk_widget_set_focus_on_click(Widget(window), FALSE);
}

}  // namespace afx::wx
