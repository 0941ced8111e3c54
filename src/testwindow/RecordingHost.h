// SPDX-License-Identifier: MIT
// RecordingHost: an ITestWndHost without a window. It records what the test
// window asked for (invalidations, timers, cursor count, messages) and runs a
// clock that the owner advances; the headless renderer and the tests use it.
#pragma once

#include <string>
#include <vector>

#include "testwindow/TestWndHost.h"

class RecordingHost : public ITestWndHost {
public:
    void Invalidate() override { ++invalidations; }
    unsigned SetTimer(unsigned eventId, unsigned periodMs) override {
        timerId = eventId + 1;
        timerRunning = true;
        timerPeriodMs = periodMs;
        return timerId;
    }
    void KillTimer(unsigned id) override {
        if (id == timerId) {
            timerRunning = false;
        }
    }
    int ShowCursor(bool show) override { return cursorCount += show ? 1 : -1; }
    void MessageBox(const std::string& text, const std::string& caption) override {
        messages.push_back(caption + ": " + text);
    }
    void BringWindowToTop() override { ++raised; }
    std::uint32_t GetTickCount() override { return now; }
    void InvalidateRectAfter(const RECT& rect, std::uint32_t delayMs) override {
        ++stepRequests;
        stepRect = rect;
        stepDelayMs = delayMs;
    }
    void OnIntroEnded() override { ++introEnded; }

    int invalidations = 0;
    // The last timer started, and whether it still runs.
    unsigned timerId = 0;
    bool timerRunning = false;
    unsigned timerPeriodMs = 0;
    int cursorCount = 0;
    int raised = 0;
    std::vector<std::string> messages;
    std::uint32_t now = 0;
    // The intro's last request for its next step, and how often it ended.
    int stepRequests = 0;
    RECT stepRect{0, 0, 0, 0};
    std::uint32_t stepDelayMs = 0;
    int introEnded = 0;
};
