// SPDX-License-Identifier: MIT
// The desktop program's command line: what each argument list asks for, or
// the one-line reason why it is wrong.
#include <gtest/gtest.h>

#include <tuple>

#include "app/CommandLine.h"

namespace {

TEST(CommandLine, ArgumentsGiveTheirOptionsOrOneLineNamingTheFault) {
    using A = CommandLine::Action;
    const struct {
        std::vector<std::string> args;
        std::string error;  // empty: the line is good and asks for the rest
        A action = A::Run;
        std::vector<std::string> monitors = {};
        int picture = 0;
        bool intro = true;
        bool remote = false;
    } kCases[] = {
        {{}, ""},
        {{"--monitor", "1"}, "", A::Run, {"1"}},
        {{"--monitor=HEADLESS-2", "--picture", "12"}, "", A::Run, {"HEADLESS-2"}, 12},
        // Lists as given: repeats and unknown monitors are the monitor choice's.
        {{"--monitor", "all"}, "", A::Run, {"all"}},
        {{"--monitor", "0,2,HEADLESS-2,0"}, "", A::Run, {"0", "2", "HEADLESS-2", "0"}},
        {{"--picture=0", "--no-intro"}, "", A::Run, {}, 0, false},
        {{"--picture", "3", "--picture", "5"}, "", A::Run, {}, 5},
        {{"--list-monitors"}, "", A::ListMonitors},
        {{"--list-monitors", "--version"}, "", A::Version},
        {{"--version", "--help"}, "", A::Help},
        // A value may itself start with dashes: it is the option's value.
        {{"--monitor", "--odd-name"}, "", A::Run, {"--odd-name"}},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"--pic", "1"}, "unknown option '--pic'"},
        {{"picture"}, "unexpected argument 'picture'"},
        {{"--monitor"}, "option '--monitor' needs a value"},
        {{"--monitor="}, "option '--monitor' needs a monitor's index or name"},
        {{"--monitor", ","}, "bad monitor list ',' for '--monitor': an empty entry"},
        {{"--monitor", "0,"}, "bad monitor list '0,' for '--monitor': an empty entry"},
        {{"--monitor", "0,,1"}, "bad monitor list '0,,1' for '--monitor': an empty entry"},
        {{"--monitor", "all,1"}, "bad monitor list 'all,1' for '--monitor': 'all' stands alone"},
        {{"--picture"}, "option '--picture' needs a value"},
        {{"--picture", "13"}, "bad picture '13' for '--picture' (0..12)"},
        {{"--picture", "-1"}, "bad picture '-1' for '--picture' (0..12)"},
        {{"--picture", "1x"}, "bad picture '1x' for '--picture' (0..12)"},
        {{"--picture", ""}, "bad picture '' for '--picture' (0..12)"},
        {{"--picture", "99999999999999999999"},
         "bad picture '99999999999999999999' for '--picture' (0..12)"},
        {{"--no-intro=yes"}, "option '--no-intro' takes no value"},
        {{"--remote", "--no-intro"}, "", A::Run, {}, 0, false, true},
        {{"--remote=1"}, "option '--remote' takes no value"},
    };
    for (const auto& c : kCases) {
        std::string error;
        const auto line = ParseCommandLine(c.args, error);
        EXPECT_EQ(error, c.error);
        ASSERT_EQ(line.has_value(), c.error.empty()) << c.error;
        if (line) {
            EXPECT_EQ(std::tie(line->action, line->picture, line->intro, line->remote),
                      std::tie(c.action, c.picture, c.intro, c.remote));
            EXPECT_EQ(line->monitors, c.monitors);
        }
    }
}

}  // namespace
