// SPDX-License-Identifier: MIT
// CTestApp: starts the desktop program. Dialog colours first, then the
// full-screen test window on the chosen monitor and its first paint (with the
// intro, when the logo file is there and the command line allows it), then
// the control panel.
#pragma once

#include <cstddef>
#include <memory>

#include <wx/app.h>
#include <wx/string.h>
#include <wx/weakref.h>

#include "app/CommandLine.h"
#include "app/Cursor.h"
#include "desktop/MonitorChoice.h"
#include "desktop/WaylandDesktop.h"
#include "panel/DialogColors.h"
#include "remote/RemoteService.h"
#include "panel/PanelDlg.h"

class CTestFrame;

class CTestApp : public wxApp {
public:
    // The start state comes from the command line; the desktop's facts are
    // given once the display is open, before OnInit.
    explicit CTestApp(const CommandLine& commandLine) : m_commandLine(commandLine) {}
    // monitor: the one to cover, the index-th of the display; it outlives
    // the application. wayland: the Wayland connection (null off Wayland),
    // which the application keeps until its windows are gone.
    void SetDesktop(std::unique_ptr<CWaylandDesktop> wayland, const MonitorInfo& monitor,
                    std::size_t index, int bitsPerPixel);

    // The remote control, with its name on the bus (null: none); it serves
    // the test window once that exists, and goes before the windows do.
    void SetRemote(std::unique_ptr<CRemoteService> remote) { m_pRemote = std::move(remote); }

    bool OnInit() override { return InitInstance(); }
    bool InitInstance();
    int OnExit() override;

private:
    void SetDialogBkColor(const wxColour& background, const wxColour& text);
    // The step after the intro: the panel comes up above the first picture.
    void CreatePanel();

    CommandLine m_commandLine;
    std::unique_ptr<CWaylandDesktop> m_pWayland;
    const MonitorInfo* m_pMonitor = nullptr;
    std::size_t m_nMonitorIndex = 0;
    int m_nBitsPerPixel = 0;
    DialogColors m_dialogColors;
    CCursor m_cursor;
    CTestFrame* m_pMainWnd = nullptr;
    std::unique_ptr<CRemoteService> m_pRemote;
    // The panel while it is up (cleared when it goes), and the warning it
    // shows when the test window does not cover its monitor.
    wxWeakRef<CPanelDlg> m_pPanel;
    wxString m_coverWarning;
};
