// SPDX-License-Identifier: MIT
// What the display server says of the test window's place, and the way to
// cover a monitor without the window manager. X11 only; off X11 the queries
// answer nothing and the actions do nothing.
#pragma once

#include <optional>

#include "desktop/CoverCheck.h"

typedef struct _GtkWidget GtkWidget;

struct WindowManagerFacts {
    // Something manages the windows of the screen (it redirects the root's
    // children), and it offers the EWMH full-screen state.
    bool managed = false;
    bool offersFullScreen = false;
};

// Off X11: nothing.
std::optional<WindowManagerFacts> ReadWindowManager(GtkWidget* window);
// The window's absolute geometry in screen pixels, as the server has it;
// nothing before it is realized or off X11.
std::optional<ScreenRect> WindowOnScreen(GtkWidget* window);
// Makes the window one no window manager handles (override-redirect), over
// `area`, above the others, with the keyboard focus. Before the window is
// mapped the window manager never sees it; once mapped, it is withdrawn and
// mapped again.
void CoverWithoutWindowManager(GtkWidget* window, const ScreenRect& area);
// A window the window manager does not handle gets no focus from it: it takes
// the keyboard itself once it is mapped.
void TakeKeyboardFocus(GtkWidget* window);
