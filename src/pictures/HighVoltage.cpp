// SPDX-License-Identifier: MIT
#include "testwindow/TestWnd.h"

namespace {

// Side margin of the box as a fraction of the width; top and bottom margins
// are the same distance, expressed through the aspect ratio.
constexpr double kMargin = 0.02;

}  // namespace

void CTestWnd::DrawHighVoltage(CDC* pDC) {
    const int W = m_nScreenWidth;
    const int H = m_nScreenHeight;
    const bool single = (m_nVariant & 1) == 0;
    const bool whitePhase = (m_nTicks & 1) == 0;
    CBrush* pWhite = GetStockBrush(WHITE_BRUSH);
    CBrush* pBlack = GetStockBrush(BLACK_BRUSH);
    CBrush* pOuter = whitePhase ? pWhite : pBlack;
    CBrush* pInner = whitePhase ? pBlack : pWhite;

    const RECT frame{0, 0, W - 1, H - 1};
    pDC->FrameRect(&frame, pWhite);

    const int left = static_cast<int>(W * kMargin);
    const int right = static_cast<int>(W * (1.0 - kMargin));
    const int top = static_cast<int>((kMargin / m_dAspect) * H);
    const int bottom = static_cast<int>((1.0 - kMargin / m_dAspect) * H);

    if (single) {
        const RECT box{left, top, right, bottom};
        pDC->FillRect(&box, pOuter);
        return;
    }
    // One black row stays between neighbouring bands.
    const int h = static_cast<int>((bottom - top) / 3.0);
    const RECT band1{left, top, right, top + h};
    const RECT band2{left, top + h + 1, right, top + 2 * h + 1};
    const RECT band3{left, top + 2 * h + 2, right, bottom};
    pDC->FillRect(&band1, pOuter);
    pDC->FillRect(&band2, pInner);
    pDC->FillRect(&band3, pOuter);
}
