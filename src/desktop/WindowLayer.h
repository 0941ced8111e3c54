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

// Wayland: the compositor places windows, and a client cannot. A dialog with
// the modal hint is one mutter centres on its parent (other compositors
// ignore the hint); the program's own input is not blocked by it. Call after
// the dialog is shown, before its first paint. Does nothing off Wayland.
void CentreOnParentWhereCompositorPlaces(GtkWidget* dialog);
