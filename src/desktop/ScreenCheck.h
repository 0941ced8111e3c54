// SPDX-License-Identifier: MIT
// Whether the program can show its pictures exactly on a monitor, decided
// before any window opens: the toolkit draws on direct-colour screens only,
// and the pixel store has a size limit. Where it cannot, the program says
// why in one line and opens no window, rather than showing a black or wrong
// picture. No toolkit here: the desktop's facts come in as data.
#pragma once

#include <string>

#include "desktop/MonitorChoice.h"

// How the screen's default visual turns pixel values into colours.
enum class VisualKind {
    kDirect,       // the value holds the colour (TrueColor, DirectColor)
    kColorMapped,  // the value indexes a colour map (PseudoColor and the like)
};

// Empty when the pictures can be shown on the monitor; else why not.
std::string WhyNotShown(const MonitorInfo& monitor, VisualKind visual);

// GDK takes any whole number from GDK_SCALE, negative ones too, and then
// reports monitors of negative size. True for a positive whole number.
bool IsToolkitScale(const char* value);
