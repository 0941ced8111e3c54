// SPDX-License-Identifier: MIT
// CTestWndGroup: the test windows of one run, one per monitor, driven in
// step. The panel and the input of every window talk to the group, which
// passes each call to every window in the same order, so that each window's
// own rules (a picture refused at its depth, the timer of the blinking
// picture) hold in each. The first window added leads: it plays the intro,
// and the panel and the cursor, which are one for all, follow its input.
#pragma once

#include <vector>

#include "testwindow/TestWnd.h"

class CTestWndGroup {
public:
    // A window and its host, which stay until Remove.
    void Add(CTestWnd& wnd, ITestWndHost& host);
    // A window that goes (its monitor left); the next one leads if it led.
    void Remove(CTestWnd& wnd);
    bool IsEmpty() const { return m_members.empty(); }
    CTestWnd& Lead() const { return *m_members.front().wnd; }

    // What the panel does to the test window, done to every window.
    void SetPanel(IPanel* panel);
    BYTE Picture() const { return Lead().Picture(); }
    void SetPicture(BYTE index);
    void SetResolution(BYTE level);
    void SetColor(COLORREF color);
    void BringWindowToTop();
    // Shows or hides the panel (and the cursor) through the lead, which
    // tells its listener.
    void ShowPanel(bool show);
    // The cursor is one for all windows: counted once, through the lead.
    int ShowCursor(bool show);

    // Input in any of the windows. The intro takes it while it runs; then a
    // variant step goes to every window, the rest to the lead, whose panel
    // choices reach every window through the panel.
    void OnLButtonDown();
    void OnRButtonDown();
    void OnKeyDown(TestWndKey key);

private:
    struct Member {
        CTestWnd* wnd;
        ITestWndHost* host;
    };
    std::vector<Member> m_members;
    IPanel* m_pPanel = nullptr;
};
