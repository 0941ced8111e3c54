// CTestFrame: the test window of the desktop program. A borderless, topmost
// frame over the whole primary display that owns the software display's
// pixel store and the CTestWnd drawing into it, and gives CTestWnd what it
// needs of a real window (ITestWndHost).
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

// Project headers come before the toolkit's: the toolkit defines TRUE and
// FALSE as macros unless they are defined already.
#include "gdi/Surface.h"
#include "testwindow/TestWnd.h"
#include "testwindow/TestWndHost.h"

#include <wx/frame.h>
#include <wx/timer.h>

#include "app/DisplayMode.h"
#include "app/SurfaceView.h"
#include "panel/DialogColors.h"

class CTestFrame : public wxFrame, public ITestWndHost {
public:
    // appName: the caption of the program's messages.
    CTestFrame(const wxString& appName, const DialogColors& colors);
    ~CTestFrame() override;

    CTestWnd& TestWnd() { return *m_pTestWnd; }
    const DisplayMode& Mode() const { return m_mode; }
    // Runs `next` once, as soon as the first paint has finished.
    void AfterFirstPaint(std::function<void()> next);

    void Invalidate() override;
    unsigned SetTimer(unsigned eventId, unsigned periodMs) override;
    void KillTimer(unsigned timerId) override;
    int ShowCursor(bool show) override;
    void MessageBox(const std::string& text, const std::string& caption) override;
    void BringWindowToTop() override { Raise(); }
    std::uint32_t GetTickCount() override;

private:
    void Paint(const RECT& rect);

    DisplayMode m_mode;
    std::string m_appName;
    DialogColors m_colors;
    std::unique_ptr<Surface> m_pSurface;
    std::unique_ptr<CTestWnd> m_pTestWnd;
    CSurfaceView* m_pView = nullptr;
    wxTimer m_timer;
    int m_nCursorCount = 0;
    bool m_bPainted = false;
    std::function<void()> m_afterFirstPaint;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};
