// SPDX-License-Identifier: MIT
#include <algorithm>
#include <array>
#include <cstdint>

#include "testwindow/TestPalette.h"
#include "testwindow/TestWnd.h"

namespace {

// Picture 0: grid step n by resolution level; picture 1: grid columns.
constexpr std::array<int, 3> kMisconvergence1Step = {8, 16, 32};
constexpr std::array<int, 3> kMisconvergence2Columns = {2, 8, 16};

enum Gun { kRed, kGreen, kBlue };
constexpr std::array<COLORREF, 3> kGunColors = {0x0000FF, 0x00FF00, 0xFF0000};

// Dash colours C0, C1, C2 for m_nVariant mod 6.
constexpr std::array<std::array<int, 3>, 6> kColorOrders = {{
    {kRed, kBlue, kGreen},
    {kRed, kGreen, kBlue},
    {kGreen, kRed, kBlue},
    {kGreen, kBlue, kRed},
    {kBlue, kGreen, kRed},
    {kBlue, kRed, kGreen},
}};

// One pass of dashed lines: m + 1 lines across a length L, dashes measured in
// units of L / E. Vertical lines stand at x = position, horizontal at y.
struct DashPass {
    bool vertical;
    int m;
    int E;
    int extent;  // W - 1 (vertical pass) or H - 1 (horizontal pass): spacing of the lines
    int L;       // length of each line
};

// After the first dash the steps go 2, 4, 2, 4, ...: six dashes cover 18
// units and bring the colours back to where they were.
constexpr int kCycleDashes = 6;
constexpr int kCycleUnits = 18;

// How many whole cycles from unit t on end at or before the screen's edge
// (along <= 0, where a dash draws no pixel: its end pixel is left out) and
// before the line's end E. Truncation toward zero keeps along at 0 up to
// L * t < E.
int ColourCyclesBeforeScreen(const DashPass& pass, int t) {
    std::int64_t last = pass.E - 1;
    if (pass.L > 0) {
        last = std::min<std::int64_t>(last, (std::int64_t{pass.E} + pass.L - 1) / pass.L - 1);
    }
    return last < t + kCycleUnits ? 0 : static_cast<int>((last - t) / kCycleUnits);
}

// The products of a length and a line or break count leave int on tall and
// narrow screens, where m and E grow with the aspect ratio: they are taken in
// 64 bits; their quotients, about a screen side, fit in int again.
void DrawDashPass(CDC* pDC, const DashPass& pass, const std::array<CPen*, 3>& order) {
    for (int i = 0; i <= pass.m; ++i) {
        const auto pos = static_cast<int>(std::int64_t{pass.extent} * i / pass.m);
        auto pointFor = [&](int t) {
            const auto along = static_cast<int>(std::int64_t{pass.L} * t / pass.E);
            return pass.vertical ? POINT{pos, along} : POINT{along, pos};
        };
        const POINT start = pass.vertical ? POINT{pos, 0} : POINT{0, pos};
        pDC->MoveTo(start.x, start.y);
        int t = -2 * i;
        int step = 1;
        int j = 0;
        do {
            if (j == 1) {
                // Line i starts 2i units before the screen: on tall screens the
                // dashes that draw nothing would make the pass quadratic. They
                // are passed over in whole colour cycles, ending where they end.
                const int skipped = ColourCyclesBeforeScreen(pass, t);
                t += kCycleUnits * skipped;
                j += kCycleDashes * skipped;
                const POINT p = pointFor(t);
                pDC->MoveTo(p.x, p.y);
            }
            pDC->SelectObject(order[j % 3]);
            t += step;
            const POINT p = pointFor(t);
            pDC->LineTo(p.x, p.y);
            step = step == 2 ? 4 : 2;
            ++j;
        } while (t < pass.E);
    }
}

}  // namespace

void CTestWnd::DrawMisconvergence1(CDC* pDC) {
    CTestPalette palette(m_bPaletteMode);
    palette.AddColor(RGB(0, 0, 0));
    for (COLORREF gun : kGunColors) {
        palette.AddColor(gun);
    }
    palette.Realize(pDC);
    CPen pens[3] = {{PS_SOLID, 1, palette.NearestColor(kGunColors[kRed])},
                    {PS_SOLID, 1, palette.NearestColor(kGunColors[kGreen])},
                    {PS_SOLID, 1, palette.NearestColor(kGunColors[kBlue])}};

    const int n = kMisconvergence1Step[m_nResolution];
    const auto& s = kColorOrders[m_nVariant % 6];
    const std::array<CPen*, 3> order = {&pens[s[0]], &pens[s[1]], &pens[s[2]]};
    const int W = m_nScreenWidth;
    const int H = m_nScreenHeight;

    // Screens more than eight times as wide as high would give no horizontal
    // cell or a zero divisor: they keep at least one cell and one unit.
    const DashPass vertical{true, n, std::max(1, static_cast<int>(2 * n * m_dAspect)), W - 1,
                            H - 1};
    const DashPass horizontal{false, std::max(1, static_cast<int>(m_dAspect * n)), 2 * n, H - 1,
                              W - 1};

    CPen* pOldPen = pDC->SelectObject(order[0]);
    DrawDashPass(pDC, vertical, order);
    DrawDashPass(pDC, horizontal, order);
    pDC->SelectObject(pOldPen);
}

void CTestWnd::DrawMisconvergence2(CDC* pDC) {
    DrawGrid(pDC, kMisconvergence2Columns[m_nResolution]);
}
