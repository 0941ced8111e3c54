// SPDX-License-Identifier: MIT
// CTestApp: starts the desktop program. Dialog colours first, then a
// full-screen test window on each chosen monitor and their first paint (the
// intro on the leading one, when the logo file is there and the command line
// allows it; the others black meanwhile), then the control panel, one for
// all windows, on the leading window's monitor.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include <wx/app.h>
#include <wx/string.h>
#include <wx/weakref.h>

#include "app/CommandLine.h"
#include "app/Cursor.h"
#include "app/PanelPlace.h"
#include "app/SharedTimers.h"
#include "desktop/MonitorChoice.h"
#include "desktop/MonitorWatch.h"
#include "desktop/WaylandDesktop.h"
#include "panel/DialogColors.h"
#include "panel/PanelDlg.h"
#include "remote/RemoteService.h"
#include "testwindow/TestWndGroup.h"

class CTestFrame;

class CTestApp : public wxApp {
public:
    // The start state comes from the command line; the desktop's facts are
    // given once the display is open, before OnInit.
    explicit CTestApp(const CommandLine& commandLine) : m_commandLine(commandLine) {}
    // monitors: the display's monitors, which outlive the application;
    // chosen: the indices of those to cover, the leading one first.
    // wayland: the Wayland connection (null off Wayland), which the
    // application keeps until its windows are gone.
    void SetDesktop(std::unique_ptr<CWaylandDesktop> wayland,
                    const std::vector<MonitorInfo>& monitors, std::vector<std::size_t> chosen,
                    int bitsPerPixel);

    // The remote control, with its name on the bus (null: none); it serves
    // the test window once that exists, and goes before the windows do.
    void SetRemote(std::unique_ptr<CRemoteService> remote) { m_pRemote = std::move(remote); }

    bool OnInit() override { return InitInstance(); }
    bool InitInstance();
    int OnExit() override;

private:
    void SetDialogBkColor(const wxColour& background, const wxColour& text);
    CTestFrame* CreateFrame(std::size_t monitorIndex);
    // The step after the intro: the other windows show their picture, and
    // the panel comes up above the leading one.
    void CreatePanel();
    // A monitor left: its window closes, the others go on; with none left
    // the program ends.
    void OnMonitorLeft(std::size_t monitorIndex);

    CommandLine m_commandLine;
    std::unique_ptr<CWaylandDesktop> m_pWayland;
    const std::vector<MonitorInfo>* m_pMonitors = nullptr;
    std::vector<std::size_t> m_chosen;
    int m_nBitsPerPixel = 0;
    DialogColors m_dialogColors;
    CCursor m_cursor;
    CSharedTimers m_timers;
    CTestWndGroup m_testWnds;
    // The windows in the order of m_chosen; null once a window has gone.
    std::vector<CTestFrame*> m_frames;
    // The leading window, which owns the panel.
    CTestFrame* m_pMainWnd = nullptr;
    std::unique_ptr<CMonitorWatch> m_pMonitorWatch;
    std::unique_ptr<CRemoteService> m_pRemote;
    // The panel while it is up (cleared when it goes), and the warning it
    // shows when the test window does not cover its monitor.
    wxWeakRef<CPanelDlg> m_pPanel;
    // Keeps the panel on the leading window's monitor while that is there.
    std::unique_ptr<CPanelPlace> m_pPanelPlace;
    wxString m_coverWarning;
};
