// SPDX-License-Identifier: MIT
#include <cstdint>

#include "gdi/ClipScope.h"
#include "gdi/ColumnBatch.h"
#include "testwindow/TestWnd.h"

namespace {

// The rings of a ringed circle lie this many pixels of radius apart.
constexpr int kRingStep = 2;

}  // namespace

CTestWnd::GridLines CTestWnd::CellGridLines(const RECT* pRect, int nColumns, int nRows) {
    const int left = pRect->left;
    const int top = pRect->top;
    const int w = pRect->right - left;
    const int h = pRect->bottom - top;
    GridLines lines;
    if (nColumns <= 0 || nRows <= 0 || w < 0 || h < 0) {
        return lines;
    }
    lines.columns.push_back(left);
    for (int i = 1; i < nColumns; ++i) {
        lines.columns.push_back(
            static_cast<int>(left + static_cast<double>(std::int64_t{i} * w) / nColumns));
    }
    lines.columns.push_back(left + w);
    lines.rows.push_back(top);
    for (int j = 1; j < nRows; ++j) {
        lines.rows.push_back(
            static_cast<int>(top + static_cast<double>(std::int64_t{j} * h) / nRows));
    }
    lines.rows.push_back(top + h);
    return lines;
}

// Every cell is a rectangle from one border line to the next: outlined in the
// pen, its inside filled with the brush. Neighbouring cells share their
// border lines and no cell's inside reaches a line, so the same pixels come
// from one rectangle around all cells followed by the inner border lines:
// one fill of the whole inside rather than one per cell.
void CTestWnd::DrawCellGrid(CDC* pDC, const RECT* pRect, int nColumns, int nRows) {
    const GridLines lines = CellGridLines(pRect, nColumns, nRows);
    if (lines.columns.empty()) {
        return;
    }
    const int left = lines.columns.front();
    const int right = lines.columns.back() + 1;
    const int top = lines.rows.front();
    const int bottom = lines.rows.back() + 1;
    ColumnBatch columns(*pDC);
    pDC->Rectangle(left, top, right, bottom);
    for (std::size_t i = 1; i + 1 < lines.columns.size(); ++i) {
        pDC->MoveTo(lines.columns[i], top);
        pDC->LineTo(lines.columns[i], bottom);
    }
    for (std::size_t j = 1; j + 1 < lines.rows.size(); ++j) {
        pDC->MoveTo(left, lines.rows[j]);
        pDC->LineTo(right, lines.rows[j]);
    }
}

CTestWnd::GridLines CTestWnd::DrawGrid(CDC* pDC, int nColumns) {
    const int nRows = nColumns < 3 ? nColumns : static_cast<int>(m_dAspect * nColumns);
    const RECT rect{0, 0, m_nScreenWidth - 1, m_nScreenHeight - 1};
    // The full-screen grid is the first thing its pictures draw, on the frame's
    // black screen: the black fill of its cells would change no pixel, so the
    // cells are drawn hollow and the screen is not filled a second time.
    CBrush* pOldBrush = pDC->SelectObject(GetStockBrush(NULL_BRUSH));
    DrawCellGrid(pDC, &rect, nColumns, nRows);
    pDC->SelectObject(pOldBrush);
    return CellGridLines(&rect, nColumns, nRows);
}

RECT CTestWnd::CircleBox(int x, int y, int nRadius) {
    return {x - nRadius, y - nRadius, x + nRadius + 1, y + nRadius + 1};
}

void CTestWnd::DrawCircle(CDC* pDC, int x, int y, int nRadius, bool bRings) {
    RECT box = CircleBox(x, y, nRadius);
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

// A filled circle writes its whole inside, a large part of the screen, where
// only the lines' pixels change. Each line is given the outermost circle with
// its fill, clipped to the line; the rings inside and the outlines follow,
// hollow, over the whole box.
void CTestWnd::DrawCircleOverGrid(CDC* pDC, const GridLines& grid, int x, int y, int nRadius,
                                  bool bRings) {
    // Without a radius there are no rings, and nothing fills.
    if (nRadius <= 0) {
        DrawCircle(pDC, x, y, nRadius, bRings);
        return;
    }
    const RECT box = CircleBox(x, y, nRadius);
    CBrush* pOldBrush = pDC->SelectObject(GetStockBrush(BLACK_BRUSH));
    for (const int column : grid.columns) {
        if (column >= box.left && column < box.right) {
            const ClipScope clip(*pDC, {column, box.top, column + 1, box.bottom});
            pDC->Ellipse(&box);
        }
    }
    for (const int row : grid.rows) {
        if (row >= box.top && row < box.bottom) {
            const ClipScope clip(*pDC, {box.left, row, box.right, row + 1});
            pDC->Ellipse(&box);
        }
    }
    pDC->SelectObject(GetStockBrush(NULL_BRUSH));
    DrawCircle(pDC, x, y, nRadius, bRings);
    pDC->SelectObject(pOldBrush);
}

void CTestWnd::DrawDot(CDC* pDC, int x, int y) {
    pDC->MoveTo(x, y);
    pDC->LineTo(x + 1, y + 1);
}
