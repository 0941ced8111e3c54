#include "app/TestFrame.h"

#include <algorithm>
#include <climits>

#include <wx/display.h>

#include "app/MessageDialog.h"
#include "app/ScreenVisual.h"
#include "app/ViewRect.h"
#include "testwindow/Strings.h"

namespace {

constexpr int kPictureTimerId = 1;
constexpr int kIntroTimerId = 2;

// The pixel store keeps every direct-colour depth above 24 bits as 24.
int StoreDepth(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 15:
        case 16:
        case 24:
        case 32:
            return bitsPerPixel;
        default:
            return bitsPerPixel > 16 ? 24 : 16;
    }
}

}  // namespace

CTestFrame::CTestFrame(const wxString& appName, const DialogColors& colors)
    : wxFrame(nullptr, wxID_ANY, kTestWindowTitle, wxDisplay(0u).GetGeometry().GetPosition(),
              wxDisplay(0u).GetGeometry().GetSize(), wxBORDER_NONE | wxSTAY_ON_TOP),
      m_mode(ReadDisplayMode(*this)),
      m_appName(appName.utf8_string()),
      m_colors(colors),
      m_timer(this, kPictureTimerId),
      m_introTimer(this, kIntroTimerId) {
    // The window and the store are sized from the display, never from the
    // frame's client size, which a window manager may round.
    Move(0, 0);
    // Drawn on screen directly, so that the panel's frame above it shows the panel.
    UseScreenDefaultVisual(*this);
    m_pSurface =
        std::make_unique<Surface>(m_mode.Width(), m_mode.Height(), StoreDepth(m_mode.bitsPerPixel));
    m_pTestWnd =
        std::make_unique<CTestWnd>(*this, m_mode.Width(), m_mode.Height(), m_mode.bitsPerPixel);
    m_pTestWnd->SetAppName(m_appName.c_str());
    m_pTestWnd->SetRefreshRate(m_mode.refreshHz);

    m_pView = new CSurfaceView(this, *m_pSurface, m_mode.scale,
                               [this](const RECT& rect) { Paint(rect); });
    // Only presses count: the second press of a double click arrives as a
    // double-click event, which does nothing.
    m_pView->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { m_pTestWnd->OnLButtonDown(); });
    m_pView->Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent&) { m_pTestWnd->OnRButtonDown(); });
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { m_pTestWnd->OnTimer(); }, kPictureTimerId);
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { m_pView->RefreshRect(m_introStep, false); },
        kIntroTimerId);
    // The view takes no focus, so keys pressed over the test window arrive
    // at the frame.
    Bind(wxEVT_CHAR_HOOK, &CTestFrame::OnKey, this);
}

CTestFrame::~CTestFrame() {
    m_timer.Stop();
    m_introTimer.Stop();
    // The panel clears its registration with the test window when it goes:
    // it must go while the test window still exists.
    DestroyChildren();
}

void CTestFrame::AfterIntro(std::function<void()> next) {
    if (m_bIntroEnded) {
        CallAfter(std::move(next));
    } else {
        m_afterIntro = std::move(next);
    }
}

void CTestFrame::Paint(const RECT& rect) {
    CDC dc(*m_pSurface, rect);
    m_pTestWnd->OnPaint(&dc);
}

void CTestFrame::OnKey(wxKeyEvent& event) {
    m_pTestWnd->OnKeyDown();
    event.Skip();
}

wxRect CTestFrame::ToView(const RECT& rect) const {
    const RECT r = PhysicalToLogical(rect, m_mode.scale);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void CTestFrame::InvalidateRectAfter(const RECT& rect, std::uint32_t delayMs) {
    // A new request replaces the one still waiting.
    m_introTimer.Stop();
    m_introStep = ToView(rect);
    if (delayMs == 0) {
        // The next zoom frame comes with the next frame the display takes.
        m_pView->RefreshRect(m_introStep, false);
        return;
    }
    m_introTimer.StartOnce(static_cast<int>(std::min<std::uint32_t>(delayMs, INT_MAX)));
}

void CTestFrame::OnIntroEnded() {
    m_introTimer.Stop();
    m_bIntroEnded = true;
    // Outside the paint: the panel comes up above the picture just drawn.
    if (m_afterIntro) {
        CallAfter(std::move(m_afterIntro));
        m_afterIntro = nullptr;
    }
}

void CTestFrame::Invalidate() {
    m_pView->Refresh(false);
}

unsigned CTestFrame::SetTimer(unsigned eventId, unsigned periodMs) {
    return m_timer.Start(static_cast<int>(periodMs)) ? eventId + 1 : 0;
}

void CTestFrame::KillTimer(unsigned /*timerId*/) {
    m_timer.Stop();
}

int CTestFrame::ShowCursor(bool show) {
    const bool wasHidden = m_nCursorCount < 0;
    m_nCursorCount += show ? 1 : -1;
    const bool hidden = m_nCursorCount < 0;
    if (hidden != wasHidden) {
        const wxCursor cursor = hidden ? wxCursor(wxCURSOR_BLANK) : wxNullCursor;
        SetCursor(cursor);
        m_pView->SetCursor(cursor);
    }
    return m_nCursorCount;
}

void CTestFrame::MessageBox(const std::string& text, const std::string& caption) {
    // The message opens right after the paint that asked for it: a modal loop
    // inside the toolkit's draw handler would stall the window's drawing.
    CallAfter([this, text, caption] {
        CMessageDialog message(this, wxString::FromUTF8(text), wxString::FromUTF8(caption),
                               m_colors);
        message.ShowModal();
    });
}

std::uint32_t CTestFrame::GetTickCount() {
    const auto elapsed = std::chrono::steady_clock::now() - m_start;
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}
