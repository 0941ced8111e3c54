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

TEST(MonitorChoice, ByIndexOrNameElseThePrimaryElseTheFirst) {
    const std::vector<MonitorInfo> none = {Monitor("A", 0, false), Monitor("B", 1280, false),
                                           Monitor("7", 2560, false)};
    const std::vector<MonitorInfo> second = {Monitor("A", 0, false), Monitor("B", 1280, true)};
    const std::tuple<const std::vector<MonitorInfo>*, std::optional<std::string>, std::size_t>
        cases[] = {
            {&none, std::nullopt, 0}, {&second, std::nullopt, 1}, {&second, "0", 0},
            {&second, "1", 1},        {&second, "B", 1},          {&none, "A", 0},
            {&none, "2", 2},          {&none, "002", 2},
        };
    for (const auto& [monitors, wanted, index] : cases) {
        std::string error;
        EXPECT_EQ(ChooseMonitor(*monitors, wanted, error), std::optional<std::size_t>(index))
            << wanted.value_or("(default)") << ": " << error;
    }
}

TEST(MonitorChoice, AMonitorThatDoesNotExistIsNamed) {
    const std::vector<MonitorInfo> two = {Monitor("A", 0, true), Monitor("B", 1280, false)};
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {"2", "no monitor '2' (2 monitors, see --list-monitors)"},
        // An index is never taken as a name, nor a name as an index.
        {"7", "no monitor '7' (2 monitors, see --list-monitors)"},
        {"b", "no monitor 'b' (2 monitors, see --list-monitors)"},
        {"-1", "no monitor '-1' (2 monitors, see --list-monitors)"},
        {"99999999999999999999999",
         "no monitor '99999999999999999999999' "
         "(2 monitors, see --list-monitors)"},
    };
    for (const auto& [wanted, reason] : cases) {
        std::string error;
        EXPECT_FALSE(ChooseMonitor(two, wanted, error)) << *wanted;
        EXPECT_EQ(error, reason);
    }
    std::string error;
    EXPECT_FALSE(ChooseMonitor({}, std::nullopt, error));
    EXPECT_EQ(error, "the display reports no monitor");
}

TEST(MonitorChoice, ListLineGivesPhysicalSizePositionScaleRateAndPrimary) {
    MonitorInfo scaled = Monitor("HEADLESS-2", 1280, false);
    scaled.logicalWidth = 960;
    scaled.logicalHeight = 540;
    scaled.scale = 2;
    scaled.refreshHz = 0;
    EXPECT_EQ(DescribeMonitor(1, scaled),
              "1: HEADLESS-2, 1920x1080 at 1280,0, scale 2, refresh rate unknown");
    EXPECT_EQ(DescribeMonitor(0, Monitor("DP-1", 0, true)),
              "0: DP-1, 1280x1024 at 0,0, scale 1, 60 Hz, primary");
}

TEST(MonitorChoice, FractionalScaleListsTheOutputsModeOrSaysTheDesktopScales) {
    // 1920 x 1080 at scale 1.5: 1280 x 720 logical, which the toolkit scales by 2.
    MonitorInfo fractional = Monitor("HEADLESS-1", 0, false);
    fractional.logicalWidth = 1280;
    fractional.logicalHeight = 720;
    fractional.scale = 2;
    MonitorInfo shown = fractional;
    shown.physicalWidth = 1920;
    shown.physicalHeight = 1080;
    EXPECT_EQ(DescribeMonitor(0, shown), "0: HEADLESS-1, 1920x1080 at 0,0, scale 2, 60 Hz");
    MonitorInfo resampled = fractional;
    resampled.scaledByDesktop = true;
    EXPECT_EQ(
        DescribeMonitor(0, resampled),
        std::string("0: HEADLESS-1, 2560x1440 at 0,0, scale 2, 60 Hz; ") + kScaledByDesktopNote);
}

}  // namespace
