// SPDX-License-Identifier: MIT
#include "app/TestFrame.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <optional>
#include <utility>

#include <gtk/gtk.h>
#include <wx/dialog.h>
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif

#include "app/Cursor.h"
#include "app/EventCall.h"
#include "app/SharedTimers.h"
#include "desktop/CoverCheck.h"
#include "desktop/ScreenVisual.h"
#include "desktop/WindowCover.h"
#include "desktop/WindowLayer.h"
#include "panel/InsideOwner.h"
#include "panel/MessageDialog.h"
#include "testwindow/Strings.h"
#include "testwindow/TestWndGroup.h"

namespace {

constexpr std::array<std::pair<int, TestWndKey>, 20> kKeyCodes = {{
    {WXK_RIGHT, TestWndKey::kRight},
    {WXK_NUMPAD_RIGHT, TestWndKey::kRight},
    {WXK_DOWN, TestWndKey::kDown},
    {WXK_NUMPAD_DOWN, TestWndKey::kDown},
    {WXK_PAGEDOWN, TestWndKey::kPageDown},
    {WXK_NUMPAD_PAGEDOWN, TestWndKey::kPageDown},
    {WXK_LEFT, TestWndKey::kLeft},
    {WXK_NUMPAD_LEFT, TestWndKey::kLeft},
    {WXK_UP, TestWndKey::kUp},
    {WXK_NUMPAD_UP, TestWndKey::kUp},
    {WXK_PAGEUP, TestWndKey::kPageUp},
    {WXK_NUMPAD_PAGEUP, TestWndKey::kPageUp},
    {WXK_HOME, TestWndKey::kHome},
    {WXK_NUMPAD_HOME, TestWndKey::kHome},
    {WXK_END, TestWndKey::kEnd},
    {WXK_NUMPAD_END, TestWndKey::kEnd},
    {WXK_SPACE, TestWndKey::kSpace},
    {WXK_ESCAPE, TestWndKey::kEscape},
    {WXK_RETURN, TestWndKey::kReturn},
    {WXK_NUMPAD_ENTER, TestWndKey::kReturn},
}};

TestWndKey TestWndKeyOf(int keyCode) {
    for (const auto& [code, key] : kKeyCodes) {
        if (code == keyCode) {
            return key;
        }
    }
    return TestWndKey::kOther;
}

// The desktop settles a window's place in a few events: the check waits this
// long after the last one, and after its own request.
constexpr int kCoverSettleMs = 250;
constexpr int kCoverRequestMs = 400;

}  // namespace

CTestFrame::CTestFrame(const wxString& appName, const DialogColors& colors,
                       const MonitorInfo& monitor, int monitorIndex, Presentation presentation,
                       CCursor& cursor, CTestWndGroup& group, CSharedTimers& timers)
    : wxFrame(nullptr, wxID_ANY, kTestWindowTitle, wxPoint(monitor.logicalX, monitor.logicalY),
              wxSize(monitor.logicalWidth, monitor.logicalHeight), wxBORDER_NONE | wxSTAY_ON_TOP),
      m_monitor(monitor),
      m_cursor(cursor),
      m_group(group),
      m_timers(timers),
      m_nMonitorIndex(monitorIndex),
      m_coverTimer(this),
      m_appName(appName.utf8_string()),
      m_colors(colors),
      m_introTimer(this) {
    // The window and the store are sized from the monitor, never from the
    // frame's client size, which a window manager may round. Where nothing
    // manages windows, the frame stays at the monitor's origin and size.
    Move(monitor.logicalX, monitor.logicalY);
    // X11: asked before the frame is mapped, the window manager maps it full
    // screen at once (above its panels, no decoration). Wayland: a window
    // mapped full screen on another output than the focused one stays
    // unfocused, and the panel would open on the focused output; asked once
    // the frame is shown, the compositor moves it there with the focus.
#ifdef GDK_WINDOWING_WAYLAND
    if (GDK_IS_WAYLAND_DISPLAY(gdk_display_get_default())) {
        m_nFullScreenAfterPaint = monitorIndex;
    }
#endif
    if (m_nFullScreenAfterPaint < 0) {
        FullScreenOn(monitorIndex);
    }
    // Drawn on screen directly, so that the panel's frame above it shows the panel.
    GtkWidget* window = static_cast<GtkWidget*>(GetHandle());
    UseScreenDefaultVisual(window);
    KeepAboveDocks(window);
    // A window of fixed size (its minimum size its maximum) is one i3 floats,
    // out of full screen under its bar: the frame's size is the desktop's.
    gtk_window_set_resizable(GTK_WINDOW(window), TRUE);
    WatchCover();
    m_pTestWnd = std::make_unique<CTestWnd>(*this, presentation.width, presentation.height,
                                            presentation.bitsPerPixel);
    m_pTestWnd->SetAppName(m_appName.c_str());
    m_pTestWnd->SetRefreshRate(monitor.refreshHz);

    m_pView =
        new CSurfaceView(this, std::move(presentation), [this](const RECT& rect) { Paint(rect); });
    m_cursor.AddWindow(this);
    m_cursor.AddWindow(m_pView);
    // Only presses count: the second press of a double click arrives as a
    // double-click event, which does nothing.
    // Clicks and keys in any window go to every window of the run.
    m_group.Add(*m_pTestWnd, *this);
    m_pView->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { OnLeftDown(); });
    m_pView->Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent&) { m_group.OnRButtonDown(); });
    Bind(wxEVT_TIMER, &CTestFrame::OnTimerEvent, this);
    // The view takes no focus, so keys pressed over the test window arrive
    // at the frame.
    Bind(wxEVT_CHAR_HOOK, &CTestFrame::OnKey, this);
}

