// SPDX-License-Identifier: MIT
// CCursor: the mouse cursor over the program's test windows, with the
// display counter the test window, the intro and the panel count on: shown
// while the count is zero or more, hidden below zero. The one owner of the
// cursor's visibility; the test window's host passes its calls here.
#pragma once

#include <vector>

class wxWindow;

class CCursor {
public:
    // A window whose area takes the cursor's look (shown or blank).
    void AddWindow(wxWindow* window);
    // A window that goes: its look is no longer set.
    void RemoveWindow(wxWindow* window);
    // Raises (show) or lowers (hide) the count; returns the new count.
    int Show(bool show);

private:
    std::vector<wxWindow*> m_windows;
    int m_nCount = 0;
};
