// SPDX-License-Identifier: MIT
#include "app/TestApp.h"

#include <csignal>
#include <cstdio>

#include <glib-unix.h>

#include "app/TestFrame.h"
#include "desktop/WindowLayer.h"
#include "panel/PanelDlg.h"
#include "present/Presentation.h"

namespace {

// The intro's logo, looked for in the current directory (the desktop entry
// starts the program in the logo's folder).
constexpr const char* kLogoFileName = "zynlogo.dta";

}  // namespace

void CTestApp::SetDesktop(std::unique_ptr<CWaylandDesktop> wayland, const MonitorInfo& monitor,
                          std::size_t index, int bitsPerPixel) {
    m_pWayland = std::move(wayland);
    m_pMonitor = &monitor;
    m_nMonitorIndex = index;
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
    Presentation presentation = MakePresentation(*m_pMonitor, m_nBitsPerPixel, m_pWayland.get());
    // The program's name is the executable's name, as the toolkit takes it.
    const std::string appName = GetAppName().utf8_string();
    if (!presentation.bufferFailure.empty()) {
        std::fprintf(stderr, "%s: %s\n", appName.c_str(), presentation.bufferFailure.c_str());
    }
    if (presentation.scaledByDesktop) {
        std::fprintf(stderr, "%s: %s\n", appName.c_str(), kScaledByDesktopNote);
    }
    m_pMainWnd =
        new CTestFrame(GetAppName(), m_dialogColors, *m_pMonitor, static_cast<int>(m_nMonitorIndex),
                       std::move(presentation), m_cursor);
    SetTopWindow(m_pMainWnd);
    CTestWnd& testWnd = m_pMainWnd->TestWnd();
    testWnd.SetPicture(static_cast<BYTE>(m_commandLine.picture));
    testWnd.SetLogoPath(m_commandLine.intro ? kLogoFileName : "");
    // The first paint plays the intro; the panel follows once it is over.
    m_pMainWnd->AfterIntro([this] { CreatePanel(); });
    if (m_pRemote != nullptr) {
        m_pRemote->Serve(testWnd, m_pMainWnd->Store(),
                         {{static_cast<std::uint32_t>(m_nMonitorIndex), m_pMonitor->name}},
                         [this] { ExitMainLoop(); });
    }
    m_pMainWnd->OnCoverWarning([this](const std::string& warning) {
        m_coverWarning = wxString::FromUTF8(warning);
        if (m_pPanel) {
            m_pPanel->ShowWarning(m_coverWarning);
        }
    });
    m_pMainWnd->Show();
    m_pMainWnd->Raise();
    m_pMainWnd->Update();
    return true;
}

int CTestApp::OnExit() {
    m_pRemote.reset();
    return wxApp::OnExit();
}

void CTestApp::SetDialogBkColor(const wxColour& background, const wxColour& text) {
    m_dialogColors = {background, text};
}

void CTestApp::CreatePanel() {
    // Owned by the test window: it lives until the program ends or goes
    // together with the test window.
    m_pPanel = new CPanelDlg(m_pMainWnd, m_pMainWnd->TestWnd(), *m_pMainWnd, m_dialogColors);
    m_pMainWnd->KeepBelow(m_pPanel);
    CentreOnParentWhereCompositorPlaces(static_cast<GtkWidget*>(m_pPanel->GetHandle()));
    if (!m_coverWarning.empty()) {
        m_pPanel->ShowWarning(m_coverWarning);
    }
}