CTestFrame::~CTestFrame() {
    Detach();
    g_signal_handlers_disconnect_by_data(GetHandle(), &m_checkCoverSoon);
    g_signal_handlers_disconnect_by_data(GetHandle(), this);
    g_signal_handlers_disconnect_by_data(GetHandle(), &m_leaveInputToPanel);
    // The panel may outlive this window (a monitor that leaves closes it).
    if (m_pPanel) {
        for (void* call : {&m_stackBelowPanel, &m_checkCoverSoon, &m_leaveInputToPanel}) {
            g_signal_handlers_disconnect_by_data(m_pPanel->GetHandle(), call);
        }
    }
    m_coverTimer.Stop();
    m_introTimer.Stop();
    // The panel clears its registration with the test window when it goes:
    // it must go while the test window still exists.
    DestroyChildren();
}

void CTestFrame::AfterIntro(std::function<void()> next) {
    m_afterIntro = std::move(next);
    RunAfterIntro();
}

void CTestFrame::WatchCover() {
    GtkWidget* window = static_cast<GtkWidget*>(GetHandle());
    const std::optional<WindowManagerFacts> manager = ReadWindowManager(window);
    // The panel opens once the window has its place, on Wayland too: a
    // compositor that puts full-screen windows in a layer above the others
    // (weston's desktop shell) would cover a panel mapped before, and give
    // the keyboard to neither window once that panel hides.
    m_bCoverSettled = !manager;
    if (!manager) {
        return;
    }
    CoverFacts facts;
    facts.managed = manager->managed;
    facts.offersFullScreen = manager->offersFullScreen;
    facts.canCoverItself = manager->x11;
    if (DecideCover(facts) == CoverStep::kFallBack) {
        gtk_widget_realize(window);
        CoverWithoutWindowManager(window, MonitorRect(true));
        m_bCoversItself = true;
    }
    m_checkCoverSoon = [this] { CheckCoverSoon(kCoverSettleMs); };
    for (const char* signal : {"map-event", "configure-event", "window-state-event"}) {
        g_signal_connect(window, signal, G_CALLBACK(RunEventCall), &m_checkCoverSoon);
    }
}

ScreenRect CTestFrame::MonitorRect(bool x11) const {
    return x11 ? ScreenRect{m_monitor.x, m_monitor.y, m_monitor.Width(), m_monitor.Height()}
               : ScreenRect{m_monitor.logicalX, m_monitor.logicalY, m_monitor.logicalWidth,
                            m_monitor.logicalHeight};
}

void CTestFrame::CheckCoverSoon(int delayMs) {
    m_coverTimer.StartOnce(delayMs);
}

