// SPDX-License-Identifier: MIT
#include "desktop/WindowCover.h"

#include <optional>

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif

namespace {

#ifdef GDK_WINDOWING_X11
// How long the program waits for the window manager to let a window go: at
// most 50 polls 10 ms apart.
constexpr int kWithdrawTries = 50;
constexpr gulong kWithdrawPollUs = 10000;

// Where a window hangs in the server's tree: its parent and the screen's root.
struct TreePlace {
    ::Window root;
    ::Window parent;
};

// Nothing where the server does not know the window.
std::optional<TreePlace> PlaceOf(Display* display, ::Window window) {
    TreePlace place{0, 0};
    ::Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, window, &place.root, &place.parent, &children, &count) == 0) {
        return std::nullopt;
    }
    if (children != nullptr) {
        XFree(children);
    }
    return place;
}

bool ParentIsRoot(Display* display, ::Window window) {
    const std::optional<TreePlace> place = PlaceOf(display, window);
    return !place || place->parent == place->root;
}

// The root's child that holds `window`: its manager's frame, or itself.
::Window TopLevelOf(Display* display, ::Window window) {
    for (;;) {
        const std::optional<TreePlace> place = PlaceOf(display, window);
        if (!place || place->parent == place->root || place->parent == 0) {
            return window;
        }
        window = place->parent;
    }
}

GdkWindow* X11Window(GtkWidget* widget) {
    GdkWindow* window = gtk_widget_get_window(widget);
    return window != nullptr && GDK_IS_X11_WINDOW(window) ? window : nullptr;
}

void Place(GdkWindow* window, const ScreenRect& area) {
    Display* display = GDK_WINDOW_XDISPLAY(window);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    XChangeWindowAttributes(display, GDK_WINDOW_XID(window), CWOverrideRedirect, &attributes);
    // GDK's own record, so that it treats the window as the server does.
    gdk_window_set_override_redirect(window, TRUE);
    XMoveResizeWindow(display, GDK_WINDOW_XID(window), area.x, area.y,
                      static_cast<unsigned>(area.width), static_cast<unsigned>(area.height));
}
#endif

}  // namespace

std::optional<WindowManagerFacts> ReadWindowManager(GtkWidget* widget) {
    GdkDisplay* display = gtk_widget_get_display(widget);
#ifdef GDK_WINDOWING_WAYLAND
    if (GDK_IS_WAYLAND_DISPLAY(display)) {
        // Every Wayland shell the program speaks (xdg-shell) has the state.
        return WindowManagerFacts{true, true, false};
    }
#endif
#ifdef GDK_WINDOWING_X11
    if (!GDK_IS_X11_DISPLAY(display)) {
        return std::nullopt;
    }
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
    XWindowAttributes root{};
    if (XGetWindowAttributes(xdisplay, DefaultRootWindow(xdisplay), &root) == 0) {
        return std::nullopt;
    }
    WindowManagerFacts facts;
    facts.x11 = true;
    // A window manager is the client that redirects the root's children.
    facts.managed = (root.all_event_masks & SubstructureRedirectMask) != 0;
    facts.offersFullScreen = gdk_x11_screen_supports_net_wm_hint(
        gtk_widget_get_screen(widget), gdk_atom_intern_static_string("_NET_WM_STATE_FULLSCREEN"));
    return facts;
#else
    return std::nullopt;
#endif
}

std::optional<ScreenRect> WindowOnScreen(GtkWidget* widget) {
#ifdef GDK_WINDOWING_WAYLAND
    if (GdkWindow* window = gtk_widget_get_window(widget);
        window != nullptr && GDK_IS_WAYLAND_WINDOW(window)) {
        GdkMonitor* output =
            gdk_display_get_monitor_at_window(gdk_window_get_display(window), window);
        if (output == nullptr) {
            return std::nullopt;
        }
        GdkRectangle area;
        gdk_monitor_get_geometry(output, &area);
        return ScreenRect{area.x, area.y, gdk_window_get_width(window),
                          gdk_window_get_height(window)};
    }
#endif
#ifdef GDK_WINDOWING_X11
    GdkWindow* window = X11Window(widget);
    if (window == nullptr) {
        return std::nullopt;
    }
    Display* display = GDK_WINDOW_XDISPLAY(window);
    ::Window root = 0;
    ::Window child = 0;
    int x = 0;
    int y = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned border = 0;
    unsigned depth = 0;
    if (XGetGeometry(display, GDK_WINDOW_XID(window), &root, &x, &y, &width, &height, &border,
                     &depth) == 0 ||
        XTranslateCoordinates(display, GDK_WINDOW_XID(window), root, 0, 0, &x, &y, &child) == 0) {
        return std::nullopt;
    }
    return ScreenRect{x, y, static_cast<int>(width), static_cast<int>(height)};
#else
    static_cast<void>(widget);
    return std::nullopt;
#endif
}

