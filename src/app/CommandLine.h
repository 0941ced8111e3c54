// SPDX-License-Identifier: MIT
// The desktop program's command line, parsed without the toolkit: what the
// user asked for, or a one-line reason why the arguments are wrong.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "testwindow/TestWnd.h"

struct CommandLine {
    enum class Action { Run, Help, Version, ListMonitors };

    Action action = Action::Run;
    // The monitor to test as given (an index or a name); empty: the default.
    std::optional<std::string> monitor;
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
