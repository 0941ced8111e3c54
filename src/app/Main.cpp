// SPDX-License-Identifier: MIT
// The desktop program's entry: the command line is read before the toolkit
// starts, so --help and --version need no display and no toolkit option
// handling sees the program's own options; the monitors are chosen once the
// display is open and before any window exists.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <wx/init.h>
#include <wx/log.h>

#include "AppId.h"
#include "app/CommandLine.h"
#include "app/KeysHelp.h"
#include "app/TestApp.h"
#include "desktop/MonitorChoice.h"
#include "desktop/Monitors.h"
#include "desktop/ScreenCheck.h"
#include "desktop/WaylandDesktop.h"
#include "files/StandardOutput.h"
#include "remote/RemoteService.h"

namespace {

constexpr int kExitNoDisplay = 1;
constexpr int kExitBadCommandLine = 2;
constexpr int kExitNoBus = 1;
// Standard output could not take what was printed (a full disk, a closed pipe).
constexpr int kExitOutputFailed = 1;
constexpr int kExitNameTaken = 2;
constexpr int kExitCannotShow = 3;

int Fail(int status, const std::string& reason) {
    std::fprintf(stderr, "zynmon: %s\n", reason.c_str());
    return status;
}

// What was printed must have reached standard output: status, or the
// failure's (said on stderr).
int Flushed(int status) {
    return FinishStandardOutput("zynmon") ? status : kExitOutputFailed;
}

// A GDK_SCALE the toolkit would take to mean nonsense is dropped, with a
// word: the desktop's own scale applies then.
void DropBadToolkitScale() {
    const char* scale = std::getenv("GDK_SCALE");
    if (scale != nullptr && !IsToolkitScale(scale)) {
        std::fprintf(stderr, "zynmon: ignoring GDK_SCALE=%s (not a positive whole number)\n",
                     scale);
        unsetenv("GDK_SCALE");
    }
}

// The toolkit's main loop with the application already initialised, ending
// with its OnExit as the toolkit's own entry does.
int RunApp() {
    int status = 0;
    if (wxTheApp->CallOnInit()) {
        status = wxTheApp->OnRun();
    }
    wxTheApp->OnExit();
    return status;
}

// --remote: the application's id on the session bus, taken before any window
// opens. Null, with the exit status set, when the name cannot be had.
std::unique_ptr<CRemoteService> OwnBusName(int& status) {
    CRemoteService::Failure failure{};
    std::string error;
    auto remote = CRemoteService::Own(kAppId, failure, error);
    if (remote == nullptr) {
        status = Fail(failure == CRemoteService::Failure::kNameTaken ? kExitNameTaken : kExitNoBus,
                      error);
    }
    return remote;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto commandLine =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!commandLine) {
        return Fail(kExitBadCommandLine, error);
    }
    switch (commandLine->action) {
        case CommandLine::Action::Help:
            std::fputs(kUsage, stdout);
            std::fputs("\n", stdout);
            std::fputs(kKeysAndMouseHelp, stdout);
            return Flushed(0);
        case CommandLine::Action::Version:
            std::printf("zynmon %s\n", ZYN_VERSION);
            return Flushed(0);
        default:
            break;
    }

    DropBadToolkitScale();
    auto* app = new CTestApp(*commandLine);
    wxApp::SetInstance(app);
    bool started = false;
    {
        // Without a display the toolkit would log its own message. The
        // toolkit sees the program's name only: every argument is read above,
        // and none may be taken as one of the toolkit's own options.
        wxLogNull quiet;
        int toolkitArgc = 1;
        started = wxEntryStart(toolkitArgc, argv);
    }
    if (!started) {
        return Fail(kExitNoDisplay, "cannot open a display");
    }

    // The desktop's facts, read once before any window opens; they outlive
    // the application, which wxEntryCleanup deletes.
    int status = 0;
    std::unique_ptr<CWaylandDesktop> wayland = CWaylandDesktop::Connect();
    // Off Wayland, the session's compositor only tells how it scales XWayland's monitors.
    const std::vector<MonitorInfo> monitors =
        ReadMonitors(wayland ? wayland.get() : CWaylandDesktop::ConnectToSession().get());
    if (commandLine->action == CommandLine::Action::ListMonitors) {
        for (std::size_t i = 0; i < monitors.size(); ++i) {
            std::printf("%s\n", DescribeMonitor(i, monitors[i]).c_str());
        }
        status = Flushed(0);
    } else if (auto chosen = ChooseMonitors(monitors, commandLine->monitors, error)) {
        // The leading monitor first: it holds the panel and plays the intro.
        std::rotate(chosen->begin(), chosen->begin() + LeadMonitor(monitors, *chosen),
                    chosen->end());
        std::string why;
        for (const std::size_t index : *chosen) {
            if (why.empty()) {
                why = WhyNotShown(monitors[index], DisplayVisualKind());
            }
        }
        std::unique_ptr<CRemoteService> remote;
        if (!why.empty()) {
            status = Fail(kExitCannotShow, why);
        } else if (!commandLine->remote || (remote = OwnBusName(status)) != nullptr) {
            app->SetDesktop(std::move(wayland), monitors, std::move(*chosen),
                            DisplayBitsPerPixel());
            app->SetRemote(std::move(remote));
            status = RunApp();
        }
    } else {
        status = Fail(commandLine->monitors.empty() ? kExitNoDisplay : kExitBadCommandLine, error);
    }
    wayland.reset();
    wxEntryCleanup();
    return status;
}
