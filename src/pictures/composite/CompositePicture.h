// SPDX-License-Identifier: MIT
// CCompositePicture: the composite test card. One screen of a cell grid,
// circles, a colour band and a grey band, a grating field, two strips of
// fine patterns, grey labels and a caption stating the display mode, all
// laid out on a grid of K columns and 16 rows that follows the screen size.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gdi/CDC.h"
#include "pictures/composite/RectSplitter.h"
#include "testwindow/TestPalette.h"

class CTestWnd;

class CCompositePicture {
public:
    static constexpr int kBarCount = 7;
    static constexpr COLORREF kGray = 0x808080;
    static constexpr COLORREF kDarkGray = 0x505050;
    static constexpr COLORREF kBlack = 0x000000;
    static constexpr COLORREF kWhite = 0xFFFFFF;
    // Caption and labels: one line, centred both ways in their rectangle.
    static constexpr UINT kTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

    // The refresh rate is the one the caption states (0 where none is known).
    CCompositePicture(bool bPaletteMode, std::uint32_t nWidth, std::uint32_t nHeight,
                      int nRefreshRate);
    ~CCompositePicture();
    CCompositePicture(const CCompositePicture&) = delete;
    CCompositePicture& operator=(const CCompositePicture&) = delete;

    // The whole card; the test window lends its cell-grid primitive. A size
    // of 0 or beyond the largest display draws nothing.
    void Draw(CDC* pDC, CTestWnd* pWnd);

    // The band c rows high, a columns inside both screen sides, starting b
    // rows below the top (or ending b rows above the bottom).
    void GetCellBand(RECT* pBand, int a, int b, int c, bool bFromBottom) const;

    void DrawCircles(CDC* pDC);
    // The bands of colour bars and the middle bands, at the top (or the
    // bottom): black under their contents.
    void GetColorBand(RECT* pBand, bool bFromBottom) const;
    void GetMiddleBand(RECT* pBand, bool bFromBottom) const;
    // The screen outside the bands, as rectangles that do not overlap.
    std::vector<RECT> AroundBands() const;
    void DrawColorBands(CDC* pDC);
    void DrawMiddleBands(CDC* pDC);
    void DrawGratingField(CDC* pDC, const RECT* pBand);
    void DrawPatternStrip(CDC* pDC, const RECT* pStrip, COLORREF crStrip);
    void FillDotPattern(CDC* pDC, const RECT* pField, COLORREF crDot, COLORREF crField, int nPitch);
    void DrawGreyLabels(CDC* pDC, const RECT* pStrip);
    // The three word rectangles of one half of the label strip.
    CRectSplitter SplitLabelHalf(const RECT* pHalf) const;
    // The caption for the depth the device context reports.
    std::string ModeCaption(CDC* pDC) const;
    void DrawModeCaption(CDC* pDC);

    int Columns() const { return m_nColumns; }
    int Rows() const { return m_nRows; }
    double CellWidth() const { return m_dCellWidth; }
    double CellHeight() const { return m_dCellHeight; }
    const CTestPalette& Palette() const { return *m_pPalette; }
    const std::array<COLORREF, kBarCount>& Bars() const { return m_crBars; }
    const std::array<COLORREF, kBarCount>& Greys() const { return m_crGreys; }

private:
    COLORREF Nearest(COLORREF color) const { return m_pPalette->NearestColor(color); }
    // Fills with a solid brush of the colour, made for this fill only.
    void FillWithColor(CDC* pDC, const RECT* pRect, COLORREF color) const;
    // Inflates by the given fractions of a cell, each truncated.
    void InflateByCells(RECT* pRect, double fx, double fy) const;

    std::unique_ptr<CTestPalette> m_pPalette;
    std::array<COLORREF, kBarCount> m_crBars;
    std::array<COLORREF, kBarCount> m_crGreys;
    CBrush* m_brBlack;
    CBrush* m_brHollow;
    std::uint32_t m_nWidth;
    std::uint32_t m_nHeight;
    int m_nColumns;
    int m_nRows;
    double m_dCellWidth;
    double m_dCellHeight;
    int m_nRefreshRate;
};
