// SPDX-License-Identifier: MIT
#include <algorithm>
#include <array>
#include <cstdint>

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

    const GridLines grid = DrawGrid(pDC, kGeometryColumns[m_nResolution]);

    struct Circle {
        int x, y, r;
        bool rings;
    };
    std::array<Circle, 5> circles{};
    circles[0] = {W / 2, H / 2, static_cast<int>(W * kCentreRadiusColumns / kColumnDivisor), false};
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
        circles[1 + q] = {x, y, r, rings};
    }

    // Where no two circles meet, each circle's inside holds only the frame's
    // black and the grid when the circle comes, so it can be drawn over the
    // grid without filling its inside whole. A circle's pixels lie within
    // r + 1/2 of its centre, so two lie apart when their centres are more
    // than r1 + r2 + 1 apart.
    bool apart = true;
    for (std::size_t i = 0; i < circles.size(); ++i) {
        for (std::size_t j = i + 1; j < circles.size(); ++j) {
            const std::int64_t dx = circles[i].x - circles[j].x;
            const std::int64_t dy = circles[i].y - circles[j].y;
            const std::int64_t reach = std::int64_t{circles[i].r} + circles[j].r + 1;
            apart = apart && dx * dx + dy * dy > reach * reach;
        }
    }
    for (const Circle& c : circles) {
        if (apart) {
            DrawCircleOverGrid(pDC, grid, c.x, c.y, c.r, c.rings);
        } else {
            DrawCircle(pDC, c.x, c.y, c.r, c.rings);
        }
    }
}
