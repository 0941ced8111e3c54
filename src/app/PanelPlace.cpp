// SPDX-License-Identifier: MIT
#include "app/PanelPlace.h"

#include <optional>

#include <gtk/gtk.h>

#include "app/EventCall.h"
#include "desktop/WindowCover.h"
#include "panel/PanelTemplate.h"

namespace {

// The manager places a window in a few events: the check waits this long
// after the map, and after its own request.
constexpr int kPlaceSettleMs = 250;
constexpr int kPlaceRequestMs = 400;

GtkWidget* WidgetOf(CPanelDlg& panel) {
    return static_cast<GtkWidget*>(panel.GetHandle());
}

}  // namespace

CPanelPlace::CPanelPlace(CPanelDlg& panel, const MonitorInfo& monitor)
    : m_pPanel(&panel),
      m_monitor(monitor),
      m_monitorOnServer{monitor.x, monitor.y, monitor.Width(), monitor.Height()},
      m_timer(this) {
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Check(); });
    m_onMap = [this] {
        m_bSettled = false;
        m_nMoves = 0;
        m_timer.StartOnce(kPlaceSettleMs);
    };
    m_onConfigure = [this] {
        if (m_bSettled && m_pPanel) {
            const std::optional<ScreenRect> shown = WindowOnScreen(WidgetOf(*m_pPanel));
            // Off its monitor: moved there by the user (or where the
            // manager kept it), who finds it there when it shows again.
            m_bLeftByUser = shown && PanelNeedsMove({m_monitorOnServer, *shown});
        }
    };
    m_onUnmap = [this] { m_bSettled = false; };
    GtkWidget* widget = WidgetOf(panel);
    g_signal_connect(widget, "map-event", G_CALLBACK(RunEventCall), &m_onMap);
    g_signal_connect(widget, "configure-event", G_CALLBACK(RunEventCall), &m_onConfigure);
    g_signal_connect(widget, "unmap-event", G_CALLBACK(RunEventCall), &m_onUnmap);
    // The panel centres itself on the monitor the toolkit finds its owner on,
    // which may be where the manager first put that window.
    Centre();
    if (gtk_widget_get_mapped(widget)) {
        m_onMap();
    }
}

void CPanelPlace::Centre() {
    const wxSize client = m_pPanel->GetClientSize();
    const POINT origin =
        panel::CentredOrigin(m_monitor.logicalWidth, m_monitor.logicalHeight, client.x, client.y);
    m_pPanel->Move(m_monitor.logicalX + origin.x, m_monitor.logicalY + origin.y);
}

CPanelPlace::~CPanelPlace() {
    m_timer.Stop();
    if (m_pPanel) {
        for (void* call : {&m_onMap, &m_onConfigure, &m_onUnmap}) {
            g_signal_handlers_disconnect_by_data(WidgetOf(*m_pPanel), call);
        }
    }
}

void CPanelPlace::Check() {
    if (!m_pPanel) {
        return;
    }
    GtkWidget* widget = WidgetOf(*m_pPanel);
    const std::optional<WindowManagerFacts> manager = ReadWindowManager(widget);
    const std::optional<ScreenRect> shown = WindowOnScreen(widget);
    // Only an X11 window manager places the panel against the program's
    // request; on Wayland no client can place a window.
    if (!manager || !manager->x11 || !manager->managed || !shown ||
        !gtk_widget_get_mapped(widget)) {
        return;
    }
    const PanelPlaceFacts facts{m_monitorOnServer, *shown, m_bLeftByUser, m_nMoves};
    if (PanelNeedsMove(facts)) {
        ++m_nMoves;
        // Moved onto its monitor, i3 takes the panel to that output's
        // workspace; presented, it gets the keyboard there.
        Centre();
        m_pPanel->Raise();
        m_timer.StartOnce(kPlaceRequestMs);
        return;
    }
    m_bSettled = true;
}
