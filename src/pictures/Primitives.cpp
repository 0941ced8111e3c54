#include <cstdint>

#include "testwindow/TestWnd.h"

void CTestWnd::DrawCellGrid(CDC* pDC, const RECT* pRect, int nColumns, int nRows) {
    if (nColumns <= 0 || nRows <= 0) {
        return;
    }
    const int left = pRect->left;
    const int top = pRect->top;
    const int w = pRect->right - left;
    const int h = pRect->bottom - top;
    int x0 = left;
    for (int i = 0; i < nColumns; ++i) {
        const int x1 =
            static_cast<int>(left + static_cast<double>(std::int64_t{i + 1} * w) / nColumns);
        int y0 = top;
        for (int j = 0; j < nRows; ++j) {
            const int y1 =
                static_cast<int>(top + static_cast<double>(std::int64_t{j + 1} * h) / nRows);
            pDC->Rectangle(x0, y0, x1 + 1, y1 + 1);
            y0 = y1;
        }
        x0 = x1;
    }
}

void CTestWnd::DrawGrid(CDC* pDC, int nColumns) {
    const int nRows = nColumns < 3 ? nColumns : static_cast<int>(m_dAspect * nColumns);
    const RECT rect{0, 0, m_nScreenWidth - 1, m_nScreenHeight - 1};
    DrawCellGrid(pDC, &rect, nColumns, nRows);
}

void CTestWnd::DrawCircle(CDC* pDC, int x, int y, int nRadius, BOOL bRings) {
    RECT box{x - nRadius, y - nRadius, x + nRadius + 1, y + nRadius + 1};
    if (!bRings) {
        pDC->Ellipse(&box);
    } else {
        for (int r = nRadius; r > 0; r -= 2) {
            pDC->Ellipse(&box);
            InflateRect(&box, -2, -2);
        }
    }
    DrawDot(pDC, x, y);
}

void CTestWnd::DrawDot(CDC* pDC, int x, int y) {
    pDC->MoveTo(x, y);
    pDC->LineTo(x + 1, y + 1);
}
