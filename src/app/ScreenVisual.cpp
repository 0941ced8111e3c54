// SPDX-License-Identifier: MIT
#include "app/ScreenVisual.h"

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif
#include <wx/window.h>

void UseScreenDefaultVisual(wxWindow& window) {
#ifdef GDK_WINDOWING_X11
    GtkWidget* widget = window.GetHandle();
    GdkScreen* screen = gtk_widget_get_screen(widget);
    if (!GDK_IS_X11_SCREEN(screen)) {
        return;
    }
    Display* display = GDK_SCREEN_XDISPLAY(screen);
    const VisualID id = XVisualIDFromVisual(DefaultVisual(display, GDK_SCREEN_XNUMBER(screen)));
    if (GdkVisual* visual = gdk_x11_screen_lookup_visual(screen, id)) {
        gtk_widget_set_visual(widget, visual);
    }
#else
    static_cast<void>(window);
#endif
}
