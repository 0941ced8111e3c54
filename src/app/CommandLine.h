// SPDX-License-Identifier: MIT
// The desktop program's command line, parsed without the toolkit: what the
// user asked for, or a one-line reason why the arguments are wrong.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "desktop/MonitorChoice.h"
#include "testwindow/TestWnd.h"

struct CommandLine {
    enum class Action { Run, Help, Version, ListMonitors };

    Action action = Action::Run;
    // The monitors to test as given (indices or names, in the order given);
    // empty: the default one; kAllMonitors alone: every monitor.
    std::vector<std::string> monitors;
    int picture = 0;
    bool intro = true;
    // Offer the remote control on the session bus.
    bool remote = false;
};

inline constexpr int kLastPicture = CTestWnd::kPictureCount - 1;

// Parses the arguments (without the program name). Options take their value
// as the next argument or after '='. On failure returns nothing and sets
// `error` to a one-line reason naming the offending argument.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error);

extern const char* const kUsage;
