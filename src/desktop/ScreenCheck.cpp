// SPDX-License-Identifier: MIT
#include "desktop/ScreenCheck.h"

#include <algorithm>

#include "gdi/Surface.h"

namespace {

std::string Size(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

std::string WhyNotShown(const MonitorInfo& monitor, VisualKind visual) {
    if (visual == VisualKind::kColorMapped) {
        return "the screen shows its colours through a colour map (a PseudoColor visual), "
               "which the toolkit cannot draw on; run the X server at depth 16 or 24";
    }
    if (monitor.logicalWidth < 1 || monitor.logicalHeight < 1 || monitor.scale < 1 ||
        monitor.Width() < 1 || monitor.Height() < 1) {
        return "the desktop reports monitor " + monitor.name + " as " +
               Size(monitor.logicalWidth, monitor.logicalHeight) + " at scale " +
               std::to_string(monitor.scale) + ", a size no picture fits";
    }
    if (monitor.Width() > Surface::kMaxSide || monitor.Height() > Surface::kMaxSide) {
        return "monitor " + monitor.name + " has " + Size(monitor.Width(), monitor.Height()) +
               " pixels; the program draws at most " + std::to_string(Surface::kMaxSide) +
               " on a side";
    }
    return {};
}

bool IsToolkitScale(const char* value) {
    const std::string text = value;
    return !text.empty() && text.size() <= 3 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
           std::stoi(text) >= 1;
}
