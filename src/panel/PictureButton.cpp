// SPDX-License-Identifier: MIT
#include "panel/PictureButton.h"

#include <wx/dcclient.h>

#include "panel/ButtonBitmaps.h"

namespace {

constexpr int kUp = static_cast<int>(panel::ButtonState::Up);
constexpr int kDown = static_cast<int>(panel::ButtonState::Down);
constexpr int kFocused = static_cast<int>(panel::ButtonState::Focused);

}  // namespace

CPictureButton::CPictureButton(wxWindow* parent, int id, const wxPoint& position, int picture)
    : wxControl(parent, id, position, wxSize(kSize, kSize), wxBORDER_NONE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    for (int state = 0; state < 3; ++state) {
        m_bitmaps[state] = wxBitmap(panel::kButtonBitmaps[picture][state]);
    }
    SetMinSize(wxSize(kSize, kSize));
    Bind(wxEVT_PAINT, &CPictureButton::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CPictureButton::OnLeftDown, this);
    // The second click of a quick pair arrives as a double click: a press too.
    Bind(wxEVT_LEFT_DCLICK, &CPictureButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CPictureButton::OnLeftUp, this);
    Bind(wxEVT_MOTION, &CPictureButton::OnMotion, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CPictureButton::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &CPictureButton::OnKeyDown, this);
    Bind(wxEVT_KEY_UP, &CPictureButton::OnKeyUp, this);
    Bind(wxEVT_SET_FOCUS, &CPictureButton::OnFocusChange, this);
    Bind(wxEVT_KILL_FOCUS, &CPictureButton::OnFocusChange, this);
}

int CPictureButton::ShownState() const {
    if ((m_bMouseDown && m_bMouseInside) || m_bSpaceDown) {
        return kDown;
    }
    return HasFocus() ? kFocused : kUp;
}

void CPictureButton::OnPaint(wxPaintEvent& /*event*/) {
    wxPaintDC dc(this);
    dc.DrawBitmap(m_bitmaps[ShownState()], 0, 0);
}

void CPictureButton::OnLeftDown(wxMouseEvent& /*event*/) {
    SetFocus();
    if (!HasCapture()) {
        CaptureMouse();
    }
    m_bMouseDown = true;
    m_bMouseInside = true;
    Refresh(false);
}

void CPictureButton::OnLeftUp(wxMouseEvent& /*event*/) {
    if (!m_bMouseDown) {
        return;
    }
    const bool inside = m_bMouseInside;
    m_bMouseDown = false;
    if (HasCapture()) {
        ReleaseMouse();
    }
    Refresh(false);
    if (inside) {
        SendCommand();
    }
}

void CPictureButton::OnMotion(wxMouseEvent& event) {
    if (!m_bMouseDown) {
        return;
    }
    const bool inside = GetClientRect().Contains(event.GetPosition());
    if (inside != m_bMouseInside) {
        m_bMouseInside = inside;
        Refresh(false);
    }
}

void CPictureButton::OnCaptureLost(wxMouseCaptureLostEvent& /*event*/) {
    m_bMouseDown = false;
    Refresh(false);
}

void CPictureButton::OnKeyDown(wxKeyEvent& event) {
    if (event.GetKeyCode() != WXK_SPACE) {
        event.Skip();
        return;
    }
    if (!m_bSpaceDown) {
        m_bSpaceDown = true;
        Refresh(false);
    }
}

void CPictureButton::OnKeyUp(wxKeyEvent& event) {
    if (event.GetKeyCode() != WXK_SPACE || !m_bSpaceDown) {
        event.Skip();
        return;
    }
    m_bSpaceDown = false;
    Refresh(false);
    SendCommand();
}

void CPictureButton::OnFocusChange(wxFocusEvent& event) {
    // A press held with Space ends without a command when the focus goes.
    if (event.GetEventType() == wxEVT_KILL_FOCUS) {
        m_bSpaceDown = false;
    }
    Refresh(false);
    event.Skip();
}

void CPictureButton::SendCommand() {
    wxCommandEvent command(wxEVT_BUTTON, GetId());
    command.SetEventObject(this);
    ProcessWindowEvent(command);
}
