// SPDX-License-Identifier: MIT
// A GTK event signal's handler that runs the std::function its data points
// to (which must outlive the connection) and lets the event go on.
#pragma once

#include <functional>

#include <gtk/gtk.h>

inline gboolean RunEventCall(GtkWidget* /*widget*/, GdkEvent* /*event*/, gpointer call) {
    (*static_cast<std::function<void()>*>(call))();
    return FALSE;
}
