// SPDX-License-Identifier: MIT
// Compile-only: the toolkit's headers (with the GTK and X11 headers the
// desktop program uses) come first, then the core's. The core defines no name
// the toolkit defines as a macro, so any include order builds.
#include <wx/wx.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include "gdi/CDC.h"
#include "gdi/ColumnBatch.h"
#include "gdi/GdiObjects.h"
#include "gdi/GdiTypes.h"
#include "gdi/Surface.h"
#include "intro/Intro.h"
#include "intro/LogoEncoder.h"
#include "pictures/composite/CompositePicture.h"
#include "pictures/composite/ModeCaption.h"
#include "pictures/composite/RectSplitter.h"
#include "pictures/composite/Trunc.h"
#include "testwindow/RecordingHost.h"
#include "testwindow/Strings.h"
#include "testwindow/TestPalette.h"
#include "testwindow/TestWnd.h"
#include "testwindow/TestWndHost.h"

static_assert(RGB(1, 2, 3) == 0x030201);
