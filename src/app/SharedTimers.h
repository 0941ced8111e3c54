// SPDX-License-Identifier: MIT
// CSharedTimers: the test windows' timers, one toolkit timer per event
// identifier for every window that started it, so that the windows of one
// run tick together: the blinking picture blinks in step on every monitor.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include <wx/event.h>
#include <wx/timer.h>

class CTestWnd;

class CSharedTimers : public wxEvtHandler {
public:
    CSharedTimers();
    ~CSharedTimers() override;

    // The window's periodic timer eventId: joins it while it runs (keeping
    // its beat), else starts it; a window that has it already restarts it.
    // Returns its identifier, eventId + 1 (0 on failure).
    unsigned Start(CTestWnd& wnd, unsigned eventId, unsigned periodMs);
    // The window leaves the timer timerId; the last one out stops it.
    void Stop(CTestWnd& wnd, unsigned timerId);
    // A window that goes leaves every timer.
    void Forget(CTestWnd& wnd);

private:
    struct Timer {
        std::unique_ptr<wxTimer> timer;
        std::vector<CTestWnd*> windows;
    };
    void OnTimerEvent(wxTimerEvent& event);

    std::map<unsigned, Timer> m_timers;
};
