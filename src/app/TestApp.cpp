// SPDX-License-Identifier: MIT
#include "app/TestApp.h"

#include "app/TestFrame.h"
#include "panel/PanelDlg.h"

namespace {

// The intro's logo, looked for in the current directory (the desktop entry
// starts the program in the logo's folder).
constexpr const char* kLogoFileName = "zynlogo.dta";

}  // namespace

void CTestApp::SetMonitor(const MonitorInfo& monitor, std::size_t index) {
    m_monitor = monitor;
    m_nMonitorIndex = index;
}

bool CTestApp::InitInstance() {
    SetDialogBkColor(wxColour(192, 192, 192), wxColour(0, 0, 0));
    // The program's name is the executable's name, as the toolkit takes it.
    m_pMainWnd =
        new CTestFrame(GetAppName(), m_dialogColors, m_monitor, static_cast<int>(m_nMonitorIndex));
    SetTopWindow(m_pMainWnd);
    CTestWnd& testWnd = m_pMainWnd->TestWnd();
    testWnd.SetPicture(static_cast<BYTE>(m_commandLine.picture));
    testWnd.SetLogoPath(m_commandLine.intro ? kLogoFileName : "");
    // The first paint plays the intro; the panel follows once it is over.
    m_pMainWnd->AfterIntro([this] { CreatePanel(); });
    m_pMainWnd->Show();
    m_pMainWnd->Raise();
    m_pMainWnd->Update();
    return true;
}

void CTestApp::SetDialogBkColor(const wxColour& background, const wxColour& text) {
    m_dialogColors = {background, text};
}

void CTestApp::CreatePanel() {
    // Owned by the test window: it lives until the program ends or goes
    // together with the test window.
    new CPanelDlg(m_pMainWnd, m_pMainWnd->TestWnd(), *m_pMainWnd, m_dialogColors);
}
