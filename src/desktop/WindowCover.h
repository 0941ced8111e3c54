// SPDX-License-Identifier: MIT
// What the display server says of the test window's place, and the way to
// cover a monitor without the window manager. On X11 the server's own
// geometry; on Wayland the size the compositor configured and the output the
// window entered, in the compositor's logical layout (the actions then do
// nothing: no client covers an output on its own there).
#pragma once

#include <optional>

#include "desktop/CoverCheck.h"

typedef struct _GtkWidget GtkWidget;

struct WindowManagerFacts {
    // Something manages the windows of the screen (it redirects the root's
    // children), and it offers the EWMH full-screen state.
    bool managed = false;
    bool offersFullScreen = false;
    // X11: the program can cover a monitor without the manager, and places
    // are in screen pixels. Wayland: neither; places are logical.
    bool x11 = false;
};

// Nothing off X11 and Wayland.
std::optional<WindowManagerFacts> ReadWindowManager(GtkWidget* window);
// The window's absolute geometry in screen pixels, as the X server has it, or
// on Wayland its configured size at the origin of the output it entered;
// nothing before it is realized (or has entered an output).
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
// Whether the keyboard focus is on one of the program's own windows (X11; on
// other displays always true).
bool FocusIsOurs(GtkWidget* window);
// Stacks a window no manager handles right below `above` (below the frame the
// manager gave it): the program's panel stays visible over it.
void StackBelow(GtkWidget* window, GtkWidget* above);
// Under XWayland the compositor decides which window shows above which, but
// the X server gives a click to the window on top of its own stacking, where
// a compositor may keep an activated full-screen window above a dialog it
// shows over it (sway): the window takes no pointer input where `above` lies
// while that is mapped, and takes it everywhere again once it is not.
void LeaveInputTo(GtkWidget* window, GtkWidget* above);
