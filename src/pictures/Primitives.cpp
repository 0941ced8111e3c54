// SPDX-License-Identifier: MIT
#include <cstdint>

#include "gdi/ColumnBatch.h"
#include "testwindow/TestWnd.h"

namespace {

// The rings of a ringed circle lie this many pixels of radius apart.
constexpr int kRingStep = 2;

}  // namespace

// Every cell is a rectangle from one border line to the next: outlined in the
// pen, its inside filled with the brush. Neighbouring cells share their
// border lines and no cell's inside reaches a line, so the same pixels come
// from one rectangle around all cells followed by the inner border lines:
// one fill of the whole inside rather than one per cell.
void CTestWnd::DrawCellGrid(CDC* pDC, const RECT* pRect, int nColumns, int nRows) {
    const int left = pRect->left;
    const int top = pRect->top;
    const int w = pRect->right - left;
    const int h = pRect->bottom - top;
    if (nColumns <= 0 || nRows <= 0 || w < 0 || h < 0) {
        return;
    }
    ColumnBatch columns(*pDC);
    pDC->Rectangle(left, top, left + w + 1, top + h + 1);
    for (int i = 1; i < nColumns; ++i) {
        const int x = static_cast<int>(left + static_cast<double>(std::int64_t{i} * w) / nColumns);
        pDC->MoveTo(x, top);
        pDC->LineTo(x, top + h + 1);
    }
    for (int j = 1; j < nRows; ++j) {
        const int y = static_cast<int>(top + static_cast<double>(std::int64_t{j} * h) / nRows);
        pDC->MoveTo(left, y);
        pDC->LineTo(left + w + 1, y);
    }
}

void CTestWnd::DrawGrid(CDC* pDC, int nColumns) {
    const int nRows = nColumns < 3 ? nColumns : static_cast<int>(m_dAspect * nColumns);
    const RECT rect{0, 0, m_nScreenWidth - 1, m_nScreenHeight - 1};
    // The full-screen grid is the first thing its pictures draw, on the frame's
    // black screen: the black fill of its cells would change no pixel, so the
    // cells are drawn hollow and the screen is not filled a second time.
    CBrush* pOldBrush = pDC->SelectObject(GetStockBrush(NULL_BRUSH));
    DrawCellGrid(pDC, &rect, nColumns, nRows);
    pDC->SelectObject(pOldBrush);
}

void CTestWnd::DrawCircle(CDC* pDC, int x, int y, int nRadius, bool bRings) {
    RECT box{x - nRadius, y - nRadius, x + nRadius + 1, y + nRadius + 1};
    if (!bRings) {
        pDC->Ellipse(&box);
    } else {
        // Rings every kRingStep pixels of radius down to the centre; only the
        // first fills its inside, which covers every smaller ring's inside
        // with the same brush already.
        pDC->Rings(&box, kRingStep, nRadius > 0 ? (nRadius - 1) / kRingStep + 1 : 0);
    }
    DrawDot(pDC, x, y);
}

void CTestWnd::DrawDot(CDC* pDC, int x, int y) {
    pDC->MoveTo(x, y);
    pDC->LineTo(x + 1, y + 1);
}
