// SPDX-License-Identifier: MIT
#include "panel/MessageDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

CMessageDialog::CMessageDialog(wxWindow* owner, const wxString& text, const wxString& caption,
                               const DialogColors& colors)
    : wxDialog(owner, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, text), wxSizerFlags().Border(wxALL, 16));
    auto* ok = new wxButton(this, wxID_OK, "OK");
    sizer->Add(ok, wxSizerFlags().Center().Border(wxLEFT | wxRIGHT | wxBOTTOM, 12));
    SetSizerAndFit(sizer);
    ApplyDialogColors(this, colors);
    SetEscapeId(wxID_OK);
    ok->SetDefault();
    CentreOnParent();
}
