// SPDX-License-Identifier: MIT
#include "app/TestApp.h"

#include <csignal>
#include <cstdio>

#include <glib-unix.h>
#include <gtk/gtk.h>

#include "app/TestFrame.h"
#include "desktop/WindowLayer.h"
#include "panel/PanelDlg.h"
#include "present/Presentation.h"
#include "testwindow/PictureFaces.h"

namespace {

// The intro's logo, looked for in the current directory (the desktop entry
// starts the program in the logo's folder).
constexpr const char* kLogoFileName = "zynlogo.dta";

}  // namespace

void CTestApp::SetDesktop(std::unique_ptr<CWaylandDesktop> wayland,
                          const std::vector<MonitorInfo>& monitors, std::vector<std::size_t> chosen,
                          int bitsPerPixel) {
    m_pWayland = std::move(wayland);
    m_pMonitors = &monitors;
    m_chosen = std::move(chosen);
    m_nBitsPerPixel = bitsPerPixel;
}

bool CTestApp::InitInstance() {
    // A terminated program (a kiosk or test rig without keyboard stops it so)
    // ends as the panel ends it: the main loop returns and the windows go.
    for (const int signal : {SIGTERM, SIGINT}) {
        g_unix_signal_add(
            signal,
            [](gpointer app) {
                static_cast<CTestApp*>(app)->ExitMainLoop();
                return G_SOURCE_CONTINUE;
            },
            this);
    }
    SetDialogBkColor(wxColour(192, 192, 192), wxColour(0, 0, 0));
    // The leading window first: it joins the group first and leads it.
    for (std::size_t index : m_chosen) {
        m_frames.push_back(CreateFrame(index));
    }
    m_pMainWnd = m_frames.front();
    SetTopWindow(m_pMainWnd);
    m_testWnds.SetPicture(static_cast<BYTE>(m_commandLine.picture));
    m_pMainWnd->TestWnd().SetLogoPath(m_commandLine.intro ? kLogoFileName : "");
    for (CTestFrame* frame : m_frames) {
        frame->HoldBlack(frame != m_pMainWnd);
    }
    // The first paint plays the intro; the panel follows once it is over.
    m_pMainWnd->AfterIntro([this] { CreatePanel(); });
    m_pMonitorWatch = std::make_unique<CMonitorWatch>(
        [this](std::size_t monitorIndex) { OnMonitorLeft(monitorIndex); });
    if (m_pRemote != nullptr) {
        std::vector<RemoteMonitor> covered;
        for (const std::size_t index : m_chosen) {
            covered.push_back({static_cast<std::uint32_t>(index), (*m_pMonitors)[index].name});
        }
        m_pRemote->Serve(m_pMainWnd->TestWnd(), m_pMainWnd->Store(), covered,
                         [this] { ExitMainLoop(); });
    }
    for (CTestFrame* frame : m_frames) {
        frame->OnCoverWarning([this](const std::string& warning) {
            m_coverWarning = wxString::FromUTF8(warning);
            if (m_pPanel) {
                m_pPanel->ShowWarning(m_coverWarning);
            }
        });
        if (frame != m_pMainWnd) {
            frame->FullScreenBeforeShown();
        }
        frame->Show();
    }
    m_pMainWnd->Raise();
    m_pMainWnd->Update();
    return true;
}

CTestFrame* CTestApp::CreateFrame(std::size_t monitorIndex) {
    const MonitorInfo& monitor = (*m_pMonitors)[monitorIndex];
    Presentation presentation = MakePresentation(monitor, m_nBitsPerPixel, m_pWayland.get());
    // The program's name is the executable's name, as the toolkit takes it.
    const std::string appName = GetAppName().utf8_string();
    const std::string where = m_chosen.size() > 1 ? " (" + monitor.name + ")" : "";
    if (!presentation.bufferFailure.empty()) {
        std::fprintf(stderr, "%s%s: %s\n", appName.c_str(), where.c_str(),
                     presentation.bufferFailure.c_str());
    }
    if (presentation.scaledByDesktop) {
        std::fprintf(stderr, "%s%s: %s\n", appName.c_str(), where.c_str(), kScaledByDesktopNote);
    }
    return new CTestFrame(GetAppName(), m_dialogColors, monitor, static_cast<int>(monitorIndex),
                          std::move(presentation), m_cursor, m_testWnds, m_timers);
}

