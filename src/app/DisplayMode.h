// The facts about the primary display that the test window reads once, when
// it is created: its size in physical pixels, bits per pixel, refresh rate.
#pragma once

class wxWindow;

struct DisplayMode {
    // The display in the toolkit's (logical) coordinates, where windows live.
    int logicalWidth;
    int logicalHeight;
    // The toolkit's physical pixels per logical pixel, a whole number: 1
    // unless the desktop is scaled.
    int scale;
    int bitsPerPixel;
    // 0 where the display reports no rate.
    int refreshHz;
    // The screen in physical pixels, the size of the pixel store: the
    // logical size times scale, unless the toolkit cannot show the
    // monitor's own pixels (a fractional scale on Wayland).
    int width;
    int height;
    // The store is shown through a buffer of its own on the Wayland
    // desktop, because the toolkit's integer scale is not the monitor's.
    bool ownBuffer = false;
    // The desktop resamples the picture: the monitor's scale is fractional
    // and the compositor offers no way to show its physical pixels.
    bool scaledByDesktop = false;

    int Width() const { return width; }
    int Height() const { return height; }
};

// What the program says of a monitor whose pixels the desktop scales.
inline constexpr const char* kScaledByDesktopNote =
    "this monitor's pixels are scaled by the desktop: the compositor cannot show "
    "the program's own buffer in physical pixels (no viewporter protocol)";

// `window` is the test window, already created on the display.
DisplayMode ReadDisplayMode(const wxWindow& window);
