// SPDX-License-Identifier: MIT
#include "app/SharedTimers.h"

#include <algorithm>
#include <climits>

#include "testwindow/TestWnd.h"

CSharedTimers::CSharedTimers() {
    Bind(wxEVT_TIMER, &CSharedTimers::OnTimerEvent, this);
}

CSharedTimers::~CSharedTimers() {
    for (auto& [id, entry] : m_timers) {
        entry.timer->Stop();
    }
}

unsigned CSharedTimers::Start(CTestWnd& wnd, unsigned eventId, unsigned periodMs) {
    const unsigned timerId = eventId + 1;
    Timer& entry = m_timers[timerId];
    if (entry.timer == nullptr) {
        entry.timer = std::make_unique<wxTimer>(this, static_cast<int>(timerId % INT_MAX));
    }
    const bool joined =
        std::find(entry.windows.begin(), entry.windows.end(), &wnd) != entry.windows.end();
    if (!joined) {
        entry.windows.push_back(&wnd);
    }
    if (joined || !entry.timer->IsRunning()) {
        if (!entry.timer->Start(static_cast<int>(std::min<unsigned>(periodMs, INT_MAX)))) {
            std::erase(entry.windows, &wnd);
            return 0;
        }
    }
    return timerId;
}

void CSharedTimers::Stop(CTestWnd& wnd, unsigned timerId) {
    const auto found = m_timers.find(timerId);
    if (found == m_timers.end()) {
        return;
    }
    std::erase(found->second.windows, &wnd);
    if (found->second.windows.empty()) {
        found->second.timer->Stop();
    }
}

void CSharedTimers::Forget(CTestWnd& wnd) {
    for (auto& [id, entry] : m_timers) {
        Stop(wnd, id);
    }
}

void CSharedTimers::OnTimerEvent(wxTimerEvent& event) {
    for (auto& [id, entry] : m_timers) {
        if (entry.timer.get() == &event.GetTimer()) {
            for (CTestWnd* wnd : entry.windows) {
                wnd->OnTimer();
            }
        }
    }
}
