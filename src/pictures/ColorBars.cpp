// SPDX-License-Identifier: MIT
#include <array>

#include "gdi/ColumnBatch.h"
#include "testwindow/TestPalette.h"
#include "testwindow/TestWnd.h"

namespace {

// Bar i shows colour i mod 6: magenta, red, yellow, green, cyan, blue.
constexpr std::array<COLORREF, 6> kBarColors = {
    0x00FF00FF, 0x000000FF, 0x0000FFFF, 0x0000FF00, 0x00FFFF00, 0x00FF0000,
};
constexpr int kBars = 7;

// The palette's entries, in the order they are added.
constexpr std::array<COLORREF, 7> kBarPalette = {
    0x00000000, 0x00FFFF00, 0x000000FF, 0x0000FFFF, 0x0000FF00, 0x00FF00FF, 0x00FF0000,
};

// Divisor d and bar step s, with and without black gaps between the bars.
struct BarLayout {
    int d;
    int s;
};
constexpr BarLayout kWithGaps = {18, 2};
constexpr BarLayout kWithoutGaps = {19, 3};

}  // namespace

void CTestWnd::DrawColorBars(CDC* pDC) {
    const int W = m_nScreenWidth;
    const int H = m_nScreenHeight;

    CTestPalette palette(m_bPaletteMode);
    for (COLORREF c : kBarPalette) {
        palette.AddColor(c);
    }
    palette.Realize(pDC);
    std::array<CBrush, 6> brushes;
    for (std::size_t i = 0; i < brushes.size(); ++i) {
        brushes[i].CreateSolidBrush(palette.NearestColor(kBarColors[i]));
    }

    const bool gaps = (m_nVariant & 1) == 0;
    const bool vertical = (m_nVariant & 2) == 0;
    const BarLayout layout = gaps ? kWithGaps : kWithoutGaps;
    const int L = vertical ? W : H;

    // The sides [start, end) of a bar or a gap, as a rectangle across the screen.
    auto across = [&](int start, int end) {
        return vertical ? RECT{start, 0, end, H} : RECT{0, start, W, end};
    };
    // Vertical bars share their rows: the batch writes them a row at a time.
    ColumnBatch bars(*pDC);
    int p = -1;
    for (int i = 0; i < kBars; ++i) {
        const int start = (p * L) / layout.d;
        p += layout.s;
        const int end = (p * L) / layout.d;
        const RECT bar = across(start, end);
        pDC->FillRect(&bar, &brushes[i % 6]);
        if (gaps) {
            ++p;
            // The gap is filled black here rather than left from the frame's
            // black fill: bars and gaps together cover the screen, so the
            // frame goes without its fill.
            const RECT gap = across(end, (p * L) / layout.d);
            pDC->FillRect(&gap, GetStockBrush(BLACK_BRUSH));
        }
    }
}
