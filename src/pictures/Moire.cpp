// SPDX-License-Identifier: MIT
#include <array>

#include "gdi/ColumnBatch.h"
#include "testwindow/TestWnd.h"

namespace {

// Cell size n by resolution level; 0 is the one-pixel checkerboard.
constexpr std::array<int, 3> kMoireCell = {2, 1, 0};

}  // namespace

void CTestWnd::DrawMoire(CDC* pDC) {
    const int W = m_nScreenWidth;
    const int H = m_nScreenHeight;
    const int n = kMoireCell[m_nResolution];

    if (n == 0) {
        // Two seed rows, each segment setting (x, 0) and (x + 1, 1), then the
        // two-row strip copied down the screen.
        for (int x = 0; x < W; x += 2) {
            pDC->MoveTo(x, 0);
            pDC->LineTo(x + 2, 2);
        }
        for (int y = 2; y < H; y += 2) {
            pDC->BitBlt(0, y, W, 2, pDC, 0, 0, SRCCOPY);
        }
        return;
    }

    for (int y = 0; y < H; y += 2 * n) {
        for (int k = 0; k < n; ++k) {
            pDC->MoveTo(0, y + k);
            pDC->LineTo(W, y + k);
        }
    }
    // Plain black, not a palette colour: black is black on every device.
    CPen blackPen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&blackPen);
    ColumnBatch columns(*pDC);
    for (int x = n; x < W; x += 2 * n) {
        for (int k = 0; k < n; ++k) {
            pDC->MoveTo(x + k, 0);
            pDC->LineTo(x + k, H);
        }
    }
    pDC->SelectObject(pOldPen);
}
