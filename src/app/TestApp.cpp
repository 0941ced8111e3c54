#include "app/TestApp.h"

#include "app/TestFrame.h"
#include "panel/PanelDlg.h"

wxIMPLEMENT_APP(CTestApp);

bool CTestApp::InitInstance() {
    SetDialogBkColor(wxColour(192, 192, 192), wxColour(0, 0, 0));
    // The program's name is the executable's name, as the toolkit takes it.
    m_pMainWnd = new CTestFrame(GetAppName(), m_dialogColors);
    SetTopWindow(m_pMainWnd);
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
