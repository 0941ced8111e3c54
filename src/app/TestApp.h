// SPDX-License-Identifier: MIT
// CTestApp: starts the desktop program. Dialog colours first, then the
// full-screen test window on the chosen monitor and its first paint (with the
// intro, when the logo file is there and the command line allows it), then
// the control panel.
#pragma once

#include <cstddef>

#include <wx/app.h>

#include "app/CommandLine.h"
#include "app/MonitorChoice.h"
#include "panel/DialogColors.h"

class CTestFrame;

class CTestApp : public wxApp {
public:
    // The start state comes from the command line; the monitor to cover is
    // set once the display is open, before OnInit.
    explicit CTestApp(const CommandLine& commandLine) : m_commandLine(commandLine) {}
    void SetMonitor(const MonitorInfo& monitor, std::size_t index);

    bool OnInit() override { return InitInstance(); }
    bool InitInstance();

private:
    void SetDialogBkColor(const wxColour& background, const wxColour& text);
    // The step after the intro: the panel comes up above the first picture.
    void CreatePanel();

    CommandLine m_commandLine;
    MonitorInfo m_monitor;
    std::size_t m_nMonitorIndex = 0;
    DialogColors m_dialogColors;
    CTestFrame* m_pMainWnd = nullptr;
};
