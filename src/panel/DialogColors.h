// SPDX-License-Identifier: MIT
// The colours of the program's dialogs (the panel and the message box): set
// once by the application at start-up (CTestApp::SetDialogBkColor, their one
// owner) and applied to each dialog it creates.
#pragma once

#include <wx/colour.h>
#include <wx/window.h>

struct DialogColors {
    wxColour background;
    wxColour text;
};

// Gives the dialog its background colour and the text of its controls the
// text colour (grey while a control is disabled). Call it after the
// controls exist.
void ApplyDialogColors(wxWindow* dialog, const DialogColors& colors);