bool ShownFullScreen(GtkWidget* widget) {
    GdkWindow* window = gtk_widget_get_window(widget);
    return window != nullptr && (gdk_window_get_state(window) & GDK_WINDOW_STATE_FULLSCREEN) != 0;
}

void CoverWithoutWindowManager(GtkWidget* widget, const ScreenRect& area) {
#ifdef GDK_WINDOWING_X11
    GdkWindow* window = X11Window(widget);
    if (window == nullptr) {
        return;
    }
    if (!gdk_window_is_visible(window)) {
        Place(window, area);
        return;
    }
    // A managed window's attribute takes effect at its next map: withdrawn,
    // the window manager lets it go, and mapped again it is the program's.
    Display* display = GDK_WINDOW_XDISPLAY(window);
    XWithdrawWindow(display, GDK_WINDOW_XID(window), DefaultScreen(display));
    XSync(display, False);
    // A reparenting window manager hands the window back to the root; mapped
    // inside its frame, the window would stay under the manager's stacking.
    for (int tries = 0; tries < kWithdrawTries && !ParentIsRoot(display, GDK_WINDOW_XID(window));
         ++tries) {
        g_usleep(kWithdrawPollUs);
    }
    Place(window, area);
    XMapRaised(display, GDK_WINDOW_XID(window));
    TakeKeyboardFocus(widget);
#else
    static_cast<void>(widget);
    static_cast<void>(area);
#endif
}

void TakeKeyboardFocus(GtkWidget* widget) {
#ifdef GDK_WINDOWING_X11
    GdkWindow* window = X11Window(widget);
    if (window == nullptr) {
        return;
    }
    Display* display = GDK_WINDOW_XDISPLAY(window);
    XRaiseWindow(display, GDK_WINDOW_XID(window));
    gdk_x11_display_error_trap_push(gdk_window_get_display(window));
    XSetInputFocus(display, GDK_WINDOW_XID(window), RevertToParent, CurrentTime);
    gdk_x11_display_error_trap_pop_ignored(gdk_window_get_display(window));
#else
    static_cast<void>(widget);
#endif
}

bool FocusIsOurs(GtkWidget* widget) {
#ifdef GDK_WINDOWING_X11
    GdkWindow* window = X11Window(widget);
    if (window == nullptr) {
        return true;
    }
    Window focus = None;
    int revert = 0;
    XGetInputFocus(GDK_WINDOW_XDISPLAY(window), &focus, &revert);
    return focus != None && focus != PointerRoot &&
           gdk_x11_window_lookup_for_display(gdk_window_get_display(window), focus) != nullptr;
#else
    static_cast<void>(widget);
    return true;
#endif
}

void StackBelow(GtkWidget* widget, GtkWidget* aboveWidget) {
#ifdef GDK_WINDOWING_X11
    GdkWindow* window = X11Window(widget);
    GdkWindow* above = X11Window(aboveWidget);
    if (window == nullptr || above == nullptr) {
        return;
    }
    Display* display = GDK_WINDOW_XDISPLAY(window);
    XWindowChanges changes{};
    changes.sibling = TopLevelOf(display, GDK_WINDOW_XID(above));
    changes.stack_mode = Below;
    gdk_x11_display_error_trap_push(gdk_window_get_display(window));
    XConfigureWindow(display, GDK_WINDOW_XID(window), CWSibling | CWStackMode, &changes);
    gdk_x11_display_error_trap_pop_ignored(gdk_window_get_display(window));
#else
    static_cast<void>(widget);
    static_cast<void>(aboveWidget);
#endif
}

void LeaveInputTo(GtkWidget* widget, GtkWidget* aboveWidget) {
#ifdef GDK_WINDOWING_X11
    GdkWindow* window = X11Window(widget);
    if (window == nullptr) {
        return;
    }
    GdkWindow* above = X11Window(aboveWidget);
    if (above == nullptr || !gdk_window_is_visible(above)) {
        gdk_window_input_shape_combine_region(window, nullptr, 0, 0);
        return;
    }
    // Both in the toolkit's coordinates, as the shape takes them.
    int x = 0;
    int y = 0;
    int aboveX = 0;
    int aboveY = 0;
    gdk_window_get_origin(window, &x, &y);
    gdk_window_get_origin(above, &aboveX, &aboveY);
    const cairo_rectangle_int_t whole{0, 0, gdk_window_get_width(window),
                                      gdk_window_get_height(window)};
    const cairo_rectangle_int_t hole{aboveX - x, aboveY - y, gdk_window_get_width(above),
                                     gdk_window_get_height(above)};
    cairo_region_t* input = cairo_region_create_rectangle(&whole);
    cairo_region_subtract_rectangle(input, &hole);
    gdk_window_input_shape_combine_region(window, input, 0, 0);
    cairo_region_destroy(input);
#else
    static_cast<void>(widget);
    static_cast<void>(aboveWidget);
#endif
}
