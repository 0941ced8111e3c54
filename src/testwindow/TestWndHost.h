// SPDX-License-Identifier: MIT
// What the test window needs of a real window, and how it sees the panel.
//
// The intro's needs (clock, cursor, repaints) come from intro/IntroHost.h:
// the test window plays the intro in its own host. The desktop program
// implements these with its wx windows; tests and the headless renderer use a
// recording fake. Nothing here depends on a toolkit.
#pragma once

#include <cstdint>
#include <string>

#include "gdi/GdiTypes.h"
#include "intro/IntroHost.h"

class ITestWndHost : public IIntroHost {
public:
    // Start a periodic timer for eventId, or restart the one it already
    // has; returns its identifier, eventId + 1 (0 on failure).
    virtual unsigned SetTimer(unsigned eventId, unsigned periodMs) = 0;
    // Stop the timer SetTimer named timerId; an unknown identifier does nothing.
    virtual void KillTimer(unsigned timerId) = 0;
    // A modal message with an OK button only, owned by the test window.
    virtual void MessageBox(const std::string& text, const std::string& caption) = 0;
    virtual void BringWindowToTop() = 0;

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
    // Check the resolution level's radio button (0..2), or the guns' check
    // boxes, as if the user had, and pass the choice to the test window.
    virtual void SelectResolution(int level) = 0;
    virtual void SelectGuns(bool red, bool green, bool blue) = 0;
};
