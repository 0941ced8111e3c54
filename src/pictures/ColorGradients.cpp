// SPDX-License-Identifier: MIT
#include <array>
#include <cmath>

#include "gdi/ColumnBatch.h"
#include "testwindow/TestWnd.h"

namespace {

// One turn of the spectrum: magenta, red, yellow, green, cyan, blue.
constexpr std::array<COLORREF, 6> kHueTable = {
    0x00FF00FF, 0x000000FF, 0x0000FFFF, 0x0000FF00, 0x00FFFF00, 0x00FF0000,
};
constexpr double kHueTurn = 6.0;

// The gradient palette: entry i holds the hue at (i * 6.0) / 229, so the
// first and the last entry are both magenta.
constexpr int kGradientEntries = 230;
constexpr double kGradientLastEntry = 229.0;

// The whole part of t modulo n, in 0 .. n - 1, taken in double precision:
// positions beyond the 32-bit range would overflow a conversion to int. For
// the positions the picture uses (t >= 0) the whole part is t truncated
// toward zero; below 0 it is rounded down, so the spectrum repeats there too.
int WholePartModulo(double t, int n) {
    double k = std::fmod(std::floor(t), static_cast<double>(n));
    if (k < 0.0) {
        k += n;
    }
    return static_cast<int>(k);
}

BYTE Channel(COLORREF c, int shift) {
    return static_cast<BYTE>(c >> shift);
}

}  // namespace

COLORREF CTestWnd::HueColor(double t) const {
    // Positions that are no number at all show the start of the spectrum.
    if (!std::isfinite(t)) {
        t = 0.0;
    }
    const int k = WholePartModulo(t, 6);
    const COLORREF c0 = kHueTable[k];
    const COLORREF c1 = kHueTable[(k + 1) % 6];
    const double f = t - std::floor(t);
    const double g = 1.0 - f;
    COLORREF result = 0;
    for (int shift : {0, 8, 16}) {
        // Both products are rounded on their own before the sum.
        const double a = g * Channel(c0, shift);
        const double b = f * Channel(c1, shift);
        const int value = static_cast<int>(a + b);
        result |= static_cast<COLORREF>(value & 0xFF) << shift;
    }
    return result;
}

void CTestWnd::DrawColorGradients(CDC* pDC) {
    const int W = m_nScreenWidth;
    const int H = m_nScreenHeight;

    CPalette palette;
    CPalette* pOldPalette = nullptr;
    if (m_bPaletteMode) {
        std::array<PALETTEENTRY, kGradientEntries> entries;
        for (int i = 0; i < kGradientEntries; ++i) {
            const COLORREF c = HueColor((i * kHueTurn) / kGradientLastEntry);
            entries[i] = {GetRValue(c), GetGValue(c), GetBValue(c), 0};
        }
        palette.CreatePalette(entries);
        pOldPalette = pDC->SelectPalette(&palette, false);
        pDC->RealizePalette();
    }

    // A screen one pixel wide has no span to spread the spectrum over: its
    // only column takes the position of the first column.
    const double span = W > 1 ? static_cast<double>(W - 1) : 0.0;
    ColumnBatch columns(*pDC);
    for (int x = 0; x < W; ++x) {
        const double position = span > 0.0 ? (x * kHueTurn) / span : 0.0;
        const double v = position + 0.5 + m_nVariant * 0.5;
        COLORREF color;
        if (m_bPaletteMode) {
            color = PALETTEINDEX(static_cast<WORD>(
                WholePartModulo(v * kGradientEntries / kHueTurn, kGradientEntries)));
        } else {
            color = HueColor(v);
        }
        CPen pen(PS_SOLID, 1, color);
        CPen* pOldPen = pDC->SelectObject(&pen);
        pDC->MoveTo(x, 0);
        pDC->LineTo(x, H);
        pDC->SelectObject(pOldPen);
    }

    if (m_bPaletteMode) {
        pDC->SelectPalette(pOldPalette, false);
    }
}
