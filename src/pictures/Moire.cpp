// SPDX-License-Identifier: MIT
#include <algorithm>
#include <array>

#include "testwindow/TestWnd.h"

namespace {

// Cell size n by resolution level; 0 is the one-pixel checkerboard.
constexpr std::array<int, 3> kMoireCell = {2, 1, 0};

// Rows 0 and 1 of the checkerboard: each segment sets (x, 0) and (x + 1, 1),
// as a line leaves out its end pixel.
void DrawCheckerboardStrip(CDC* pDC, int W) {
    for (int x = 0; x < W; x += 2) {
        pDC->MoveTo(x, 0);
        pDC->LineTo(x + 2, 2);
    }
}

// Rows 0 .. 2n - 1 of the dot grid: rows 0 .. n - 1 in the pen's colour, then
// black columns n .. 2n - 1 of every 2n across both halves.
void DrawDotGridStrip(CDC* pDC, int W, int n) {
    for (int k = 0; k < n; ++k) {
        pDC->MoveTo(0, k);
        pDC->LineTo(W, k);
    }
    // Plain black, not a palette colour: black is black on every device.
    CPen blackPen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&blackPen);
    for (int x = n; x < W; x += 2 * n) {
        for (int k = 0; k < n; ++k) {
            pDC->MoveTo(x + k, 0);
            pDC->LineTo(x + k, 2 * n);
        }
    }
    pDC->SelectObject(pOldPen);
}

}  // namespace

// The pattern repeats every 2n rows (every 2 for the checkerboard): its first
// strip of that many rows is drawn on black with the lines that make it, then
// copied down the screen. The render frame leaves the screen unfilled for
// this picture, as the strip and its copies set every pixel.
void CTestWnd::DrawMoire(CDC* pDC) {
    const int W = m_nScreenWidth;
    const int H = m_nScreenHeight;
    const int n = kMoireCell[m_nResolution];
    const int strip = std::max(2, 2 * n);

    const RECT stripRect{0, 0, W, strip};
    pDC->FillRect(&stripRect, GetStockBrush(BLACK_BRUSH));
    if (n == 0) {
        DrawCheckerboardStrip(pDC, W);
    } else {
        DrawDotGridStrip(pDC, W, n);
    }
    for (int y = strip; y < H; y += strip) {
        pDC->BitBlt(0, y, W, strip, pDC, 0, 0, SRCCOPY);
    }
}
