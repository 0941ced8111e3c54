// The refresh rate from a display mode's timings.
#include <gtest/gtest.h>

#include "app/RefreshRate.h"

namespace {

TEST(RefreshRate, DotClockOverTotalPixels) {
    // 1920x1080 at 148.5 MHz, 2200 x 1125 total: 60 Hz.
    EXPECT_EQ(RefreshRateHz({148'500'000, 2200, 1125, false, false}), 60);
    // 1024x768 at 65 MHz, 1344 x 806: 60.004 Hz.
    EXPECT_EQ(RefreshRateHz({65'000'000, 1344, 806, false, false}), 60);
    // 1024x768 at 78.75 MHz, 1312 x 800: 75.03 Hz.
    EXPECT_EQ(RefreshRateHz({78'750'000, 1312, 800, false, false}), 75);
    // 59.94 Hz rounds to 60, 74.5 to 75 (halves round up).
    EXPECT_EQ(RefreshRateHz({148'351'648, 2200, 1125, false, false}), 60);
    EXPECT_EQ(RefreshRateHz({745, 10, 1, false, false}), 75);
}

TEST(RefreshRate, DoubleScanHalvesAndInterlaceDoubles) {
    // 320x200 double-scanned: each line twice, 70 Hz instead of 140.
    EXPECT_EQ(RefreshRateHz({12'588'000, 400, 225, false, false}), 140);
    EXPECT_EQ(RefreshRateHz({12'588'000, 400, 225, true, false}), 70);
    // 1920x1080i: 74.25 MHz, 2200 x 1125, fields at 60 Hz.
    EXPECT_EQ(RefreshRateHz({74'250'000, 2200, 1125, false, true}), 60);
    EXPECT_EQ(RefreshRateHz({74'250'000, 2200, 1125, true, true}), 30);
}

TEST(RefreshRate, NoRateWithoutTimings) {
    // A virtual display reports no dot clock.
    EXPECT_EQ(RefreshRateHz({0, 1344, 806, false, false}), 0);
    EXPECT_EQ(RefreshRateHz({65'000'000, 0, 806, false, false}), 0);
    EXPECT_EQ(RefreshRateHz({65'000'000, 1344, 0, false, false}), 0);
}

}  // namespace
