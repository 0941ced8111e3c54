// SPDX-License-Identifier: MIT
#include <algorithm>
#include <array>

#include "testwindow/TestWnd.h"

namespace {

// Grid columns by resolution level; "Hoch" draws the corner circles as rings.
constexpr std::array<int, 3> kGeometryColumns = {1, 8, 16};
constexpr int kRingsLevel = 2;

constexpr double kCentreRadiusColumns = 4.5;
constexpr double kCornerRadiusColumns = 1.5;
constexpr double kColumnDivisor = 16.0;
constexpr double kCornerRowDivisor = 16.0;

}  // namespace

void CTestWnd::DrawGeometry(CDC* pDC) {
    const int W = m_nScreenWidth;
    const int H = m_nScreenHeight;

    DrawGrid(pDC, kGeometryColumns[m_nResolution]);

    const int R = static_cast<int>(W * kCentreRadiusColumns / kColumnDivisor);
    DrawCircle(pDC, W / 2, H / 2, R, false);

    const int r = static_cast<int>(W * kCornerRadiusColumns / kColumnDivisor);
    // A screen more than sixteen times as wide as high has no row in a grid of
    // sixteen columns; it is placed as with one row, so the divisor is never 0.
    const int d = std::max(1, static_cast<int>(m_dAspect * kCornerRowDivisor));
    const int x0 = (2 * W) / 16;
    const int y0 = (2 * H) / d;
    const bool rings = m_nResolution == kRingsLevel;
    for (int q = 0; q < 4; ++q) {
        const int x = (q & 1) != 0 ? W - x0 : x0;
        const int y = q >= 2 ? H - y0 : y0;
        DrawCircle(pDC, x, y, r, rings);
    }
}
