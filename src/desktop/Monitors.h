// SPDX-License-Identifier: MIT
// The monitors of the display the toolkit opened, read through GDK: names,
// geometry, scale, refresh rate and which one is primary.
#pragma once

#include <vector>

#include "desktop/MonitorChoice.h"
#include "desktop/ScreenCheck.h"

class CWaylandDesktop;

// In the desktop's order; the index is the one --monitor takes. wayland:
// the compositor's own view of its outputs, on Wayland or around XWayland
// (null elsewhere).
std::vector<MonitorInfo> ReadMonitors(const CWaylandDesktop* wayland);

// Bits per pixel of the display (every monitor of it shows the same visual).
int DisplayBitsPerPixel();
// How the display's visual turns pixel values into colours.
VisualKind DisplayVisualKind();
