// SPDX-License-Identifier: MIT
// CPictureButton: a picture button of the control panel. It shows exactly one
// of its three 18 x 18 bitmaps and nothing else: "U" normally, "D" while it is
// pressed, "F" while it has the keyboard focus. It takes the focus from the
// keyboard and from clicks and sends a button command when a press by the
// mouse or by the Space key is released over it.
#pragma once

#include <array>

#include <wx/bitmap.h>
#include <wx/control.h>

class CPictureButton : public wxControl {
public:
    static constexpr int kSize = 18;

    // picture: 0..12, whose bitmaps the button shows.
    CPictureButton(wxWindow* parent, int id, const wxPoint& position, int picture);

    bool AcceptsFocus() const override { return true; }
    bool AcceptsFocusFromKeyboard() const override { return true; }
    // Which bitmap is shown now: 0 "U", 1 "D", 2 "F".
    int ShownState() const;

protected:
    wxSize DoGetBestSize() const override { return {kSize, kSize}; }

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnKeyUp(wxKeyEvent& event);
    void OnFocusChange(wxFocusEvent& event);
    void SendCommand();

    std::array<wxBitmap, 3> m_bitmaps;
    bool m_bMouseDown = false;
    bool m_bMouseInside = false;
    bool m_bSpaceDown = false;
};
