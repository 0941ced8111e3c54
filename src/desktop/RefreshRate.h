// SPDX-License-Identifier: MIT
// The refresh rate of a display mode from its timings, as the display reports
// them: dot clock / (horizontal total x vertical total), twice the lines when
// each is scanned twice, half of them per field when interlaced.
#pragma once

#include <cstdint>

struct ModeTimings {
    std::uint64_t dotClockHz;
    unsigned hTotal;
    unsigned vTotal;
    bool doubleScan;
    bool interlace;
};

// Whole hertz, rounded; 0 when the timings give no rate.
constexpr int RefreshRateHz(const ModeTimings& mode) {
    double lines = mode.vTotal;
    if (mode.doubleScan) {
        lines *= 2;
    }
    if (mode.interlace) {
        lines /= 2;
    }
    const double pixels = static_cast<double>(mode.hTotal) * lines;
    if (mode.dotClockHz == 0 || pixels <= 0) {
        return 0;
    }
    return static_cast<int>(static_cast<double>(mode.dotClockHz) / pixels + 0.5);
}
