// SPDX-License-Identifier: MIT
#include "testwindow/TestWndGroup.h"

#include <algorithm>

void CTestWndGroup::Add(CTestWnd& wnd, ITestWndHost& host) {
    m_members.push_back({&wnd, &host});
    wnd.SetPanel(m_pPanel);
}

void CTestWndGroup::Remove(CTestWnd& wnd) {
    std::erase_if(m_members, [&wnd](const Member& m) { return m.wnd == &wnd; });
}

void CTestWndGroup::SetPanel(IPanel* panel) {
    m_pPanel = panel;
    for (const Member& m : m_members) {
        m.wnd->SetPanel(panel);
    }
}

void CTestWndGroup::SetPicture(BYTE index) {
    for (const Member& m : m_members) {
        m.wnd->SetPicture(index);
    }
}

void CTestWndGroup::SetResolution(BYTE level) {
    for (const Member& m : m_members) {
        m.wnd->SetResolution(level);
    }
}

void CTestWndGroup::SetColor(COLORREF color) {
    for (const Member& m : m_members) {
        m.wnd->SetColor(color);
    }
}

void CTestWndGroup::BringWindowToTop() {
    for (const Member& m : m_members) {
        m.host->BringWindowToTop();
    }
}

void CTestWndGroup::ShowPanel(bool show) {
    if (!m_members.empty()) {
        Lead().ShowPanel(show);
    }
}

int CTestWndGroup::ShowCursor(bool show) {
    return m_members.empty() ? 0 : m_members.front().host->ShowCursor(show);
}

void CTestWndGroup::OnLButtonDown() {
    if (!m_members.empty()) {
        Lead().OnLButtonDown();
    }
}

void CTestWndGroup::OnRButtonDown() {
    if (m_members.empty()) {
        return;
    }
    if (Lead().IsIntroRunning()) {
        Lead().OnRButtonDown();
        return;
    }
    for (const Member& m : m_members) {
        m.wnd->OnRButtonDown();
    }
}

void CTestWndGroup::OnKeyDown(TestWndKey key) {
    if (m_members.empty()) {
        return;
    }
    if (ActionOfKey(key) == KeyAction::kNextVariant && !Lead().IsIntroRunning()) {
        for (const Member& m : m_members) {
            m.wnd->OnKeyDown(key);
        }
        return;
    }
    Lead().OnKeyDown(key);
}
