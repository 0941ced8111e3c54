// SPDX-License-Identifier: MIT
// What the test window needs of a real window, and how it sees the panel.
//
// The desktop program implements these with its wx windows; tests and the
// headless renderer use a recording fake. Nothing here depends on a toolkit.
#pragma once

#include <cstdint>
#include <string>

#include "gdi/GdiTypes.h"

class ITestWndHost {
public:
    virtual ~ITestWndHost() = default;

    // Repaint the whole window without erasing it.
    virtual void Invalidate() = 0;
    // Start a periodic timer; returns its identifier (0 on failure).
    virtual unsigned SetTimer(unsigned eventId, unsigned periodMs) = 0;
    virtual void KillTimer(unsigned timerId) = 0;
    // Raise (show) or lower (hide) the cursor's display counter; returns the new
    // count. The cursor is hidden while the count is below zero.
    virtual int ShowCursor(bool show) = 0;
    // A modal message with an OK button only, owned by the test window.
    virtual void MessageBox(const std::string& text, const std::string& caption) = 0;
    virtual void BringWindowToTop() = 0;
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
    // The intro is over: played to its end, skipped, or not played because the
    // logo file is missing or rejected. Called once, from inside the paint that
    // draws the first picture; the control panel may be created from now on.
    virtual void OnIntroEnded() {}
};

// The control panel as the test window sees it.
class IPanel {
public:
    virtual ~IPanel() = default;
    virtual bool IsWindowVisible() const = 0;
    virtual void ShowWindow(bool show) = 0;
    virtual void BringWindowToTop() = 0;
    // Hide the panel, raise the test window, hide the cursor.
    virtual void OnFullScreen() = 0;
    // Choose the picture as if it had been chosen in the panel's list.
    virtual void SelectPicture(int picture) = 0;
};
