// Which monitor the program covers, and how --list-monitors shows each.
#include <gtest/gtest.h>

#include "app/MonitorChoice.h"

namespace {

MonitorInfo Monitor(std::string name, int x, bool primary) {
    MonitorInfo m;
    m.name = std::move(name);
    m.x = m.logicalX = x;
    m.logicalWidth = 1280;
    m.logicalHeight = 1024;
    m.refreshHz = 60;
    m.primary = primary;
    return m;
}

// By index or else by name (never one for the other), else the primary, else
// the first; a monitor that does not exist is named in one line.
TEST(MonitorChoice, ByIndexOrNameElseThePrimary) {
    const std::vector<MonitorInfo> none = {Monitor("A", 0, false), Monitor("B", 1280, false),
                                           Monitor("7", 2560, false)};
    const std::vector<MonitorInfo> second = {Monitor("A", 0, false), Monitor("B", 1280, true)};
    const struct {
        const std::vector<MonitorInfo>& monitors;
        std::optional<std::string> wanted;
        std::optional<std::size_t> index;
    } kCases[] = {
        {none, std::nullopt, 0},
        {second, std::nullopt, 1},
        {second, "0", 0},
        {second, "B", 1},
        {none, "A", 0},
        {none, "002", 2},
        {second, "2", {}},
        {second, "7", {}},
        {second, "b", {}},
        {second, "-1", {}},
        {second, "99999999999999999999999", {}},
    };
    for (const auto& c : kCases) {
        std::string error;
        EXPECT_EQ(ChooseMonitor(c.monitors, c.wanted, error), c.index)
            << c.wanted.value_or("(default)");
        EXPECT_EQ(error, c.index
                             ? ""
                             : "no monitor '" + *c.wanted + "' (2 monitors, see --list-monitors)");
    }
    std::string error;
    EXPECT_FALSE(ChooseMonitor({}, std::nullopt, error));
    EXPECT_EQ(error, "the display reports no monitor");
}

// A list line: physical size (the output's mode, or the logical size times the
// scale), position, scale, rate, primary, and a note when the desktop scales.
TEST(MonitorChoice, ListLines) {
    MonitorInfo scaled = Monitor("HEADLESS-2", 1280, false), own = Monitor("HEADLESS-1", 0, false);
    scaled.scale = own.scale = 2;
    scaled.refreshHz = 0;
    own.physicalWidth = 1920;
    own.physicalHeight = 1080;
    MonitorInfo resampled = scaled;
    resampled.scaledByDesktop = true;
    EXPECT_EQ(DescribeMonitor(0, Monitor("DP-1", 0, true)),
              "0: DP-1, 1280x1024 at 0,0, scale 1, 60 Hz, primary");
    EXPECT_EQ(DescribeMonitor(1, scaled),
              "1: HEADLESS-2, 2560x2048 at 1280,0, scale 2, refresh rate unknown");
    EXPECT_EQ(DescribeMonitor(0, own), "0: HEADLESS-1, 1920x1080 at 0,0, scale 2, 60 Hz");
    EXPECT_EQ(DescribeMonitor(2, resampled),
              std::string("2: HEADLESS-2, 2560x2048 at 1280,0, scale 2, refresh rate unknown; ") +
                  kScaledByDesktopNote);
}

}  // namespace
