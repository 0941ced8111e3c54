// SPDX-License-Identifier: MIT
// The monitors as the desktop reports them, which of them the user chose,
// and how each is listed. No toolkit here: the desktop's facts come in as data.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct MonitorInfo {
    // The desktop's name for it (a connector or output name), unique.
    std::string name;
    // Its position as the desktop reports it (X11: screen pixels; Wayland:
    // the compositor's layout).
    int x = 0;
    int y = 0;
    // Its area in the toolkit's (logical) coordinates, where windows live.
    int logicalX = 0;
    int logicalY = 0;
    int logicalWidth = 0;
    int logicalHeight = 0;
    // Physical pixels per logical pixel as the toolkit scales, a whole number.
    int scale = 1;
    // The compositor's own scale where the program can learn it (Wayland:
    // the output's mode over its logical size, fractional ones too); 0 where
    // it cannot.
    double outputScale = 0;
    // The monitor's own pixels (its current mode) where the program shows
    // them through a buffer of its own (on Wayland, where the compositor can
    // show one in physical pixels). 0 x 0 otherwise.
    int physicalWidth = 0;
    int physicalHeight = 0;
    // The desktop resamples the picture: the toolkit's scale does not reach
    // the monitor's pixels, and the compositor cannot show the program's own
    // buffer in physical pixels.
    bool scaledByDesktop = false;
    // Whole hertz; 0 where the desktop reports no rate.
    int refreshHz = 0;
    bool primary = false;

    // The scale the desktop shows the monitor at.
    double DesktopScale() const { return outputScale > 0 ? outputScale : scale; }
    bool OwnBuffer() const { return physicalWidth > 0 && physicalHeight > 0; }
    // An X server's monitor that XWayland names: one of a Wayland
    // compositor's outputs, which decides what shows there.
    bool ThroughXWayland() const { return name.rfind("XWAYLAND", 0) == 0; }
    // The toolkit's whole scale reaches a screen of width x height physical
    // pixels.
    bool ScaleReaches(int width, int height) const {
        return width == logicalWidth * scale && height == logicalHeight * scale;
    }
    // The screen in physical pixels: the size of the pixel store.
    int Width() const { return OwnBuffer() ? physicalWidth : logicalWidth * scale; }
    int Height() const { return OwnBuffer() ? physicalHeight : logicalHeight * scale; }
};

// What the program says of a monitor whose pixels the desktop scales.
inline constexpr const char* kScaledByDesktopNote =
    "this monitor's pixels are scaled by the desktop (no way to show physical pixels: a "
    "fractional scale on Wayland without the viewporter protocol, or a scale other than 1 "
    "for X11 programs through XWayland)";

// The entry of --monitor that stands for every monitor.
inline constexpr const char* kAllMonitors = "all";

// The indices of the monitors `wanted` names, in its order: each entry an
// index in the list or a name, or "all" alone for every monitor; without
// entries the primary monitor, else the first. Nothing, with a one-line reason
// in `error`, when a monitor does not exist or one is named twice.
std::optional<std::vector<std::size_t>> ChooseMonitors(const std::vector<MonitorInfo>& monitors,
                                                       const std::vector<std::string>& wanted,
                                                       std::string& error);

// The one among the chosen monitors that holds the panel and the intro: the
// primary one, else the first chosen. An index into `chosen`.
std::size_t LeadMonitor(const std::vector<MonitorInfo>& monitors,
                        const std::vector<std::size_t>& chosen);

// A scale as --list-monitors states it: to the nearest 120th (the steps a
// compositor's fractional scale takes), with at most two decimals and no
// trailing zeros ("1", "1.5", "1.25").
std::string FormatScale(double scale);

// The line --list-monitors prints for a monitor, without the line break.
std::string DescribeMonitor(std::size_t index, const MonitorInfo& monitor);
