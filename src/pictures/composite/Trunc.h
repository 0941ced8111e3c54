// SPDX-License-Identifier: MIT
// The conversion every measure of the test card uses: a double to a 32-bit
// integer by truncation toward zero (Trunc(-9.3) == -9).
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Values beyond the 32-bit range saturate and NaN gives 0, so no screen size
// can make the conversion undefined.
inline int Trunc(double x) {
    if (std::isnan(x)) {
        return 0;
    }
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (x <= kMin) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (x >= kMax) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<int>(x);
}
