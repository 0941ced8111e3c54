// The desktop program's command line: what each argument list asks for, and
// the one-line reason for each one that is wrong.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

using Action = CommandLine::Action;

struct Good {
    std::vector<std::string> args;
    Action action;
    std::optional<std::string> monitor;
    int picture;
    bool intro;
};

TEST(CommandLine, GoodArgumentsGiveTheirOptions) {
    const Good cases[] = {
        {{}, Action::Run, std::nullopt, 0, true},
        {{"--monitor", "1"}, Action::Run, "1", 0, true},
        {{"--monitor=HEADLESS-2", "--picture", "12"}, Action::Run, "HEADLESS-2", 12, true},
        {{"--picture=0", "--no-intro"}, Action::Run, std::nullopt, 0, false},
        {{"--picture", "3", "--picture", "5"}, Action::Run, std::nullopt, 5, true},
        {{"--list-monitors"}, Action::ListMonitors, std::nullopt, 0, true},
        {{"--list-monitors", "--version"}, Action::Version, std::nullopt, 0, true},
        {{"--version", "--help"}, Action::Help, std::nullopt, 0, true},
        // A value may itself start with dashes: it is the option's value.
        {{"--monitor", "--odd-name"}, Action::Run, "--odd-name", 0, true},
    };
    for (const Good& c : cases) {
        std::string error;
        const auto line = ParseCommandLine(c.args, error);
        ASSERT_TRUE(line) << error;
        EXPECT_EQ(line->action, c.action);
        EXPECT_EQ(line->monitor, c.monitor);
        EXPECT_EQ(line->picture, c.picture);
        EXPECT_EQ(line->intro, c.intro);
    }
}

TEST(CommandLine, BadArgumentsGiveOneLineNamingThem) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"-h"}, "unknown option '-h'"},
        {{"--pic", "1"}, "unknown option '--pic'"},
        {{"picture"}, "unexpected argument 'picture'"},
        {{"--monitor"}, "option '--monitor' needs a value"},
        {{"--monitor="}, "option '--monitor' needs a monitor's index or name"},
        {{"--picture"}, "option '--picture' needs a value"},
        {{"--picture", "13"}, "bad picture '13' for '--picture' (0..12)"},
        {{"--picture", "-1"}, "bad picture '-1' for '--picture' (0..12)"},
        {{"--picture", "+1"}, "bad picture '+1' for '--picture' (0..12)"},
        {{"--picture", "1x"}, "bad picture '1x' for '--picture' (0..12)"},
        {{"--picture", ""}, "bad picture '' for '--picture' (0..12)"},
        {{"--picture", "99999999999999999999"},
         "bad picture '99999999999999999999' for '--picture' (0..12)"},
        {{"--no-intro=yes"}, "option '--no-intro' takes no value"},
        {{"--help=1"}, "option '--help' takes no value"},
    };
    for (const auto& [args, reason] : cases) {
        std::string error;
        EXPECT_FALSE(ParseCommandLine(args, error)) << reason;
        EXPECT_EQ(error, reason);
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

}  // namespace
