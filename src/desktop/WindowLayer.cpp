// SPDX-License-Identifier: MIT
#include "desktop/WindowLayer.h"

#include <cstdint>

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#include <wayland-client.h>
#endif
#ifdef GDK_WINDOWING_X11
#include <X11/Xatom.h>
#include <gdk/gdkx.h>
#endif

namespace {

// The layers of the _WIN_LAYER property: 8 holds the docks (taskbars), 10
// lies above them.
constexpr long kLayerAboveDock = 10;

// The frame the toolkit draws itself, without its shadow.
constexpr const char* kFrameWithoutShadow = "decoration { box-shadow: none; }";

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

#ifdef GDK_WINDOWING_WAYLAND
// The compositor has shown the dialog (it has placed it by then): its parent
// back, as the toolkit has it now.
void RestoreParent(void* data, wl_callback* callback, std::uint32_t /*time*/) {
    wl_callback_destroy(callback);
    GtkWidget* dialog = static_cast<GtkWidget*>(data);
    GdkWindow* window = gtk_widget_get_window(dialog);
    GtkWindow* parent = gtk_window_get_transient_for(GTK_WINDOW(dialog));
    if (window != nullptr) {
        // No longer modal before it has a parent: never attached to it.
        gdk_window_set_modal_hint(window, FALSE);
        gdk_window_set_transient_for(
            window, parent != nullptr ? gtk_widget_get_window(GTK_WIDGET(parent)) : nullptr);
        gdk_window_set_type_hint(window, gtk_window_get_type_hint(GTK_WINDOW(dialog)));
    }
    g_object_unref(dialog);
}

constexpr wl_callback_listener kShownListener{RestoreParent};

// Right before the frame that maps the dialog: the compositor places it when
// that frame comes. It centres a dialog without a parent on a monitor of its
// own choosing (not always the one with the pointer): on a desktop of several
// monitors the dialog keeps its parent, and so its monitor (placed a third of
// the way down).
gboolean OnFirstDraw(GtkWidget* dialog, cairo_t* /*cr*/, gpointer /*data*/) {
    g_signal_handlers_disconnect_by_func(dialog, reinterpret_cast<gpointer>(OnFirstDraw), nullptr);
    GdkWindow* window = gtk_widget_get_window(dialog);
    GtkWindow* parent = gtk_window_get_transient_for(GTK_WINDOW(dialog));
    if (parent == nullptr || gdk_display_get_n_monitors(gtk_widget_get_display(dialog)) == 1) {
        // GDK gives a dialog without a parent the next window configured as
        // its parent: without a parent, it is an ordinary window until placed.
        gdk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_NORMAL);
        gdk_window_set_transient_for(window, nullptr);
    }
    // After the parent has gone: GNOME Shell attaches a modal dialog to its
    // parent, and closes an attached dialog whose parent goes.
    gdk_window_set_modal_hint(window, TRUE);
    // Done once the compositor has drawn this frame.
    wl_callback* shown = wl_surface_frame(gdk_wayland_window_get_wl_surface(window));
    wl_callback_add_listener(shown, &kShownListener, g_object_ref(dialog));
    return FALSE;
}

// The toolkit has just made the window anew (a hidden window is gone on
// Wayland); the compositor places it when its first frame comes.
void OnMap(GtkWidget* dialog, gpointer /*data*/) {
    GdkWindow* window = gtk_widget_get_window(dialog);
    if (window != nullptr && GDK_IS_WAYLAND_WINDOW(window)) {
        g_signal_handlers_disconnect_by_func(dialog, reinterpret_cast<gpointer>(OnFirstDraw),
                                             nullptr);
        g_signal_connect(dialog, "draw", G_CALLBACK(OnFirstDraw), nullptr);
    }
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

void CentreOnMonitorWhereCompositorPlaces(GtkWidget* dialog) {
#ifdef GDK_WINDOWING_WAYLAND
    // Connected after the toolkit's own handler, which makes the window.
    g_signal_connect(dialog, "map", G_CALLBACK(OnMap), nullptr);
    if (gtk_widget_get_mapped(dialog)) {
        OnMap(dialog, nullptr);
    }
#else
    static_cast<void>(dialog);
#endif
}

void LeaveOutShadows() {
    GdkScreen* screen = gdk_screen_get_default();
    if (screen == nullptr) {
        return;
    }
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, kFrameWithoutShadow, -1, nullptr);
    gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(css),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
}
