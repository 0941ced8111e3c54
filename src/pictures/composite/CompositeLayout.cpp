// SPDX-License-Identifier: MIT
#include "pictures/composite/CompositePicture.h"
#include "pictures/composite/RectSplitter.h"
#include "pictures/composite/Trunc.h"

void CCompositePicture::GetCellBand(RECT* pBand, int a, int b, int c, bool bFromBottom) const {
    const double cw = m_dCellWidth;
    const double ch = m_dCellHeight;
    pBand->left = Trunc((cw * a) + 1.0);
    pBand->right = Trunc((m_nColumns - a) * cw);
    pBand->top = bFromBottom ? Trunc(((m_nRows - b - c) * ch) + 1.0) : Trunc((ch * b) + 1.0);
    pBand->bottom = Trunc((ch * c) + pBand->top);
}

CRectSplitter::CRectSplitter(const RECT* pRect, int n, bool bHorizontal)
    : m_rcWhole(*pRect), m_bHorizontal(bHorizontal) {
    const int extent = m_bHorizontal ? pRect->right - pRect->left : pRect->bottom - pRect->top;
    m_dStep = n > 0 ? static_cast<double>(extent) / n : 0.0;
}

void CRectSplitter::GetPart(int i, RECT* pPart) const {
    *pPart = m_rcWhole;
    if (m_bHorizontal) {
        pPart->left = Trunc((m_dStep * i) + m_rcWhole.left);
        pPart->right = Trunc((m_dStep * (i + 1)) + m_rcWhole.left);
    } else {
        pPart->top = Trunc((m_dStep * i) + m_rcWhole.top);
        pPart->bottom = Trunc((m_dStep * (i + 1)) + m_rcWhole.top);
    }
}
