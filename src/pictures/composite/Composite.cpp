// SPDX-License-Identifier: MIT
#include "gdi/ClipScope.h"
#include "pictures/composite/CompositePicture.h"
#include "pictures/composite/Trunc.h"
#include "testwindow/TestWnd.h"

namespace {

// Red, blue, green, cyan, yellow, magenta, white.
constexpr std::array<COLORREF, CCompositePicture::kBarCount> kBarColors = {
    0x0000FF, 0xFF0000, 0x00FF00, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};

// Seven equal steps from black to white: the double nearest 255/7.
constexpr double kGreyStep = 255.0 / 7.0;

constexpr int kGridRows = 16;

}  // namespace

void CTestWnd::DrawComposite(CDC* pDC) {
    CCompositePicture picture(m_bPaletteMode, static_cast<std::uint32_t>(m_nScreenWidth),
                              static_cast<std::uint32_t>(m_nScreenHeight), m_nRefreshRate);
    picture.Draw(pDC, this);
}

CCompositePicture::CCompositePicture(bool bPaletteMode, std::uint32_t nWidth, std::uint32_t nHeight,
                                     int nRefreshRate)
    : m_brBlack(GetStockBrush(BLACK_BRUSH)),
      m_brHollow(GetStockBrush(NULL_BRUSH)),
      m_nRefreshRate(nRefreshRate) {
    m_crBars = kBarColors;
    for (int i = 0; i < kBarCount; ++i) {
        const auto g = static_cast<BYTE>(Trunc((i + 1) * kGreyStep));
        m_crGreys[i] = RGB(g, g, g);
    }

    m_pPalette = std::make_unique<CTestPalette>(bPaletteMode);
    m_pPalette->AddColor(kBlack);
    m_pPalette->AddColor(kWhite);
    m_pPalette->AddColor(kGray);
    m_pPalette->AddColor(kDarkGray);
    for (int i = 0; i < kBarCount; ++i) {
        m_pPalette->AddColor(m_crBars[i]);
        m_pPalette->AddColor(m_crGreys[i]);
    }

    m_nWidth = nWidth;
    m_nHeight = nHeight;
    const double W = nWidth;
    const double H = nHeight;
    m_nColumns = Trunc(((W / H) * 16.0) + 1.0);
    m_nRows = kGridRows;
    m_dCellWidth = (W - 1) / m_nColumns;
    m_dCellHeight = (H - 1) / m_nRows;
}

// The palette builder selects the palette it replaced back before it dies.
CCompositePicture::~CCompositePicture() = default;

void CCompositePicture::Draw(CDC* pDC, CTestWnd* pWnd) {
    // One fill of the whole screen, row after row: on a large screen that
    // costs less than a fill around the bands, whose rows have gaps.
    pDC->FillRect(&pDC->ClipRect(), m_brBlack);
    if (m_nWidth == 0 || m_nHeight == 0 || m_nWidth > Surface::kMaxSide ||
        m_nHeight > Surface::kMaxSide) {
        return;
    }
    m_pPalette->Realize(pDC);

    // The bands stay black under their contents: the grid and the circles
    // are drawn around them, piece by piece, rather than across them and
    // then filled over. The cells' black fill would change no pixel, so the
    // grid is drawn as outlines only.
    const RECT grid{0, 0, static_cast<int>(m_nWidth) - 1, static_cast<int>(m_nHeight) - 1};
    for (const RECT& piece : AroundBands()) {
        const ClipScope clip(*pDC, piece);
        CBrush* pOldBrush = pDC->SelectObject(m_brHollow);
        pWnd->DrawCellGrid(pDC, &grid, m_nColumns, m_nRows);
        pDC->SelectObject(pOldBrush);
        DrawCircles(pDC);
    }
    DrawColorBands(pDC);
    DrawMiddleBands(pDC);
    DrawModeCaption(pDC);
}

void CCompositePicture::FillWithColor(CDC* pDC, const RECT* pRect, COLORREF color) const {
    CBrush brush(Nearest(color));
    pDC->FillRect(pRect, &brush);
}

void CCompositePicture::InflateByCells(RECT* pRect, double fx, double fy) const {
    InflateRect(pRect, Trunc(m_dCellWidth * fx), Trunc(m_dCellHeight * fy));
}
