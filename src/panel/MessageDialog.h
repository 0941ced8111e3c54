// SPDX-License-Identifier: MIT
// The program's modal message: the text, an OK button only, no icon, in the
// dialog colours, owned by the test window and captioned with the program's name.
#pragma once

#include <wx/dialog.h>

#include "panel/DialogColors.h"

class CMessageDialog : public wxDialog {
public:
    CMessageDialog(wxWindow* owner, const wxString& text, const wxString& caption,
                   const DialogColors& colors);
};
