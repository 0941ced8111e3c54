// SPDX-License-Identifier: MIT
// A window shown inside its owner's surface. Where the compositor takes a
// full-screen window out of its layer above all others as soon as another
// window has the keyboard (weston's desktop shell), a dialog of its own would
// either lie below the full-screen window or let the desktop's bar cover it.
// A window of the toolkit's popup kind that has a parent and holds no grab is
// mapped by GTK as a sub-surface of that parent on Wayland: it lies above the
// parent's picture, and the parent keeps the keyboard (and so its layer). The
// toolkit draws its title bar; the parent hands its keys on.
//
// weston gives the keyboard to a sub-surface that is clicked, and to no one
// once that surface is gone: so the window, once shown, is never unmapped.
// Hidden, it lies far outside every output and hands the keys it gets to its
// parent.
#pragma once

typedef struct _GtkWidget GtkWidget;

// A new window of that kind with a title bar the toolkit draws: the title
// and a close box, which closes the window as the desktop's would. Each time
// it is shown or changes its size, its frame (title bar and content) is
// centred in its parent, until the user drags the bar to move it. Each time
// it is shown it acts as the window with the keyboard (drawn active, its
// focused control taking the keys handed on). The caller owns one reference.
GtkWidget* NewWindowInsideParent(const char* title);

// Shows or hides the window once the toolkit has shown it (true: done; false:
// not yet mapped, the toolkit shows or hides it).
bool ShowInsideParent(GtkWidget* window, bool show);

// Hands the key event that the toolkit is handling to the window, as if the
// window had the keyboard. False (and nothing done) when that is no key event.
bool HandOnKey(GtkWidget* window);
