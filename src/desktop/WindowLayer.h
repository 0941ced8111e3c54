// SPDX-License-Identifier: MIT
// How the program's windows sit on the desktop: the test window's stacking
// layer on X11, the panel's place where the compositor places it, its frame.
//
// The stacking layer of the test window on X11:
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

// Wayland: the compositor places windows, and a client cannot. One that
// takes GTK's modal hint (mutter) centres a modal dialog without a parent on
// a monitor, but one with a parent a third of the way down the parent. So on
// a desktop of one monitor, each time the dialog is shown it maps as a modal
// dialog without a parent (with several, the monitor might be another one
// than the parent's: it keeps its parent); once the compositor has drawn it
// (and so placed it), it becomes an ordinary dialog of its parent again: the
// compositor keeps it above the full-screen parent, and does not attach it
// to the parent as GNOME Shell attaches modal dialogs (which dims the
// parent). Call once, after the dialog is first shown and before its first
// paint, where CWaylandDesktop::TakesModalHint().
void CentreOnMonitorWhereCompositorPlaces(GtkWidget* dialog);

// Where the toolkit draws the window's frame itself (on Wayland without the
// compositor's decorations), it draws a soft shadow around it over whatever
// lies below: over the picture, which is then no longer exact beside the
// panel. The program's windows shown after this call are drawn without it.
void LeaveOutShadows();
