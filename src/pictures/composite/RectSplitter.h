// SPDX-License-Identifier: MIT
// CRectSplitter: divides a rectangle into n equal parts, side by side or
// stacked. Neighbouring parts share their edge value, so they tile the
// rectangle without gaps or overlaps.
#pragma once

#include "gdi/GdiTypes.h"

class CRectSplitter {
public:
    // n of 0 or less gives parts of width (or height) 0 at the left (top) edge.
    CRectSplitter(const RECT* pRect, int n, bool bHorizontal);

    void GetPart(int i, RECT* pPart) const;

private:
    double m_dStep;
    RECT m_rcWhole;
    bool m_bHorizontal;
};
