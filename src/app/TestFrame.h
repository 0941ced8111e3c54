// SPDX-License-Identifier: MIT
// CTestFrame: the test window of the desktop program. A borderless, topmost,
// full-screen frame over exactly one monitor that holds the view of the
// software display's pixel store and the CTestWnd drawing into it, and gives CTestWnd what it
// needs of a real window (ITestWndHost).
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "gdi/Surface.h"
#include "testwindow/TestWnd.h"
#include "testwindow/TestWndHost.h"

#include <wx/frame.h>
#include <wx/timer.h>

#include "app/MonitorChoice.h"
#include "app/SurfaceView.h"
#include "panel/DialogColors.h"

class CTestFrame : public wxFrame, public ITestWndHost {
public:
    // appName: the caption of the program's messages; monitor: the one to
    // cover, the monitorIndex-th of the display.
    CTestFrame(const wxString& appName, const DialogColors& colors, const MonitorInfo& monitor,
               int monitorIndex);
    ~CTestFrame() override;

    CTestWnd& TestWnd() { return *m_pTestWnd; }
    const MonitorInfo& Monitor() const { return m_monitor; }
    // Runs `next` once, right after the paint that ends the intro (or the
    // first paint, when there is no intro).
    void AfterIntro(std::function<void()> next);

    void Invalidate() override;
    unsigned SetTimer(unsigned eventId, unsigned periodMs) override;
    void KillTimer(unsigned timerId) override;
    int ShowCursor(bool show) override;
    void MessageBox(const std::string& text, const std::string& caption) override;
    void BringWindowToTop() override { Raise(); }
    std::uint32_t GetTickCount() override;
    void InvalidateRectAfter(const RECT& rect, std::uint32_t delayMs) override;
    void OnIntroEnded() override;

private:
    // The presenter of the store where the monitor has a buffer of the
    // program's own (null elsewhere); says once when the desktop scales its
    // pixels.
    std::unique_ptr<IPixelPresenter> MakePresenter();
    // Asks the desktop to show the frame full screen on that monitor.
    void FullScreenOn(int monitorIndex);
    void Paint(const RECT& rect);
    void OnKey(wxKeyEvent& event);
    // The view's rectangle (logical pixels) that covers rect (physical pixels).
    wxRect ToView(const RECT& rect) const;

    MonitorInfo m_monitor;
    // On Wayland the full-screen request waits for the first paint (-1: none
    // waiting).
    int m_nFullScreenAfterPaint = -1;
    std::string m_appName;
    DialogColors m_colors;
    std::unique_ptr<CTestWnd> m_pTestWnd;
    CSurfaceView* m_pView = nullptr;
    // The picture timer (periodic) and the intro's next step (one-shot).
    wxTimer m_timer;
    wxTimer m_introTimer;
    wxRect m_introStep;
    int m_nCursorCount = 0;
    bool m_bIntroEnded = false;
    std::function<void()> m_afterIntro;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};
