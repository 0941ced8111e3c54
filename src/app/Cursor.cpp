// SPDX-License-Identifier: MIT
#include "app/Cursor.h"

#include <wx/cursor.h>
#include <wx/window.h>

void CCursor::AddWindow(wxWindow* window) {
    m_windows.push_back(window);
    if (m_nCount < 0) {
        window->SetCursor(wxCursor(wxCURSOR_BLANK));
    }
}

void CCursor::RemoveWindow(wxWindow* window) {
    std::erase(m_windows, window);
}

int CCursor::Show(bool show) {
    const bool wasHidden = m_nCount < 0;
    m_nCount += show ? 1 : -1;
    const bool hidden = m_nCount < 0;
    if (hidden != wasHidden) {
        const wxCursor cursor = hidden ? wxCursor(wxCURSOR_BLANK) : wxNullCursor;
        for (wxWindow* window : m_windows) {
            window->SetCursor(cursor);
        }
    }
    return m_nCount;
}
