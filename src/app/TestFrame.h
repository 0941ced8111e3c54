// SPDX-License-Identifier: MIT
// CTestFrame: the test window of the desktop program. A borderless, topmost,
// full-screen frame over exactly one monitor that holds the view of the
// software display's pixel store and the CTestWnd drawing into it, and gives
// CTestWnd what it needs of a real window (ITestWndHost). It wires together
// what the other rooms decided: the monitor (desktop/), the presentation of
// its pixels (present/) and the dialogs (panel/).
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include "desktop/CoverCheck.h"
#include "desktop/MonitorChoice.h"
#include "panel/DialogColors.h"
#include "present/Presentation.h"
#include "present/SurfaceView.h"
#include "testwindow/TestWnd.h"
#include "testwindow/TestWndHost.h"

class CCursor;
class CSharedTimers;
class CTestWndGroup;

class CTestFrame : public wxFrame, public ITestWndHost {
public:
    // appName: the caption of the program's messages; monitor: the one to
    // cover, the monitorIndex-th of the display, which outlives the frame;
    // presentation: how the pixels reach it; cursor, group, timers: the
    // program's cursor, its test windows driven in step (the frame joins
    // them; the first to join leads) and their timers, which outlive the frame.
    CTestFrame(const wxString& appName, const DialogColors& colors, const MonitorInfo& monitor,
               int monitorIndex, Presentation presentation, CCursor& cursor, CTestWndGroup& group,
               CSharedTimers& timers);
    ~CTestFrame() override;

    CTestWnd& TestWnd() { return *m_pTestWnd; }
    // The pixel store the test window draws into.
    Surface& Store() { return m_pView->Store(); }
    // Runs `next` once, right after the paint that ends the intro (or the
    // first paint, when there is no intro), once the window has its place.
    void AfterIntro(std::function<void()> next);
    // Asks for full screen before the frame is shown, where the desktop
    // would wait for its first paint: a window mapped full screen on another
    // monitor than the focused one does not take the input (the panel opens
    // where the input is).
    void FullScreenBeforeShown();
    // While held the window shows black instead of its test window (the
    // other monitors while the leading one plays the intro).
    void HoldBlack(bool hold);
    // Its monitor left: the window hides and leaves the group, the timers
    // and the cursor; the panel it may own stays.
    void Leave();
    // The program's panel, which stays above the test window where that
    // covers its monitor without the window manager, and which takes the
    // clicks where it shows over the window through XWayland.
    void KeepBelow(wxWindow* panel);
    // While the panel shows, keys pressed in the window go to the panel
    // (shown inside the window's surface, it has the keyboard only once clicked).
    void HandKeysTo(wxWindow* panel);
    // Runs `warn` with a warning for the user when the window does not cover
    // its monitor and nothing is left to try.
    void OnCoverWarning(std::function<void(const std::string&)> warn) {
        m_coverWarning = std::move(warn);
    }

    void Invalidate() override;
    unsigned SetTimer(unsigned eventId, unsigned periodMs) override;
    void KillTimer(unsigned timerId) override;
    int ShowCursor(bool show) override;
    void MessageBox(const std::string& text, const std::string& caption) override;
    void BringWindowToTop() override;
    std::uint32_t GetTickCount() override;
    void InvalidateRectAfter(const RECT& rect, std::uint32_t delayMs) override;
    void OnIntroEnded() override;

private:
    // Asks the desktop to show the frame full screen on that monitor.
    void FullScreenOn(int monitorIndex);
    // The self-check: after the window maps and whenever its geometry or
    // state changes, once the desktop has settled, the window's place is
    // compared with the monitor's.
    void WatchCover();
    void CheckCoverSoon(int delayMs);
    void CheckCover();
    // The monitor in the X server's pixels, or in the compositor's logical
    // layout.
    ScreenRect MonitorRect(bool x11) const;
    // Runs what waits for the intro's end once the window has its place.
    void RunAfterIntro();
    void Paint(const RECT& rect);
    void OnLeftDown();
    void OnKey(wxKeyEvent& event);
    // Hands the key event being handled to the panel while it shows; false
    // when it does not (the key is the window's).
    bool HandKeyToPanel();
    // The intro's next step and the self-check's.
    void OnTimerEvent(wxTimerEvent& event);
    // Leaves the group, the timers and the cursor.
    void Detach();

    const MonitorInfo& m_monitor;
    CCursor& m_cursor;
    CTestWndGroup& m_group;
    CSharedTimers& m_timers;
    bool m_bHoldBlack = false;
    // On Wayland the full-screen request waits for the first paint (-1: none
    // waiting).
    int m_nFullScreenAfterPaint = -1;
    int m_nMonitorIndex;
    int m_nCoverRequests = 0;
    int m_nCoverLosses = 0;
    bool m_bCoversItself = false;
    bool m_bCoverWarned = false;
    // The self-check has found the window in its place, or has given up.
    bool m_bCoverSettled = false;
    wxTimer m_coverTimer;
    // What GTK's events of the window call (the signals hold its address).
    std::function<void()> m_checkCoverSoon;
    std::function<void()> m_stackBelowPanel;
    // The panel whose events call them, while it is there.
    wxWeakRef<wxWindow> m_pPanel;
    std::function<void()> m_keepKeyboard;
    std::function<void()> m_leaveInputToPanel;
    std::function<void(const std::string&)> m_coverWarning;
    wxWeakRef<wxWindow> m_pKeysPanel;
    std::string m_appName;
    DialogColors m_colors;
    std::unique_ptr<CTestWnd> m_pTestWnd;
    CSurfaceView* m_pView = nullptr;
    // The intro's next step (one-shot).
    wxTimer m_introTimer;
    wxRect m_introStep;
    bool m_bIntroEnded = false;
    std::function<void()> m_afterIntro;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};
