// SPDX-License-Identifier: MIT
// The intro, headless: the screen as it stands some time after it started.
#pragma once

#include <cstdint>

#include "gdi/Surface.h"
#include "testwindow/RecordingHost.h"
#include "testwindow/TestWnd.h"

// Paints the test window from its first paint on with the host's clock
// starting at 0 and no input, one paint per step the intro asks for, until
// the next step would come after atMs. Steps asked for "as soon as possible"
// (the zoom) come at a steady 60 frames a second. The window's logo path
// must be set; when the intro ends, the picture is drawn and painting stops.
void PaintIntroAt(CTestWnd& testWnd, RecordingHost& host, Surface& surface, std::uint32_t atMs);