void CTestFrame::CheckCover() {
    GtkWidget* window = static_cast<GtkWidget*>(GetHandle());
    const std::optional<WindowManagerFacts> manager = ReadWindowManager(window);
    const std::optional<ScreenRect> seen = WindowOnScreen(window);
    // On Wayland nothing is asked before the request after the first paint.
    if (!manager || !seen || !gtk_widget_get_mapped(window) || m_nFullScreenAfterPaint >= 0) {
        // The panel waits for the check: on Wayland it looks again until the
        // window has a place to judge (a window enters its output with no
        // event of the toolkit's that would call it).
        if (manager && !manager->x11 && !m_bCoverSettled && m_nFullScreenAfterPaint < 0) {
            CheckCoverSoon(kCoverRequestMs);
        }
        return;
    }
    CoverFacts facts;
    facts.monitor = MonitorRect(manager->x11);
    facts.window = *seen;
    facts.mapped = true;
    facts.fullScreen = ShownFullScreen(window);
    facts.managed = manager->managed;
    facts.offersFullScreen = manager->offersFullScreen;
    facts.canCoverItself = manager->x11;
    facts.coversItself = m_bCoversItself;
    facts.requests = m_nCoverRequests;
    facts.losses = m_nCoverLosses;
    const CoverStep step = DecideCover(facts);
    // Covered again after asking, where it had been covered before: the
    // manager took the place and gave it back.
    if (step == CoverStep::kKeep && m_nCoverRequests > 0 && m_bCoverSettled) {
        ++m_nCoverLosses;
    }
    if (step == CoverStep::kKeep || step == CoverStep::kWarn) {
        m_bCoverSettled = true;
        RunAfterIntro();
    }
    switch (step) {
        case CoverStep::kKeep:
            // Covered again: a later change gets its own requests.
            m_nCoverRequests = 0;
            if (m_stackBelowPanel) {
                m_stackBelowPanel();
            }
            break;
        case CoverStep::kAskAgain:
            ++m_nCoverRequests;
            // A manager that shows the window full screen in the wrong place
            // (awesome below a title bar it added at mapping) places it anew
            // when the state is set again.
            if (facts.fullScreen) {
                gtk_window_unfullscreen(GTK_WINDOW(window));
            }
            FullScreenOn(m_nMonitorIndex);
            CheckCoverSoon(kCoverRequestMs);
            break;
        case CoverStep::kFallBack:
            CoverWithoutWindowManager(window, facts.monitor);
            m_bCoversItself = true;
            if (m_stackBelowPanel) {
                m_stackBelowPanel();
            }
            CheckCoverSoon(kCoverRequestMs);
            break;
        case CoverStep::kWarn:
            if (!m_bCoverWarned) {
                m_bCoverWarned = true;
                const std::string warning = DescribeCoverFailure(facts);
                std::fprintf(stderr, "%s: %s\n", m_appName.c_str(), warning.c_str());
                if (m_coverWarning) {
                    m_coverWarning(warning);
                }
            }
            break;
    }
}

void CTestFrame::KeepBelow(wxWindow* panel) {
    GtkWidget* panelWidget = static_cast<GtkWidget*>(panel->GetHandle());
    m_stackBelowPanel = [this, panelWidget] {
        if (m_bCoversItself && gtk_widget_get_mapped(panelWidget)) {
            StackBelow(static_cast<GtkWidget*>(GetHandle()), panelWidget);
        }
    };
    m_pPanel = panel;
    // Each time the panel shows, in the manager's frame by then; and again
    // once the manager has stacked that frame (awesome raises it later,
    // which would leave the window below the manager's own bars) or moved it
    // (i3 to another output's workspace, above this window).
    g_signal_connect(panelWidget, "map-event", G_CALLBACK(RunEventCall), &m_stackBelowPanel);
    for (const char* signal : {"map-event", "configure-event"}) {
        g_signal_connect(panelWidget, signal, G_CALLBACK(RunEventCall), &m_checkCoverSoon);
    }
    m_stackBelowPanel();
    // A window no manager handles keeps the keyboard while the panel is
    // hidden: a manager that focuses a window of its own when the panel goes
    // (i3) would leave the keys nowhere.
    m_keepKeyboard = [this, panelWidget] {
        GtkWidget* window = static_cast<GtkWidget*>(GetHandle());
        if (m_bCoversItself && !gtk_widget_get_mapped(panelWidget) && !FocusIsOurs(window)) {
            TakeKeyboardFocus(window);
        }
    };
    g_signal_connect(GetHandle(), "focus-out-event", G_CALLBACK(RunEventCall), &m_keepKeyboard);
    if (m_monitor.ThroughXWayland()) {
        m_leaveInputToPanel = [this, panelWidget] {
            LeaveInputTo(static_cast<GtkWidget*>(GetHandle()), panelWidget);
        };
        for (const char* signal : {"map-event", "unmap-event", "configure-event"}) {
            g_signal_connect(panelWidget, signal, G_CALLBACK(RunEventCall), &m_leaveInputToPanel);
        }
        g_signal_connect(GetHandle(), "configure-event", G_CALLBACK(RunEventCall),
                         &m_leaveInputToPanel);
    }
}

void CTestFrame::BringWindowToTop() {
    Raise();
    if (m_bCoversItself) {
        TakeKeyboardFocus(static_cast<GtkWidget*>(GetHandle()));
    }
}

