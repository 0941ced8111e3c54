// SPDX-License-Identifier: MIT
#include "panel/InsideOwner.h"

#include <gtk/gtk.h>

namespace {

// Far outside every output: where the window lies while hidden.
constexpr int kAway = -65536;

// Whether the window is hidden, where it is dragged from, and where the user
// has placed it.
struct Placement {
    bool hidden = false;
    bool dragging = false;
    bool moved = false;
    double pressX = 0;
    double pressY = 0;
    int startX = 0;
    int startY = 0;
    int x = 0;
    int y = 0;
};

constexpr const char* kPlacementKey = "zyn-placement";

Placement& PlacementOf(GtkWidget* window) {
    return *static_cast<Placement*>(g_object_get_data(G_OBJECT(window), kPlacementKey));
}

// The title bar and the content: what shows of the window, in its own
// coordinates (the toolkit's frame may leave a margin around it).
GdkRectangle FrameOf(GtkWidget* window) {
    GdkRectangle frame{};
    GtkWidget* bar = gtk_window_get_titlebar(GTK_WINDOW(window));
    GtkWidget* content = gtk_bin_get_child(GTK_BIN(window));
    if (bar != nullptr && content != nullptr) {
        GdkRectangle top;
        GdkRectangle rest;
        gtk_widget_get_allocation(bar, &top);
        gtk_widget_get_allocation(content, &rest);
        gdk_rectangle_union(&top, &rest, &frame);
    }
    return frame;
}

bool OnTitleBar(GtkWidget* window, const GdkEventButton* event) {
    GtkWidget* bar = gtk_window_get_titlebar(GTK_WINDOW(window));
    if (bar == nullptr || event->window != gtk_widget_get_window(window)) {
        return false;
    }
    GdkRectangle r;
    gtk_widget_get_allocation(bar, &r);
    return event->x >= r.x && event->x < r.x + r.width && event->y >= r.y &&
           event->y < r.y + r.height;
}

gboolean OnPress(GtkWidget* window, GdkEventButton* event, gpointer) {
    if (event->button != GDK_BUTTON_PRIMARY || event->type != GDK_BUTTON_PRESS ||
        !OnTitleBar(window, event)) {
        return FALSE;
    }
    Placement& placement = PlacementOf(window);
    placement.dragging = true;
    // Root coordinates are the parent's: the window's place in it plus the
    // point in the window, so they do not move with the window.
    placement.pressX = event->x_root;
    placement.pressY = event->y_root;
    gdk_window_get_position(gtk_widget_get_window(window), &placement.startX, &placement.startY);
    return TRUE;
}

gboolean OnMotion(GtkWidget* window, GdkEventMotion* event, gpointer) {
    Placement& placement = PlacementOf(window);
    if (!placement.dragging) {
        return FALSE;
    }
    placement.moved = true;
    placement.x = placement.startX + static_cast<int>(event->x_root - placement.pressX);
    placement.y = placement.startY + static_cast<int>(event->y_root - placement.pressY);
    gdk_window_move(gtk_widget_get_window(window), placement.x, placement.y);
    return TRUE;
}

gboolean OnRelease(GtkWidget* window, GdkEventButton* event, gpointer) {
    Placement& placement = PlacementOf(window);
    if (event->button != GDK_BUTTON_PRIMARY || !placement.dragging) {
        return FALSE;
    }
    placement.dragging = false;
    return TRUE;
}

void Place(GtkWidget* window, GdkRectangle*, gpointer) {
    GtkWindow* parent = gtk_window_get_transient_for(GTK_WINDOW(window));
    GdkWindow* own = gtk_widget_get_window(window);
    if (parent == nullptr || own == nullptr) {
        return;
    }
    const Placement& placement = PlacementOf(window);
    const GdkRectangle frame = FrameOf(window);
    int x = (gtk_widget_get_allocated_width(GTK_WIDGET(parent)) - frame.width) / 2 - frame.x;
    int y = (gtk_widget_get_allocated_height(GTK_WIDGET(parent)) - frame.height) / 2 - frame.y;
    if (placement.hidden) {
        x = y = kAway;
    } else if (placement.moved) {
        x = placement.x;
        y = placement.y;
    }
    int atX = 0;
    int atY = 0;
    gdk_window_get_position(own, &atX, &atY);
    if (atX != x || atY != y) {
        gdk_window_move(own, x, y);
    }
}

// The parent keeps the keyboard: the window is told it has it.
void ActAsFocused(GtkWidget* window) {
    GdkEvent* focus = gdk_event_new(GDK_FOCUS_CHANGE);
    focus->focus_change.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
    focus->focus_change.send_event = TRUE;
    focus->focus_change.in = TRUE;
    gtk_widget_send_focus_change(window, focus);
    gdk_event_free(focus);
}

gboolean OnMapped(GtkWidget* window, GdkEvent*, gpointer) {
    Place(window, nullptr, nullptr);
    ActAsFocused(window);
    return FALSE;
}

// Keys the compositor gives the window while it is hidden are the parent's.
gboolean OnKey(GtkWidget* window, GdkEventKey*, gpointer) {
    GtkWindow* parent = gtk_window_get_transient_for(GTK_WINDOW(window));
    return PlacementOf(window).hidden && parent != nullptr && HandOnKey(GTK_WIDGET(parent));
}

}  // namespace

GtkWidget* NewWindowInsideParent(const char* title) {
    GtkWidget* window = gtk_window_new(GTK_WINDOW_POPUP);
    g_object_ref(window);
    g_object_set_data_full(G_OBJECT(window), kPlacementKey, new Placement,
                           [](gpointer p) { delete static_cast<Placement*>(p); });
    GtkWidget* bar = gtk_header_bar_new();
    gtk_header_bar_set_title(GTK_HEADER_BAR(bar), title);
    gtk_header_bar_set_show_close_button(GTK_HEADER_BAR(bar), TRUE);
    gtk_widget_show(bar);
    gtk_window_set_titlebar(GTK_WINDOW(window), bar);
    gtk_widget_add_events(
        window, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_BUTTON1_MOTION_MASK);
    g_signal_connect(window, "button-press-event", G_CALLBACK(OnPress), nullptr);
    g_signal_connect(window, "motion-notify-event", G_CALLBACK(OnMotion), nullptr);
    g_signal_connect(window, "button-release-event", G_CALLBACK(OnRelease), nullptr);
    g_signal_connect(window, "map-event", G_CALLBACK(OnMapped), nullptr);
    g_signal_connect_after(window, "size-allocate", G_CALLBACK(Place), nullptr);
    // Before the toolkit's own handlers, which the caller connects later.
    g_signal_connect(window, "key-press-event", G_CALLBACK(OnKey), nullptr);
    g_signal_connect(window, "key-release-event", G_CALLBACK(OnKey), nullptr);
    return window;
}

bool ShowInsideParent(GtkWidget* window, bool show) {
    if (!gtk_widget_get_mapped(window)) {
        return false;
    }
    PlacementOf(window).hidden = !show;
    Place(window, nullptr, nullptr);
    if (show) {
        ActAsFocused(window);
    }
    return true;
}

bool HandOnKey(GtkWidget* window) {
    GdkEvent* event = gtk_get_current_event();
    if (event == nullptr) {
        return false;
    }
    const bool key = event->type == GDK_KEY_PRESS || event->type == GDK_KEY_RELEASE;
    if (key && gtk_widget_get_realized(window)) {
        g_object_unref(event->key.window);
        event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
        gtk_widget_event(window, event);
    }
    gdk_event_free(event);
    return key;
}