int CTestApp::OnExit() {
    m_pPanelPlace.reset();
    m_pRemote.reset();
    return wxApp::OnExit();
}

void CTestApp::SetDialogBkColor(const wxColour& background, const wxColour& text) {
    m_dialogColors = {background, text};
}

void CTestApp::CreatePanel() {
    // The other windows waited in black: they take the variant the intro
    // ended with (right clicks during it count) and show their picture.
    for (CTestFrame* frame : m_frames) {
        if (frame != nullptr && frame != m_pMainWnd) {
            frame->TestWnd().SetVariant(m_pMainWnd->TestWnd().Variant());
            frame->HoldBlack(false);
        }
    }
    LeaveOutShadows();
    // Where the compositor would lower the full-screen window below its bar
    // while a window of its own has the keyboard, the panel lies inside the
    // leading window's surface, and the test windows hand their keys on.
    // Without a keyboard nothing activates a window there: the full-screen
    // window stays on top, and the panel a window of its own below it.
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    const bool inside = m_pWayland != nullptr && m_pWayland->LowersUnfocusedFullScreen() &&
                        seat != nullptr &&
                        (gdk_seat_get_capabilities(seat) & GDK_SEAT_CAPABILITY_KEYBOARD) != 0;
    // Owned by the leading window: it lives until the program ends or goes
    // together with that window.
    m_pPanel = new CPanelDlg(m_pMainWnd, m_testWnds, m_dialogColors, inside);
    for (CTestFrame* frame : m_frames) {
        if (frame != nullptr) {
            frame->KeepBelow(m_pPanel);
            if (inside) {
                frame->HandKeysTo(m_pPanel);
            }
        }
    }
    m_pPanelPlace = std::make_unique<CPanelPlace>(*m_pPanel, (*m_pMonitors)[m_chosen.front()]);
    GtkWidget* panel = static_cast<GtkWidget*>(m_pPanel->GetHandle());
    if (m_pWayland != nullptr && m_pWayland->TakesModalHint()) {
        CentreOnMonitorWhereCompositorPlaces(panel);
    }
    // Said once the intro is over: a logo that was there but refused, and
    // the pictures the fonts installed cannot draw exactly.
    const std::string appName = GetAppName().utf8_string();
    if (const std::string refusal = m_pMainWnd->TestWnd().LogoRefusal(); !refusal.empty()) {
        std::fprintf(stderr, "%s: %s\n", appName.c_str(), refusal.c_str());
    }
    for (const MissingFaceUse& use : FindMissingFaces()) {
        const std::string warning = DescribeMissingFace(use);
        std::fprintf(stderr, "%s: %s\n", appName.c_str(), warning.c_str());
        m_pPanel->ShowWarning(wxString::FromUTF8(warning));
    }
    if (!m_coverWarning.empty()) {
        m_pPanel->ShowWarning(m_coverWarning);
    }
}

void CTestApp::OnMonitorLeft(std::size_t monitorIndex) {
    for (std::size_t i = 0; i < m_chosen.size(); ++i) {
        CTestFrame* frame = m_frames[i];
        if (m_chosen[i] != monitorIndex || frame == nullptr) {
            continue;
        }
        m_frames[i] = nullptr;
        frame->Leave();
        // The panel's monitor is gone: the manager places it from now on.
        if (frame == m_pMainWnd) {
            m_pPanelPlace.reset();
        }
        // The leading window stays, hidden, as the panel's owner.
        if (frame != m_pMainWnd) {
            frame->Destroy();
        }
    }
    if (m_testWnds.IsEmpty()) {
        ExitMainLoop();
    }
}
