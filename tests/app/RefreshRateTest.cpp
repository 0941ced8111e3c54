// The refresh rate from a display mode's timings: dot clock over total
// pixels, halves rounding up; double scan halves it, interlace doubles it;
// no timings, no rate.
#include <gtest/gtest.h>

#include "app/RefreshRate.h"

TEST(RefreshRate, FromTheModeTimings) {
    constexpr struct {
        ModeTimings timings;
        int hz;
    } kCases[] = {
        {{148'500'000, 2200, 1125, false, false}, 60},
        {{148'351'648, 2200, 1125, false, false}, 60},
        {{745, 10, 1, false, false}, 75},
        {{12'588'000, 400, 225, true, false}, 70},
        {{74'250'000, 2200, 1125, false, true}, 60},
        {{74'250'000, 2200, 1125, true, true}, 30},
        {{0, 1344, 806, false, false}, 0},
        {{65'000'000, 0, 806, false, false}, 0},
        {{65'000'000, 1344, 0, false, false}, 0},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(RefreshRateHz(c.timings), c.hz) << c.timings.dotClockHz;
    }
}
