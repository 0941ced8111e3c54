// SPDX-License-Identifier: MIT
// ITestWndListener: told after each change of what the test window shows or
// how it is driven (picture, variant, guns, resolution level, the panel shown
// or hidden), whoever made it: the panel, a key, the mouse or a remote call.
// The test window calls it right after the change; a listener that wants the
// settled state of several changes reads it later, from the main loop.
#pragma once

class ITestWndListener {
public:
    virtual ~ITestWndListener() = default;
    virtual void OnTestWndChanged() = 0;
    // The test window goes: the listener may no longer reach it.
    virtual void OnTestWndGone() = 0;
};
