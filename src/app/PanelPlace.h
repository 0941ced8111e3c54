// SPDX-License-Identifier: MIT
// CPanelPlace: puts the panel back on its monitor where an X11 window manager
// maps it on another one (the decision is PanelNeedsMove, desktop/CoverCheck.h).
// Each time the panel maps, once the manager has placed it, its place on the
// X server is compared with its monitor; a panel the user moves later is
// left where it is.
#pragma once

#include <functional>

#include <wx/event.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include "desktop/CoverCheck.h"
#include "desktop/MonitorChoice.h"
#include "panel/PanelDlg.h"

class CPanelPlace : public wxEvtHandler {
public:
    // panel: the program's panel; monitor: the one it belongs to (the leading
    // window's), which outlives this.
    CPanelPlace(CPanelDlg& panel, const MonitorInfo& monitor);
    ~CPanelPlace() override;
    CPanelPlace(const CPanelPlace&) = delete;
    CPanelPlace& operator=(const CPanelPlace&) = delete;

private:
    void Check();
    // Moves the panel to the centre of its monitor.
    void Centre();

    wxWeakRef<CPanelDlg> m_pPanel;
    const MonitorInfo& m_monitor;
    // The monitor in the X server's pixels.
    ScreenRect m_monitorOnServer;
    wxTimer m_timer;
    int m_nMoves = 0;
    // The check after the latest map is done: later moves are the user's.
    bool m_bSettled = false;
    bool m_bLeftByUser = false;
    // What GTK's map, configure and unmap events of the panel call.
    std::function<void()> m_onMap;
    std::function<void()> m_onConfigure;
    std::function<void()> m_onUnmap;
};
