// SPDX-License-Identifier: MIT
#include "desktop/MonitorWatch.h"

#include <algorithm>

#include <gdk/gdk.h>

CMonitorWatch::CMonitorWatch(std::function<void(std::size_t)> left) : m_left(std::move(left)) {
    GdkDisplay* display = gdk_display_get_default();
    if (display == nullptr) {
        return;
    }
    for (int i = 0; i < gdk_display_get_n_monitors(display); ++i) {
        m_monitors.push_back(g_object_ref(gdk_display_get_monitor(display, i)));
    }
    m_nHandler =
        g_signal_connect(display, "monitor-removed", G_CALLBACK(&CMonitorWatch::OnRemoved), this);
}

CMonitorWatch::~CMonitorWatch() {
    if (m_nHandler != 0) {
        g_signal_handler_disconnect(gdk_display_get_default(), m_nHandler);
    }
    for (void* monitor : m_monitors) {
        g_object_unref(monitor);
    }
}

void CMonitorWatch::OnRemoved(void* /*display*/, void* monitor, void* self) {
    auto* watch = static_cast<CMonitorWatch*>(self);
    const auto found = std::find(watch->m_monitors.begin(), watch->m_monitors.end(), monitor);
    if (found != watch->m_monitors.end()) {
        watch->m_left(static_cast<std::size_t>(found - watch->m_monitors.begin()));
    }
}
