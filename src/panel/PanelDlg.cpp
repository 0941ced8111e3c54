// SPDX-License-Identifier: MIT
#include "panel/PanelDlg.h"

#include <algorithm>
#include <string>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/display.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "panel/InsideOwner.h"
#include "panel/PanelTemplate.h"
#include "testwindow/Strings.h"

namespace {

wxString FromUtf8(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

wxRect ToRect(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

CPanelDlg::CPanelDlg(wxWindow* owner, CTestWndGroup& testWnds, const DialogColors& colors,
                     bool insideOwner)
    : m_testWnds(testWnds), m_bInsideOwner(insideOwner) {
    // The toolkit builds a top-level window in the widget it finds there, if any.
    if (insideOwner) {
        m_widget = NewWindowInsideParent(std::string(panel::kCaption).c_str());
    }
    Create(owner, wxID_ANY, FromUtf8(panel::kCaption), wxPoint(0, 0), wxDefaultSize,
           wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    CreateControls(colors);
    Bind(
        wxEVT_CHOICE, [this](wxCommandEvent&) { OnSelchangePicture(); }, panel::kIdPictureList);
    Bind(wxEVT_BUTTON, &CPanelDlg::OnButton, this);
    Bind(wxEVT_RADIOBUTTON, &CPanelDlg::OnRadio, this);
    Bind(wxEVT_CHECKBOX, &CPanelDlg::OnCheck, this);
    Bind(wxEVT_CHAR_HOOK, &CPanelDlg::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &CPanelDlg::OnClose, this);
    OnInitDialog();
    Show();
    // The first control of the tab order starts with the focus.
    m_pList->SetFocus();
}

CPanelDlg::~CPanelDlg() {
    m_testWnds.SetPanel(nullptr);
}

void CPanelDlg::CreateControls(const DialogColors& colors) {
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetPointSize(panel::kFontPoints);
    SetFont(font);
    const panel::BaseUnits base = panel::BaseUnitsOf(
        GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz").x, GetCharHeight());
    const RECT client =
        panel::DialogToPixels(0, 0, panel::kDialogWidthDu, panel::kDialogHeightDu, base);
    SetClientSize(client.right, client.bottom);

    bool firstRadio = true;
    for (const panel::ControlTemplate& control : panel::kControls) {
        const wxRect r =
            ToRect(panel::DialogToPixels(control.x, control.y, control.w, control.h, base));
        const wxString text = FromUtf8(control.text);
        switch (control.kind) {
            case panel::ControlKind::DropDownList:
                // The template's height includes the open list; closed it
                // takes the list's own height.
                m_pList = new wxChoice(this, control.id, r.GetPosition(),
                                       wxSize(r.width, wxDefaultCoord));
                break;
            case panel::ControlKind::PictureButton: {
                const int picture = panel::PictureOfButton(control.id);
                m_buttons[picture] = new CPictureButton(this, control.id, r.GetPosition(), picture);
                break;
            }
            case panel::ControlKind::GroupBox:
                new wxStaticBox(this, control.id, text, r.GetPosition(), r.GetSize());
                break;
            case panel::ControlKind::CheckBox:
                new wxCheckBox(this, control.id, text, r.GetPosition(), r.GetSize());
                break;
            case panel::ControlKind::RadioButton:
                new wxRadioButton(this, control.id, text, r.GetPosition(), r.GetSize(),
                                  firstRadio ? wxRB_GROUP : 0);
                firstRadio = false;
                break;
            case panel::ControlKind::PushButton:
                new wxButton(this, control.id, text, r.GetPosition(), r.GetSize());
                break;
        }
    }
    ApplyDialogColors(this, colors);
    // The list takes its own height as the dialog's look leaves it. Closed,
    // it may not reach the row of picture buttons below it: where it would,
    // it moves up by the difference and keeps its width and left edge.
    m_pList->InvalidateBestSize();
    const int height = m_pList->GetBestSize().y;
    const int buttonsTop = m_buttons[0]->GetPosition().y;
    const wxPoint listAt = m_pList->GetPosition();
    m_pList->SetSize(listAt.x, std::min(listAt.y, buttonsTop - height), m_pList->GetSize().x,
                     height);
}

bool CPanelDlg::OnInitDialog() {
    m_testWnds.SetPanel(this);

    CentreOnMonitor();

    for (int stringId : panel::kListStringIds) {
        m_pList->Append(wxString::FromUTF8(kPictureNames[stringId - 1]));
    }
    // The picture the test windows start with (0 unless the command line
    // chose another).
    m_pList->SetSelection(m_testWnds.Picture());
    OnSelchangePicture();

    wxStaticCast(FindWindow(panel::kIdMedium), wxRadioButton)->SetValue(true);
    m_testWnds.SetResolution(1);
    m_testWnds.SetColor(0xFFFFFF);
    return true;
}

void CPanelDlg::CentreOnMonitor() {
    if (m_bInsideOwner) {
        return;
    }
    // The screen is the monitor the test window covers: the panel is centred
    // on it, from its origin.
    const wxRect screen = wxDisplay(GetParent()).GetGeometry();
    const wxSize client = GetClientSize();
    const POINT origin = panel::CentredOrigin(screen.width, screen.height, client.x, client.y);
    Move(screen.x + origin.x, screen.y + origin.y);
}

bool CPanelDlg::Show(bool show) {
    if (!m_bInsideOwner || show == IsShown() ||
        !ShowInsideParent(static_cast<GtkWidget*>(GetHandle()), show)) {
        return wxDialog::Show(show);
    }
    m_isShown = show;
    return true;
}

void CPanelDlg::ShowWarning(const wxString& text) {
    const wxSize client = GetClientSize();
    const int margin = GetCharHeight() / 2;
    auto* line = new wxStaticText(this, wxID_ANY, text, wxPoint(margin, client.y));
    line->SetForegroundColour(*wxRED);
    // The toolkit's label may come out wider than the width it was wrapped
    // to: narrower wraps until it fits (down to half the panel at most).
    const int width = client.x - 2 * margin;
    for (int wrap = width; wrap > width / 2; wrap -= margin) {
        line->SetLabel(text);
        line->Wrap(wrap);
        line->InvalidateBestSize();
        if (line->GetBestSize().x <= width) {
            break;
        }
    }
    line->SetSize(line->GetBestSize());
    SetClientSize(client.x, client.y + line->GetSize().y + margin);
    CentreOnMonitor();
}

void CPanelDlg::OnSelchangePicture() {
    const int i = m_pList->GetSelection();
    if (i < 0 || i >= panel::kPictureCount) {
        return;
    }
    m_testWnds.SetPicture(static_cast<BYTE>(i));
    EnableGroup(panel::kResolutionGroupIds, panel::kResolutionGroupTable[i] == 1);
    EnableGroup(panel::kColorGroupIds, panel::kColorGroupTable[i] == 1);
}

bool CPanelDlg::OnPictureButton(int id) {
    const int picture = panel::PictureOfButton(id);
    if (picture < 0) {
        return false;
    }
    m_pList->SetSelection(picture);
    OnSelchangePicture();
    return true;
}

void CPanelDlg::SelectPicture(int picture) {
    if (picture < 0 || picture >= panel::kPictureCount) {
        return;
    }
    m_pList->SetSelection(picture);
    OnSelchangePicture();
}

void CPanelDlg::SelectResolution(int level) {
    for (int id : {panel::kIdHigh, panel::kIdMedium, panel::kIdLow}) {
        if (panel::ResolutionOfRadio(id) == level) {
            wxStaticCast(FindWindow(id), wxRadioButton)->SetValue(true);
            OnResolution(id);
        }
    }
}

void CPanelDlg::SelectGuns(bool red, bool green, bool blue) {
    wxStaticCast(FindWindow(panel::kIdRed), wxCheckBox)->SetValue(red);
    wxStaticCast(FindWindow(panel::kIdGreen), wxCheckBox)->SetValue(green);
    wxStaticCast(FindWindow(panel::kIdBlue), wxCheckBox)->SetValue(blue);
    OnColorCheck(panel::kIdRed);
}

bool CPanelDlg::OnResolution(int id) {
    const int level = panel::ResolutionOfRadio(id);
    if (level < 0) {
        return false;
    }
    m_testWnds.SetResolution(static_cast<BYTE>(level));
    return true;
}

bool CPanelDlg::OnColorCheck(int /*id*/) {
    m_testWnds.SetColor(panel::GunColor(IsChecked(panel::kIdRed), IsChecked(panel::kIdGreen),
                                        IsChecked(panel::kIdBlue)));
    return true;
}

void CPanelDlg::OnFullScreen() {
    Hide();
    m_testWnds.BringWindowToTop();
    m_testWnds.ShowCursor(false);
}

void CPanelDlg::OnCancel() {
    Destroy();
    if (wxTheApp != nullptr) {
        wxTheApp->ExitMainLoop();
    }
}

void CPanelDlg::OnButton(wxCommandEvent& event) {
    if (event.GetId() == panel::kIdFullScreen) {
        // Through the leading test window, which tells its listener.
        m_testWnds.ShowPanel(false);
    } else if (!OnPictureButton(event.GetId())) {
        event.Skip();
    }
}

void CPanelDlg::OnRadio(wxCommandEvent& event) {
    if (!OnResolution(event.GetId())) {
        event.Skip();
    }
}

void CPanelDlg::OnCheck(wxCommandEvent& event) {
    const int id = event.GetId();
    if (id == panel::kIdRed || id == panel::kIdGreen || id == panel::kIdBlue) {
        OnColorCheck(id);
    } else {
        event.Skip();
    }
}

void CPanelDlg::OnCharHook(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case WXK_ESCAPE:
            OnCancel();
            break;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            // Return hides the panel the way "Volles Bild" does, cursor
            // included, so the cursor's display counter stays balanced.
            m_testWnds.ShowPanel(false);
            break;
        default:
            event.Skip();
            break;
    }
}

void CPanelDlg::OnClose(wxCloseEvent& /*event*/) {
    OnCancel();
}

bool CPanelDlg::IsChecked(int id) const {
    return wxStaticCast(FindWindow(id), wxCheckBox)->GetValue();
}

void CPanelDlg::EnableGroup(const std::array<int, 4>& ids, bool enable) {
    for (int id : ids) {
        FindWindow(id)->Enable(enable);
    }
}
