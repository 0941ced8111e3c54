// SPDX-License-Identifier: MIT
#include <algorithm>
#include <array>
#include <cstdint>

#include "testwindow/TestWnd.h"

namespace {

// Dot columns n by resolution level.
constexpr std::array<int, 3> kFocusColumns = {8, 16, 32};

}  // namespace

void CTestWnd::DrawFocus(CDC* pDC) {
    const int W = m_nScreenWidth;
    const int H = m_nScreenHeight;
    const int n = kFocusColumns[m_nResolution];
    // A screen more than n times as wide as high keeps one row of cells: its
    // dots stay in the top and bottom rows and the divisor is never 0.
    const int m = std::max(1, static_cast<int>(m_dAspect * n));
    // On tall screens m grows with the aspect ratio and (H - 1) * j leaves int:
    // the products are taken in 64 bits.
    for (int i = 0; i <= n; ++i) {
        const auto x = static_cast<int>((std::int64_t{W - 1} * i) / n);
        for (int j = 0; j <= m; ++j) {
            const auto y = static_cast<int>((std::int64_t{H - 1} * j) / m);
            DrawDot(pDC, x, y);
        }
    }
}
