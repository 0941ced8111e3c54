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
// The window manager shows the window full screen (the window's EWMH state).
bool ShownFullScreen(GtkWidget* window);
// Makes the window one no window manager handles (override-redirect), over
// `area`. Before the window is mapped the window manager never sees it (the
// toolkit's raise at mapping gives it the keyboard); once mapped, it is
// withdrawn and mapped again above the others, and takes the keyboard focus
// itself, which no window manager gives it.
void CoverWithoutWindowManager(GtkWidget* window, const ScreenRect& area);
// A window no manager handles gets the keyboard only by taking it: raises
// the window and gives it the focus.
void TakeKeyboardFocus(GtkWidget* window);
// Stacks a window no manager handles right below `above` (below the frame the
// manager gave it): the program's panel stays visible over it.
void StackBelow(GtkWidget* window, GtkWidget* above);
