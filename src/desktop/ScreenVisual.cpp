// SPDX-License-Identifier: MIT
#include "desktop/ScreenVisual.h"

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

GdkVisual* ScreenDefaultVisual() {
#ifdef GDK_WINDOWING_X11
    GdkScreen* screen = gdk_screen_get_default();
    if (screen == nullptr || !GDK_IS_X11_SCREEN(screen)) {
        return nullptr;
    }
    Display* display = GDK_SCREEN_XDISPLAY(screen);
    const VisualID id = XVisualIDFromVisual(DefaultVisual(display, GDK_SCREEN_XNUMBER(screen)));
    return gdk_x11_screen_lookup_visual(screen, id);
#else
    return nullptr;
#endif
}

void UseScreenDefaultVisual(GtkWidget* window) {
    if (GdkVisual* visual = ScreenDefaultVisual()) {
        gtk_widget_set_visual(window, visual);
    }
}