void CTestFrame::FullScreenBeforeShown() {
    if (m_nFullScreenAfterPaint >= 0) {
        FullScreenOn(m_nFullScreenAfterPaint);
        m_nFullScreenAfterPaint = -1;
    }
}

void CTestFrame::HoldBlack(bool hold) {
    m_bHoldBlack = hold;
    m_pView->RedrawSoon();
}

void CTestFrame::Leave() {
    Hide();
    Detach();
}

void CTestFrame::Detach() {
    m_group.Remove(*m_pTestWnd);
    m_timers.Forget(*m_pTestWnd);
    m_cursor.RemoveWindow(this);
    m_cursor.RemoveWindow(m_pView);
}

void CTestFrame::FullScreenOn(int monitorIndex) {
    GtkWindow* window = GTK_WINDOW(GetHandle());
    gtk_window_fullscreen_on_monitor(window, gtk_window_get_screen(window), monitorIndex);
}

void CTestFrame::Paint(const RECT& rect) {
    CDC dc(m_pView->Store(), rect);
    if (m_bHoldBlack) {
        dc.FillRectValue(rect, 0);
    } else {
        m_pTestWnd->OnPaint(&dc);
    }
    if (m_nFullScreenAfterPaint >= 0) {
        // After this paint: its buffer maps the window. The check follows the
        // compositor's answer, and runs even where none comes.
        CallAfter([this, monitor = m_nFullScreenAfterPaint] {
            FullScreenOn(monitor);
            CheckCoverSoon(kCoverRequestMs);
        });
        m_nFullScreenAfterPaint = -1;
    }
}

void CTestFrame::OnLeftDown() {
#ifdef GDK_WINDOWING_WAYLAND
    // On Wayland a window shown again opens on the monitor that has the
    // input, where another monitor's full-screen window would hide the
    // panel: hidden, it becomes the dialog of the window clicked, above which
    // the compositor shows it.
    if (GDK_IS_WAYLAND_DISPLAY(gdk_display_get_default())) {
        for (wxWindow* window : wxTopLevelWindows) {
            if (dynamic_cast<wxDialog*>(window) != nullptr && !window->IsShown()) {
                gtk_window_set_transient_for(GTK_WINDOW(window->GetHandle()),
                                             GTK_WINDOW(GetHandle()));
            }
        }
    }
#endif
    m_group.OnLButtonDown();
}

void CTestFrame::HandKeysTo(wxWindow* panel) {
    m_pKeysPanel = panel;
    // Releases too: the panel's buttons act when Space is released.
    g_signal_connect(GetHandle(), "key-release-event",
                     G_CALLBACK(+[](GtkWidget*, GdkEventKey*, gpointer frame) -> gboolean {
                         return static_cast<CTestFrame*>(frame)->HandKeyToPanel();
                     }),
                     this);
}

bool CTestFrame::HandKeyToPanel() {
    return m_pKeysPanel && m_pKeysPanel->IsShown() &&
           HandOnKey(static_cast<GtkWidget*>(m_pKeysPanel->GetHandle()));
}

void CTestFrame::OnKey(wxKeyEvent& event) {
    if (HandKeyToPanel()) {
        return;
    }
    const TestWndKey key = TestWndKeyOf(event.GetKeyCode());
    m_group.OnKeyDown(key);
    // The keys the test window uses go no further.
    if (key == TestWndKey::kOther) {
        event.Skip();
    }
}

void CTestFrame::OnTimerEvent(wxTimerEvent& event) {
    if (&event.GetTimer() == &m_coverTimer) {
        CheckCover();
    } else {
        m_pView->RefreshRect(m_introStep, false);
    }
}

void CTestFrame::InvalidateRectAfter(const RECT& rect, std::uint32_t delayMs) {
    // A new request replaces the one still waiting.
    m_introTimer.Stop();
    m_introStep = m_pView->ToView(rect);
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
    RunAfterIntro();
}

void CTestFrame::RunAfterIntro() {
    // Outside the paint: the panel comes up above the picture just drawn, once
    // the window has its place (a window mapped again would cover the panel).
    if (m_afterIntro && m_bIntroEnded && m_bCoverSettled) {
        CallAfter(std::move(m_afterIntro));
        m_afterIntro = nullptr;
    }
}

void CTestFrame::Invalidate() {
    m_pView->RedrawSoon();
}

unsigned CTestFrame::SetTimer(unsigned eventId, unsigned periodMs) {
    return m_timers.Start(*m_pTestWnd, eventId, periodMs);
}

void CTestFrame::KillTimer(unsigned timerId) {
    m_timers.Stop(*m_pTestWnd, timerId);
}

int CTestFrame::ShowCursor(bool show) {
    return m_cursor.Show(show);
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
