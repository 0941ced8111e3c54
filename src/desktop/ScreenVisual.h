// SPDX-License-Identifier: MIT
// The visual of the program's windows on X11.
//
// GTK gives every window a visual fit for OpenGL, which on some X servers
// (Xvfb among them) is not the screen's default visual that window managers
// give their frames. The X server then keeps such a window off screen and
// copies it into its frame itself; with the full-screen test window kept so,
// a window manager's dialog frame above it shows the test picture (or black)
// where the control panel should be. The program draws no OpenGL, so its
// windows take the screen's default visual and are drawn on screen directly.
#pragma once

typedef struct _GdkVisual GdkVisual;
typedef struct _GtkWidget GtkWidget;

// The default visual of the display's screen on X11; null elsewhere.
GdkVisual* ScreenDefaultVisual();

// Gives the top-level window that visual. Call before the window is first
// shown. Does nothing off X11.
void UseScreenDefaultVisual(GtkWidget* window);
