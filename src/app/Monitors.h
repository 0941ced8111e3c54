// SPDX-License-Identifier: MIT
// The monitors of the display the toolkit opened, read through GDK: names,
// geometry, scale, refresh rate and which one is primary.
#pragma once

#include <vector>

#include "app/MonitorChoice.h"

// In the desktop's order; the index is the one --monitor takes.
std::vector<MonitorInfo> ReadMonitors();

// Bits per pixel of the display (every monitor of it shows the same visual).
int DisplayBitsPerPixel();
