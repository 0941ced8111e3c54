// SPDX-License-Identifier: MIT
#include <array>

#include "testwindow/TestPalette.h"
#include "testwindow/TestWnd.h"

namespace {

// Grey levels in drawing order: the dark group, then the light group. The
// last is the double just above 0.82.
constexpr std::array<double, 6> kGreyLevels = {0.18, 0.09, 0.0, 1.0, 0.91, 0.8200000000000001};
constexpr int kRectsPerGroup = 3;

// Each group's outer rectangle, as fractions of the screen.
struct GroupFrame {
    double y0;
    double y1;
};
constexpr std::array<GroupFrame, 2> kGroups = {{{0.1, 0.4}, {0.6, 0.9}}};
constexpr double kOuterX = 0.1;
constexpr double kStep = 0.05;

COLORREF Grey(double level) {
    const BYTE g = static_cast<BYTE>(static_cast<int>(level * 255.0) & 0xFF);
    return RGB(g, g, g);
}

}  // namespace

void CTestWnd::DrawBrightnessContrast(CDC* pDC) {
    const int W = m_nScreenWidth;
    const int H = m_nScreenHeight;

    CTestPalette palette(m_bPaletteMode);
    palette.AddColor(RGB(0, 0, 0));
    for (double level : kGreyLevels) {
        palette.AddColor(Grey(level));
    }
    palette.Realize(pDC);

    std::size_t e = 0;
    for (const GroupFrame& group : kGroups) {
        // Running sums, not recomputed per step: pixel edges depend on it.
        double x = kOuterX;
        double y0 = group.y0;
        double y1 = group.y1;
        for (int step = 0; step < kRectsPerGroup; ++step) {
            const RECT rect{static_cast<int>(W * x), static_cast<int>(H * y0),
                            static_cast<int>(W * (1.0 - x)), static_cast<int>(H * y1)};
            CBrush brush(palette.NearestColor(Grey(kGreyLevels[e])));
            pDC->FillRect(&rect, &brush);
            ++e;
            x = kStep + x;
            y0 = kStep + y0;
            y1 = y1 - kStep;
        }
    }
}
