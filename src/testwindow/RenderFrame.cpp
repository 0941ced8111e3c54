// SPDX-License-Identifier: MIT
#include <array>

#include "testwindow/Strings.h"
#include "testwindow/TestPalette.h"
#include "testwindow/TestWnd.h"

namespace {

using PictureRoutine = void (CTestWnd::*)(CDC*);

constexpr auto kDispatch = std::to_array<PictureRoutine>({
    &CTestWnd::DrawMisconvergence1,
    &CTestWnd::DrawMisconvergence2,
    &CTestWnd::DrawGeometry,
    &CTestWnd::DrawFocus,
    &CTestWnd::DrawResolution,
    &CTestWnd::DrawReadability,
    &CTestWnd::DrawMoire,
    &CTestWnd::DrawColorGradients,
    &CTestWnd::DrawColorBars,
    &CTestWnd::DrawBrightnessDistribution,
    &CTestWnd::DrawBrightnessContrast,
    &CTestWnd::DrawHighVoltage,
    &CTestWnd::DrawComposite,
});
static_assert(kDispatch.size() == CTestWnd::kPictureCount);

// Pictures that set every pixel of the screen themselves: the frame's black
// fill would be overwritten before anyone sees it, so they go without it.
constexpr auto kSetsEveryPixel = std::to_array<bool>({
    false,  // Miskonvergenz1
    false,  // Miskonvergenz2
    false,  // Geometrie
    false,  // Focus
    false,  // Auflösung
    true,   // Lesbarkeit: a white fill first
    true,   // Moire: a strip drawn on black, copied down the screen
    true,   // Farbverläufe: a line down every column
    true,   // Farbe: bars side by side, with black gaps or without
    true,   // Helligkeitsverteilung: a fill in the chosen colour
    false,  // Helligkeit/Kontrast
    false,  // Hochspannung
    true,   // Testbild: a black fill first
});
static_assert(kSetsEveryPixel.size() == CTestWnd::kPictureCount);
static_assert(kPictureNames.size() == CTestWnd::kPictureCount);

}  // namespace

void CTestWnd::RenderPicture(CDC* pDC) {
    const int W = m_nScreenWidth;
    const int H = m_nScreenHeight;
    CBrush* pBlackBrush = GetStockBrush(BLACK_BRUSH);
    const RECT screen{0, 0, W, H};
    const bool drawn = m_nPicture < kPictureCount && kMinColors[m_nPicture] <= m_nNumColors;
    if (!drawn || !kSetsEveryPixel[m_nPicture]) {
        pDC->FillRect(&screen, pBlackBrush);
    }

    if (m_nPicture >= kPictureCount) {
        return;
    }
    if (!drawn) {
        // Once per selection: a repaint while the message is open, or after it
        // was closed, leaves the black screen without stacking a second one.
        if (!m_bRefusalShown) {
            m_bRefusalShown = true;
            m_host.MessageBox(kRefusalMessage, m_pszAppName);
        }
        return;
    }

    CTestPalette palette(m_bPaletteMode);
    palette.AddColor(RGB(0, 0, 0));
    palette.AddColor(m_crColor);
    palette.Realize(pDC);

    CBrush* pOldBrush = pDC->SelectObject(pBlackBrush);
    CPen pen(PS_SOLID, 1, palette.NearestColor(m_crColor));
    CPen* pOldPen = pDC->SelectObject(&pen);

    (this->*kDispatch[m_nPicture])(pDC);

    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}
