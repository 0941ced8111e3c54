// The facts about the primary display that the test window reads once, when
// it is created: its size in physical pixels, bits per pixel, refresh rate.
#pragma once

class wxWindow;

struct DisplayMode {
    // The display in the toolkit's (logical) coordinates, where windows live.
    int logicalWidth;
    int logicalHeight;
    // Physical pixels per logical pixel on a scaled desktop, else 1.
    int scale;
    int bitsPerPixel;
    // 0 where the display reports no rate.
    int refreshHz;

    int Width() const { return logicalWidth * scale; }
    int Height() const { return logicalHeight * scale; }
};

// `window` is the test window, already created on the display.
DisplayMode ReadDisplayMode(const wxWindow& window);
