// SPDX-License-Identifier: MIT
#include "desktop/WindowLayer.h"

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif
#ifdef GDK_WINDOWING_X11
#include <X11/Xatom.h>
#include <gdk/gdkx.h>
#endif

namespace {

// The layers of the _WIN_LAYER property: 8 holds the docks (taskbars), 10
// lies above them.
constexpr long kLayerAboveDock = 10;

#ifdef GDK_WINDOWING_X11
void SetLayer(GtkWidget* widget, gpointer /*data*/) {
    GdkWindow* window = gtk_widget_get_window(widget);
    if (window == nullptr || !GDK_IS_X11_WINDOW(window)) {
        return;
    }
    Display* display = GDK_WINDOW_XDISPLAY(window);
    const long layer = kLayerAboveDock;
    XChangeProperty(display, GDK_WINDOW_XID(window), XInternAtom(display, "_WIN_LAYER", False),
                    XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&layer), 1);
}
#endif

}  // namespace

void KeepAboveDocks(GtkWidget* widget) {
#ifdef GDK_WINDOWING_X11
    if (gtk_widget_get_realized(widget)) {
        SetLayer(widget, nullptr);
    } else {
        g_signal_connect(widget, "realize", G_CALLBACK(SetLayer), nullptr);
    }
#else
    static_cast<void>(widget);
#endif
}

void CentreOnParentWhereCompositorPlaces(GtkWidget* dialog) {
#ifdef GDK_WINDOWING_WAYLAND
    GdkWindow* window = gtk_widget_get_window(dialog);
    if (window != nullptr && GDK_IS_WAYLAND_WINDOW(window)) {
        gdk_window_set_modal_hint(window, TRUE);
    }
#else
    static_cast<void>(dialog);
#endif
}
