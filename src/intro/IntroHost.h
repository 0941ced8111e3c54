// SPDX-License-Identifier: MIT
// What the intro needs of the window it plays in: a clock, the cursor, and
// the next step's paint. The test window's host offers these and more
// (testwindow/TestWndHost.h); the intro knows only this much of it.
#pragma once

#include <cstdint>

#include "gdi/GdiTypes.h"

class IIntroHost {
public:
    virtual ~IIntroHost() = default;

    // Repaint the whole window without erasing it.
    virtual void Invalidate() = 0;
    // Raise (show) or lower (hide) the cursor's display counter; returns the new
    // count. The cursor is hidden while the count is below zero.
    virtual int ShowCursor(bool show) = 0;
    // Milliseconds since some fixed moment; wraps at 2^32.
    virtual std::uint32_t GetTickCount() = 0;
    // The intro's next step: paint again (without erasing) once delayMs
    // milliseconds have passed, at least the area rect; 0 means with the next
    // frame the display takes. Only the intro asks for this, from inside a
    // paint. The default repaints the whole window at once.
    virtual void InvalidateRectAfter(const RECT& rect, std::uint32_t delayMs) {
        (void)rect;
        (void)delayMs;
        Invalidate();
    }
};
