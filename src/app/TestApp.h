// CTestApp: starts the desktop program. Dialog colours first, then the
// full-screen test window and its first paint (with the intro, when the logo
// file is there), then the control panel.
#pragma once

#include <wx/app.h>

#include "panel/DialogColors.h"

class CTestFrame;

class CTestApp : public wxApp {
public:
    bool OnInit() override { return InitInstance(); }
    bool InitInstance();

private:
    void SetDialogBkColor(const wxColour& background, const wxColour& text);
    // The step after the intro: the panel comes up above the first picture.
    void CreatePanel();

    DialogColors m_dialogColors;
    CTestFrame* m_pMainWnd = nullptr;
};

wxDECLARE_APP(CTestApp);
