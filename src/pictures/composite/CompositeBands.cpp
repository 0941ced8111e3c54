// SPDX-License-Identifier: MIT
#include <algorithm>
#include <array>
#include <vector>

#include "gdi/ColumnBatch.h"
#include "pictures/composite/CompositePicture.h"
#include "pictures/composite/Trunc.h"

namespace {

enum Corner { kTopLeft, kTopRight, kBottomLeft, kBottomRight };
constexpr int kCornerCount = 4;
// A corner block is 4 x 4 cells; its inner disc spans the middle 2 x 2.
constexpr int kCornerCells = 4;

}  // namespace

void CCompositePicture::DrawCircles(CDC* pDC) {
    CBrush* pOldBrush = pDC->SelectObject(m_brHollow);

    const int cx = static_cast<int>(m_nWidth / 2);
    const int cy = static_cast<int>(m_nHeight / 2);
    const int r = std::min(cx, cy);
    pDC->Ellipse(cx - r, cy - r, cx + r, cy + r);

    const double cw = m_dCellWidth;
    const double ch = m_dCellHeight;
    const int K = m_nColumns;
    for (int k = 0; k < 2; ++k) {
        pDC->SelectObject(k == 0 ? m_brHollow : m_brBlack);
        for (int i = 0; i < kCornerCount; ++i) {
            const bool left = i == kTopLeft || i == kBottomLeft;
            const bool top = i == kTopLeft || i == kTopRight;
            const int x0 = left ? Trunc(cw * k) : Trunc((K - kCornerCells + k) * cw);
            const int x1 = left ? Trunc(cw * (kCornerCells - k)) : Trunc((K - k) * cw);
            const int y0 = top ? Trunc(ch * k) : Trunc((m_nRows - kCornerCells + k) * ch);
            const int y1 = top ? Trunc(ch * (kCornerCells - k)) : Trunc((m_nRows - k) * ch);
            pDC->Ellipse(x0, y0, x1 + 1, y1 + 1);
        }
    }

    pDC->SelectObject(pOldBrush);
}

void CCompositePicture::GetColorBand(RECT* pBand, bool bFromBottom) const {
    GetCellBand(pBand, 7, 1, 3, bFromBottom);
}

void CCompositePicture::GetMiddleBand(RECT* pBand, bool bFromBottom) const {
    GetCellBand(pBand, 4, 4, 3, bFromBottom);
}

// Between any two neighbouring band edges the rows are alike: outside the
// bands but for those that span them.
std::vector<RECT> CCompositePicture::AroundBands() const {
    const int W = static_cast<int>(m_nWidth);
    const int H = static_cast<int>(m_nHeight);
    std::array<RECT, 4> bands{};
    GetColorBand(&bands[0], false);
    GetColorBand(&bands[1], true);
    GetMiddleBand(&bands[2], false);
    GetMiddleBand(&bands[3], true);
    std::vector<RECT> holes;
    std::vector<int> edges{0, H};
    for (const RECT& band : bands) {
        const RECT hole{std::max(band.left, 0), std::max(band.top, 0), std::min(band.right, W),
                        std::min(band.bottom, H)};
        if (hole.left < hole.right && hole.top < hole.bottom) {
            holes.push_back(hole);
            edges.push_back(hole.top);
            edges.push_back(hole.bottom);
        }
    }
    std::sort(holes.begin(), holes.end(),
              [](const RECT& a, const RECT& b) { return a.left < b.left; });
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::vector<RECT> pieces;
    auto add = [&](const RECT& piece) {
        if (!IsRectEmpty(&piece)) {
            pieces.push_back(piece);
        }
    };
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        const int top = edges[i];
        const int bottom = edges[i + 1];
        int x = 0;
        for (const RECT& hole : holes) {
            if (hole.top <= top && hole.bottom >= bottom) {
                add({x, top, hole.left, bottom});
                x = std::max(x, static_cast<int>(hole.right));
            }
        }
        add({x, top, W, bottom});
    }
    return pieces;
}

void CCompositePicture::DrawColorBands(CDC* pDC) {
    for (int p = 0; p < 2; ++p) {
        RECT band;
        GetColorBand(&band, p == 1);
        InflateByCells(&band, -0.2, -0.2);
        const CRectSplitter splitter(&band, kBarCount, true);
        const auto& colors = p == 0 ? m_crBars : m_crGreys;
        // The bars share their rows: the batch writes them a row at a time.
        ColumnBatch bars(*pDC);
        for (int j = 0; j < kBarCount; ++j) {
            RECT part;
            splitter.GetPart(j, &part);
            InflateByCells(&part, -0.05, -0.1);
            FillWithColor(pDC, &part, colors[j]);
        }
    }
}

void CCompositePicture::DrawMiddleBands(CDC* pDC) {
    for (int p = 0; p < 2; ++p) {
        RECT band;
        GetMiddleBand(&band, p == 1);
        if (p == 0) {
            DrawGratingField(pDC, &band);
        } else {
            const CRectSplitter splitter(&band, 3, false);
            RECT part;
            splitter.GetPart(0, &part);
            DrawPatternStrip(pDC, &part, kGray);
            splitter.GetPart(1, &part);
            DrawPatternStrip(pDC, &part, kWhite);
            splitter.GetPart(2, &part);
            DrawGreyLabels(pDC, &part);
        }
    }
}

void CCompositePicture::DrawGratingField(CDC* pDC, const RECT* pBand) {
    CBrush white(Nearest(kWhite));
    CBrush grey(Nearest(kGray));
    const RECT& B = *pBand;
    const int mid = ((B.bottom - B.top) / 2) + B.top;

    RECT r = B;
    r.bottom = Trunc(mid + (m_dCellHeight * 0.1));
    InflateByCells(&r, -0.2, -0.2);
    pDC->FillRect(&r, &grey);

    const int w = r.right - r.left;
    const int xm = (w / 2) + r.left;
    const int hw = ((2 * w) / 3) / 2;
    const int s = (r.bottom - r.top) / 5;
    const RECT whiteBar{xm - hw, r.top + s, xm + hw, r.top + 2 * s};
    pDC->FillRect(&whiteBar, &white);
    const RECT blackBar{xm - hw, r.top + 3 * s, xm + hw, r.top + 4 * s};
    pDC->FillRect(&blackBar, m_brBlack);

    r = B;
    r.top = Trunc(mid - (m_dCellHeight * 0.1));
    InflateByCells(&r, -0.2, -0.2);
    const CRectSplitter splitter(&r, 3, true);
    for (int j = 0; j < 3; ++j) {
        RECT part;
        splitter.GetPart(j, &part);
        if (j < 2) {
            part.right = Trunc(part.right - (m_dCellWidth * 0.2));
        }
        const int pitch = j + 2;
        ColumnBatch columns(*pDC);
        for (int x = part.left; x < part.right; x += pitch) {
            pDC->MoveTo(x, part.top);
            pDC->LineTo(x, part.bottom);
        }
    }
}
