// SPDX-License-Identifier: MIT
// CMonitorWatch: tells which of the display's monitors leave while the
// program runs. The monitors are taken as ReadMonitors listed them, so a
// monitor that leaves is named by its index in that list; monitors that
// arrive later are not watched.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

class CMonitorWatch {
public:
    // Calls `left` with the index of each monitor that leaves, from the
    // toolkit's main loop, as long as the watch lives.
    explicit CMonitorWatch(std::function<void(std::size_t)> left);
    ~CMonitorWatch();
    CMonitorWatch(const CMonitorWatch&) = delete;
    CMonitorWatch& operator=(const CMonitorWatch&) = delete;

private:
    static void OnRemoved(void* display, void* monitor, void* self);

    std::function<void(std::size_t)> m_left;
    // The display's monitors at the start, each held by a reference.
    std::vector<void*> m_monitors;
    unsigned long m_nHandler = 0;
};
