// SPDX-License-Identifier: MIT
#include <array>

#include "gdi/ColumnBatch.h"
#include "testwindow/TestWnd.h"

namespace {

// Band width k by resolution level.
constexpr std::array<int, 3> kBandWidth = {3, 2, 1};

}  // namespace

void CTestWnd::DrawResolution(CDC* pDC) {
    const int W = m_nScreenWidth;
    const int H = m_nScreenHeight;
    const int k = kBandWidth[m_nResolution];
    const bool vertical = (m_nVariant & 1) != 0;
    const int L = vertical ? W : H;
    ColumnBatch columns(*pDC);
    int p = 0;
    while (p < L) {
        for (int i = 0; i < k; ++i) {
            if (vertical) {
                pDC->MoveTo(p, 0);
                pDC->LineTo(p, H);
            } else {
                pDC->MoveTo(0, p);
                pDC->LineTo(W, p);
            }
            ++p;
        }
        p += k;
    }
}
