// The test window and the panel first: they bring the software display's
// types before the toolkit defines TRUE and FALSE as macros.
#include "app/TestFrame.h"
#include "panel/PanelDlg.h"

#include "app/TestApp.h"

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
    if (!m_commandLine.intro) {
        testWnd.SetLogoPath("");
    }
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
