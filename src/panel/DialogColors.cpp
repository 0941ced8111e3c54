// SPDX-License-Identifier: MIT
#include "panel/DialogColors.h"

#include <gtk/gtk.h>

namespace {

// Text in the dialog colour, grey while disabled; buttons, the list and the
// check and radio indicators compact enough for the dialog-unit heights.
wxString DialogCss(const DialogColors& colors) {
    return wxString::Format(
        "* { color: %s; }\n"
        "*:disabled { color: #808080; }\n"
        "checkbutton, radiobutton { padding: 0; min-height: 0; }\n"
        "button, combobox box button.combo { padding: 0 6px; min-height: 0; }\n"
        "check, radio { min-width: 12px; min-height: 12px; margin: 0 4px 0 0; padding: 0; }\n",
        colors.text.GetAsString(wxC2S_HTML_SYNTAX));
}

void AddProvider(GtkWidget* widget, gpointer provider) {
    gtk_style_context_add_provider(gtk_widget_get_style_context(widget),
                                   GTK_STYLE_PROVIDER(provider),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    if (GTK_IS_CONTAINER(widget)) {
        gtk_container_forall(GTK_CONTAINER(widget), AddProvider, provider);
    }
}

}  // namespace

void ApplyDialogColors(wxWindow* dialog, const DialogColors& colors) {
    dialog->SetBackgroundColour(colors.background);
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, DialogCss(colors).utf8_str(), -1, nullptr);
    for (wxWindow* child : dialog->GetChildren()) {
        AddProvider(child->GetHandle(), provider);
    }
    g_object_unref(provider);
}
