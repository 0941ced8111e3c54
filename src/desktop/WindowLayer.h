// SPDX-License-Identifier: MIT
// The stacking layer of the test window on X11.
//
// Some window managers keep their taskbar above a full-screen window unless
// that window has the focus, and at the start the control panel has it: the
// taskbar then covers the picture's bottom rows. Those window managers take
// the layer a window asks for in the _WIN_LAYER property; the test window
// asks for the layer above their docks. Window managers that do not know the
// property ignore it.
#pragma once

typedef struct _GtkWidget GtkWidget;

// Call before the window is first shown: the property is set when the
// window is realized, before it is mapped. Does nothing off X11.
void KeepAboveDocks(GtkWidget* window);
