// SPDX-License-Identifier: MIT
// CPanelDlg: the control panel, a modeless dialog owned by the leading test
// window. It passes every choice at once to the test windows' setters (one
// window per monitor, driven in step) and enables the option groups that the
// chosen picture uses.
#pragma once

#include <array>

#include "testwindow/TestWndGroup.h"
#include "testwindow/TestWndHost.h"

#include <wx/choice.h>
#include <wx/dialog.h>

#include "panel/DialogColors.h"
#include "panel/PanelTemplate.h"
#include "panel/PictureButton.h"

class CPanelDlg : public wxDialog, public IPanel {
public:
    // Creates the dialog from its template above `owner` (the leading test
    // window, whose monitor it is centred on), initialises it and shows it.
    // The windows outlive the panel.
    CPanelDlg(wxWindow* owner, CTestWndGroup& testWnds, const DialogColors& colors);
    ~CPanelDlg() override;

    void OnSelchangePicture();
    bool OnPictureButton(int id);
    bool OnResolution(int id);
    bool OnColorCheck(int id);
    // Hides the panel, raises the test windows and hides the cursor.
    void OnFullScreen() override;
    void SelectPicture(int picture) override;
    void SelectResolution(int level) override;
    void SelectGuns(bool red, bool green, bool blue) override;
    // Destroys the panel and ends the program with exit status 0.
    void OnCancel();

    bool IsWindowVisible() const override { return IsShown(); }
    void ShowWindow(bool show) override { Show(show); }
    void BringWindowToTop() override { Raise(); }

    // A line of warning under the controls (the panel grows to hold it and
    // stays centred on the monitor).
    void ShowWarning(const wxString& text);

    wxChoice* PictureList() const { return m_pList; }
    CPictureButton* PictureButton(int picture) const { return m_buttons[picture]; }

private:
    void CreateControls(const DialogColors& colors);
    bool OnInitDialog();
    void CentreOnMonitor();
    void OnButton(wxCommandEvent& event);
    void OnRadio(wxCommandEvent& event);
    void OnCheck(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);
    bool IsChecked(int id) const;
    void EnableGroup(const std::array<int, 4>& ids, bool enable);

    std::array<CPictureButton*, panel::kPictureCount> m_buttons{};
    CTestWndGroup& m_testWnds;
    wxChoice* m_pList = nullptr;
};
