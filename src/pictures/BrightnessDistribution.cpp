// SPDX-License-Identifier: MIT
#include <array>

#include "testwindow/TestPalette.h"
#include "testwindow/TestWnd.h"

namespace {

// Intensity by m_nVariant mod 3: full, two thirds, one third.
constexpr std::array<double, 3> kIntensity = {1.0, 0.6666666666666666, 0.3333333333333333};

BYTE Scaled(BYTE channel, double factor) {
    return static_cast<BYTE>(static_cast<int>(channel * factor) & 0xFF);
}

}  // namespace

void CTestWnd::DrawBrightnessDistribution(CDC* pDC) {
    const double factor = kIntensity[m_nVariant % 3];
    const COLORREF field =
        RGB(Scaled(GetRValue(m_crColor), factor), Scaled(GetGValue(m_crColor), factor),
            Scaled(GetBValue(m_crColor), factor));

    CTestPalette palette(m_bPaletteMode);
    palette.AddColor(field);
    palette.Realize(pDC);
    CBrush brush(palette.NearestColor(field));
    const RECT screen{0, 0, m_nScreenWidth, m_nScreenHeight};
    pDC->FillRect(&screen, &brush);
}
