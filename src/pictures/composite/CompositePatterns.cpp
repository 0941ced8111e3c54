// SPDX-License-Identifier: MIT
#include <array>
#include <cstring>

#include "pictures/composite/CompositePicture.h"
#include "pictures/composite/Trunc.h"

namespace {

constexpr int kStripParts = 10;
// The sixth of the ten parts has no cell of its own: it widens cell 4.
constexpr int kJoinedPart = 5;
constexpr int kDotFieldHalfHeight = 7;
// Second row of marks, below the first at ym - 7.
constexpr int kSecondMarkRow = 2;

// What each cell of a pattern strip shows, from left to right.
enum class Cell { kPixels, kRings4, kRings5, kDots2, kDots4, kSkip, kInverseDots4 };
constexpr std::array<Cell, kStripParts> kStripCells = {
    Cell::kPixels, Cell::kRings4,       Cell::kRings5, Cell::kDots2,  Cell::kDots4,
    Cell::kSkip,   Cell::kInverseDots4, Cell::kRings5, Cell::kRings4, Cell::kPixels};

struct Label {
    COLORREF color;
    const char* word;
};
constexpr std::array<Label, 3> kLabels = {{
    {CCompositePicture::kDarkGray, "Dark"},
    {CCompositePicture::kGray, "Gray"},
    {CCompositePicture::kWhite, "White"},
}};

void DrawWord(CDC* pDC, const char* word, RECT part) {
    pDC->DrawText(word, static_cast<int>(std::strlen(word)), &part, CCompositePicture::kTextFormat);
}

}  // namespace

void CCompositePicture::DrawPatternStrip(CDC* pDC, const RECT* pStrip, COLORREF crStrip) {
    const CRectSplitter splitter(pStrip, kStripParts, true);
    for (int j = 0; j < kStripParts; ++j) {
        const Cell kind = kStripCells[j];
        if (kind == Cell::kSkip) {
            continue;
        }
        RECT cell;
        splitter.GetPart(j, &cell);
        if (kind == Cell::kDots4) {
            RECT joined;
            splitter.GetPart(kJoinedPart, &joined);
            cell.right = joined.right;
        }
        InflateByCells(&cell, -0.1, -0.1);
        const int ym = (cell.bottom + cell.top) / 2;
        const int q = (cell.right - cell.left) / 4;

        const RECT field{cell.left, ym - kDotFieldHalfHeight, cell.right, ym + kDotFieldHalfHeight};
        switch (kind) {
            case Cell::kDots2:
                FillDotPattern(pDC, &field, crStrip, kBlack, 2);
                continue;
            case Cell::kDots4:
                FillDotPattern(pDC, &field, crStrip, kBlack, 4);
                continue;
            case Cell::kInverseDots4:
                FillDotPattern(pDC, &field, kBlack, crStrip, 4);
                continue;
            default:
                break;
        }

        for (const int y : {ym - kDotFieldHalfHeight, ym + kSecondMarkRow}) {
            for (int m = 1; m <= 3; ++m) {
                const int x = (q * m) + cell.left;
                if (kind == Cell::kPixels) {
                    pDC->MoveTo(x, y);
                    pDC->LineTo(x + 1, y + 1);
                } else {
                    const int size = kind == Cell::kRings4 ? 4 : 5;
                    pDC->Ellipse(x, y, x + size, y + size);
                }
            }
        }
    }
}

void CCompositePicture::FillDotPattern(CDC* pDC, const RECT* pField, COLORREF crDot,
                                       COLORREF crField, int nPitch) {
    CBrush brush(Nearest(crField));
    CPen pen(PS_SOLID, 1, Nearest(crDot));
    CPen* pOldPen = pDC->SelectObject(&pen);

    pDC->FillRect(pField, &brush);
    // A pitch below 1 would never advance: the field keeps its colour alone.
    if (nPitch >= 1) {
        for (int y = pField->top; y < pField->bottom; ++y) {
            const bool odd = y % 2 != 0;
            for (int x = odd ? pField->left : pField->left + (nPitch / 2); x < pField->right;
                 x += nPitch) {
                pDC->MoveTo(x, y);
                pDC->LineTo(x + 1, y + 1);
            }
        }
    }

    pDC->SelectObject(pOldPen);
}

CRectSplitter CCompositePicture::SplitLabelHalf(const RECT* pHalf) const {
    RECT inner = *pHalf;
    InflateRect(&inner, -Trunc(m_dCellWidth), Trunc(m_dCellHeight * -0.1));
    return CRectSplitter(&inner, static_cast<int>(kLabels.size()), true);
}

void CCompositePicture::DrawGreyLabels(CDC* pDC, const RECT* pStrip) {
    const CRectSplitter halves(pStrip, 2, true);
    RECT half;
    RECT part;

    halves.GetPart(0, &half);
    pDC->SetBkColor(Nearest(kBlack));
    const CRectSplitter left = SplitLabelHalf(&half);
    for (int i = 0; i < static_cast<int>(kLabels.size()); ++i) {
        left.GetPart(i, &part);
        pDC->SetTextColor(Nearest(kLabels[i].color));
        DrawWord(pDC, kLabels[i].word, part);
    }

    halves.GetPart(1, &half);
    pDC->SetTextColor(Nearest(kBlack));
    const CRectSplitter right = SplitLabelHalf(&half);
    for (int i = 0; i < static_cast<int>(kLabels.size()); ++i) {
        right.GetPart(i, &part);
        CBrush brush(Nearest(kLabels[i].color));
        pDC->SetBkColor(Nearest(kLabels[i].color));
        pDC->FillRect(&part, &brush);
        DrawWord(pDC, kLabels[i].word, part);
    }
}
