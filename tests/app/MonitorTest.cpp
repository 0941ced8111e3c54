// SPDX-License-Identifier: MIT
// The monitor the program covers: which one, how --list-monitors shows each,
// its refresh rate and its view rectangles on a scaled desktop.
#include <cmath>

#include <gtest/gtest.h>

#include "desktop/MonitorChoice.h"
#include "desktop/RefreshRate.h"
#include "desktop/ScreenCheck.h"
#include "present/ViewRect.h"

namespace {

MonitorInfo Monitor(std::string name, int x, bool primary) {
    return {.name = std::move(name),
            .x = x,
            .logicalX = x,
            .logicalWidth = 1280,
            .logicalHeight = 1024,
            .refreshHz = 60,
            .primary = primary};
}

// By index or else by name (never one for the other), else the primary, else
// the first; lists in their order, "all" every one; a monitor that does not
// exist or comes twice is named in one line. The primary one among those
// chosen leads, else the first chosen.
TEST(MonitorChoice, ByIndexOrNameElseThePrimary) {
    const std::vector<MonitorInfo> none = {Monitor("A", 0, false), Monitor("B", 1280, false),
                                           Monitor("7", 2560, false)};
    const std::vector<MonitorInfo> second = {Monitor("A", 0, false), Monitor("B", 1280, true)};
    using Wanted = std::vector<std::string>;
    using Chosen = std::vector<std::size_t>;
    const struct {
        const std::vector<MonitorInfo>& monitors;
        Wanted wanted;
        Chosen chosen;  // empty: refused with `error`
        std::size_t lead = 0;
        std::string error = "";
    } kCases[] = {
        {none, {}, {0}},
        {second, {}, {1}},
        {second, {"0"}, {0}},
        {second, {"B"}, {1}},
        {none, {"A"}, {0}},
        {none, {"002"}, {2}},
        {none, {"all"}, {0, 1, 2}},
        {second, {"all"}, {0, 1}, 1},
        {none, {"2", "A"}, {2, 0}},
        {second, {"0", "B"}, {0, 1}, 1},
        {second, {"7"}, {}, 0, "no monitor '7' (2 monitors, see --list-monitors)"},
        {second,
         {"99999999999999999999999"},
         {},
         0,
         "no monitor '99999999999999999999999' (2 monitors, see --list-monitors)"},
        {second, {"0", "9"}, {}, 0, "no monitor '9' (2 monitors, see --list-monitors)"},
        {second, {"0", "0"}, {}, 0, "monitor '0' is chosen twice"},
        {none, {"1", "B"}, {}, 0, "monitor 'B' is chosen twice"},
        {{}, {}, {}, 0, "the display reports no monitor"},
        {{}, {"all"}, {}, 0, "the display reports no monitor"},
    };
    for (const auto& c : kCases) {
        std::string error;
        const auto chosen = ChooseMonitors(c.monitors, c.wanted, error);
        EXPECT_EQ(chosen.value_or(Chosen{}), c.chosen) << c.wanted.size();
        EXPECT_EQ(error, c.error);
        if (chosen) {
            EXPECT_EQ(LeadMonitor(c.monitors, *chosen), c.lead) << c.chosen.size();
        }
    }
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
    own.outputScale = 1.5;
    EXPECT_EQ(DescribeMonitor(0, own), "0: HEADLESS-1, 1920x1080 at 0,0, scale 1.5, 60 Hz");
    EXPECT_EQ(DescribeMonitor(2, resampled),
              std::string("2: HEADLESS-2, 2560x2048 at 1280,0, scale 2, refresh rate unknown; ") +
                  kScaledByDesktopNote);
}

// The compositor's scale to the nearest 120th, two decimals at most, no
// trailing zeros; no scale or an absurd one is stated as 1.
TEST(MonitorChoice, ScalesAsListed) {
    constexpr struct {
        double scale;
        const char* text;
    } kCases[] = {{1, "1"},
                  {2, "2"},
                  {1.5, "1.5"},
                  {1.25, "1.25"},
                  {2560.0 / 1707, "1.5"},
                  {1920.0 / 1440, "1.33"},
                  {1.0 + 1.0 / 240, "1.01"},
                  {0, "1"},
                  {-2, "1"},
                  {1e9, "1"},
                  {std::nan(""), "1"},
                  {3.0, "3"}};
    for (const auto& c : kCases) {
        EXPECT_EQ(FormatScale(c.scale), c.text) << c.scale;
    }
}

// The refresh rate from a display mode's timings: dot clock over total
// pixels, halves rounding up; double scan halves it, interlace doubles it;
// no timings, no rate.
TEST(RefreshRate, FromTheModeTimings) {
    constexpr struct {
        ModeTimings timings;
        int hz;
    } kCases[] = {
        {{148'500'000, 2200, 1125, false, false}, 60}, {{745, 10, 1, false, false}, 75},
        {{12'588'000, 400, 225, true, false}, 70},     {{74'250'000, 2200, 1125, false, true}, 60},
        {{74'250'000, 2200, 1125, true, true}, 30},    {{65'000'000, 1344, 0, false, false}, 0},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(RefreshRateHz(c.timings), c.hz) << c.timings.dotClockHz;
    }
}

// Physical rectangles of the software display as logical view rectangles and
// back: exact where the edges divide, else widened to whole pixels so that
// every physical pixel stays covered; a scale below one counts as one.
TEST(ViewRect, CoversWithWholePixels) {
    constexpr struct {
        RECT physical;
        ViewRatio ratio;
        RECT logical;
    } kCases[] = {
        {{1, 2, 3, 4}, {-2, 1}, {1, 2, 3, 4}},
        {{0, 0, 1920, 1920}, {1920, 1280}, {0, 0, 1280, 1280}},
        {{3, 3, 4, 4}, {1920, 1280}, {2, 2, 3, 3}},
        {{1, 1, 5, 5}, {1920, 1280}, {0, 0, 4, 4}},
        {{5, 5, 11, 11}, {1200, 960}, {4, 4, 9, 9}},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(PhysicalToLogical(c.physical, c.ratio, c.ratio), c.logical) << c.ratio.physical;
    }
    for (int scale = 1; scale <= 4; ++scale) {
        for (int left = -5; left <= 5; ++left) {
            for (int right = left; right <= left + 7; ++right) {
                const RECT r = PhysicalToLogical({left, 0, right, 1}, scale);
                EXPECT_TRUE(r.left * scale <= left && (r.left + 1) * scale > left) << left;
                EXPECT_TRUE(r.right * scale >= right && (r.right - 1) * scale < right) << right;
            }
        }
    }
    EXPECT_EQ(LogicalToPhysical({2, 2, 3, 3}, {1920, 1280}, {1920, 1280}), (RECT{3, 3, 5, 5}));
    EXPECT_EQ(LogicalToPhysical({0, 0, 1280, 960}, {1920, 1280}, {1200, 960}),
              (RECT{0, 0, 1920, 1200}));
}

// The program opens no window where it cannot show the pictures exactly: a
// colour-mapped screen, a monitor of no size, one over the store's limit.
TEST(ScreenCheck, RefusesWhatCannotBeShownExactly) {
    MonitorInfo ok = Monitor("A", 0, true);
    MonitorInfo negative = ok, wide = ok, ownTall = ok;
    negative.logicalWidth = -640;
    wide.logicalWidth = 16385;
    ownTall.physicalWidth = 64;
    ownTall.physicalHeight = 16400;
    const struct {
        const MonitorInfo& monitor;
        VisualKind visual;
        const char* why;
    } kCases[] = {
        {ok, VisualKind::kDirect, ""},
        {ok, VisualKind::kColorMapped,
         "the screen shows its colours through a colour map (a PseudoColor visual), which the "
         "toolkit cannot draw on; run the X server at depth 16 or 24"},
        {negative, VisualKind::kDirect,
         "the desktop reports monitor A as -640x1024 at scale 1, a size no picture fits"},
        {wide, VisualKind::kDirect,
         "monitor A has 16385x1024 pixels; the program draws at most 16384 on a side"},
        {ownTall, VisualKind::kDirect,
         "monitor A has 64x16400 pixels; the program draws at most 16384 on a side"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(WhyNotShown(c.monitor, c.visual), c.why);
    }
    for (const char* good : {"1", "2", "016"}) {
        EXPECT_TRUE(IsToolkitScale(good)) << good;
    }
    for (const char* bad : {"", "0", "-3", "+2", "1.5", "2x", "99999999999"}) {
        EXPECT_FALSE(IsToolkitScale(bad)) << bad;
    }
}

}  // namespace
