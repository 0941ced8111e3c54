// SPDX-License-Identifier: MIT
// CDC: a drawing context on a Surface.
//
// It holds the selected pen, brush, font and palette, the current position,
// the text attributes and a clip rectangle (the surface, or the surface and an
// update rectangle). The drawing rules are those the pictures are written for:
//   - a line draws its start pixel and leaves out its end pixel;
//   - Rectangle and Ellipse take a box whose right and bottom are exclusive,
//     outline it with the pen and fill the inside with the brush;
//   - FillRect, FrameRect and InvertRect leave out right and bottom too;
//   - a rectangle with right < left or bottom < top draws nothing.
// Colours: a plain RGB colour shows as the nearest colour the device has; a
// PALETTEINDEX colour as that entry of the selected, realized palette.
// Selecting an object returns the one it replaces.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "gdi/ColumnBatch.h"
#include "gdi/GdiObjects.h"
#include "gdi/GdiTypes.h"
#include "gdi/Surface.h"

class CDC {
public:
    explicit CDC(Surface& surface);
    CDC(Surface& surface, const RECT& updateRect);
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    Surface& GetSurface() { return m_surface; }
    const RECT& ClipRect() const { return m_rcClip; }
    int GetDeviceCaps(int index) const;

    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CPalette* SelectPalette(CPalette* palette, bool forceBackground);
    UINT RealizePalette();

    // The device value that shows colour c now (plain RGB or PALETTEINDEX).
    std::uint32_t DeviceValue(COLORREF color) const;

    POINT MoveTo(int x, int y);
    bool LineTo(int x, int y);
    POINT GetCurrentPosition() const { return m_ptCurrent; }

    bool Rectangle(int left, int top, int right, int bottom);
    bool Rectangle(const RECT* rect) {
        return Rectangle(rect->left, rect->top, rect->right, rect->bottom);
    }
    bool Ellipse(int left, int top, int right, int bottom);
    bool Ellipse(const RECT* rect) {
        return Ellipse(rect->left, rect->top, rect->right, rect->bottom);
    }
    // Concentric ellipses: the one in box and count - 1 more, each in the box
    // of the one before made inset pixels smaller on every side. The same
    // pixels as that many Ellipse calls of which only the first that draws
    // fills with the brush, but drawn a row at a time for all of them, so
    // that many rings over the same rows touch each row once. Returns whether
    // any of them drew.
    bool Rings(const RECT* box, int inset, int count);
    void FillRect(const RECT* rect, CBrush* brush);
    void FrameRect(const RECT* rect, CBrush* brush);
    void InvertRect(const RECT* rect);

    // Copies within this context (source == this); overlapping areas are safe.
    bool BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);

    // 8-bit device-independent bitmap: info is the BITMAPINFOHEADER followed by
    // its colour table; bits start at scan line startScan (counted from the
    // bottom for a positive biHeight). Returns the number of scan lines set.
    int SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int xSrc, int ySrc,
                          UINT startScan, UINT scanLines, const void* bits, const void* info,
                          UINT colorUse);

    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    int SetBkMode(int mode);
    UINT SetTextAlign(UINT align);
    COLORREF GetTextColor() const { return m_crText; }
    COLORREF GetBkColor() const { return m_crBk; }
    // Text is single-byte (Latin-1) in one line; the font is the selected one,
    // or the default font (a bold sans with a 16-pixel cell) when none is.
    // Glyph pixels take exactly the text colour; in OPAQUE mode the text's cell
    // (its advance wide, the cell high) is first filled with the background colour.
    //
    // TextOut writes with the cell's top left at (x, y); with TA_UPDATECP at
    // the current position instead, which then moves right by the text's
    // advance. false for a negative length or when no font is available.
    bool TextOut(int x, int y, const char* text, int length);
    // The advance of the text and the cell height ({0, 0} without a font).
    SIZE GetTextExtent(const char* text, int length);
    // One line into rect, clipped to it unless DT_NOCLIP: DT_CENTER or
    // DT_RIGHT place it horizontally, x = left + (width - advance) / 2 or
    // right - advance; with DT_SINGLELINE, DT_VCENTER or DT_BOTTOM place it
    // vertically, y = top + (height - cell) / 2 or bottom - cell (divisions
    // truncate toward zero). A negative length means a zero-terminated text.
    // Returns the distance from rect's top to the bottom of the cell, 0 on failure.
    int DrawText(const char* text, int length, RECT* rect, UINT format);

    // Fast primitives that the drawing operations share; clipped to ClipRect().
    // Inside a ColumnBatch on this context, FillColumn and FillRectValue
    // collect their pixels for it.
    void FillSpan(int y, int x0, int x1, std::uint32_t value);    // [x0, x1)
    void FillColumn(int x, int y0, int y1, std::uint32_t value);  // [y0, y1)
    void FillRectValue(const RECT& rect, std::uint32_t value);
    void SetPixelValue(int x, int y, std::uint32_t value);

private:
    friend class ClipScope;
    friend class ColumnBatch;

    // Row y of the surface for drawing: an open batch's columns are stored
    // first, so that what is drawn now lands over them.
    std::uint32_t* Row(int y) {
        if (m_pColumns != nullptr && !m_pColumns->IsEmpty()) {
            m_pColumns->Store();
        }
        return m_surface.Row(y);
    }
    // Row y and its mirror row of an ellipse; one that lies outside the clip
    // is given as the other, both null when neither lies inside.
    std::pair<std::uint32_t*, std::uint32_t*> MirrorRows(int y, std::int64_t mirror);
    CFont* CurrentFont();
    // Fills the cell (when opaque) and draws the glyphs with the cell's top left
    // at (x, y), only inside clip. Returns the text's advance.
    std::int64_t WriteText(const char* text, int length, std::int64_t x, std::int64_t y,
                           const RECT& clip);
    void DrawLine(int x0, int y0, int x1, int y1, std::uint32_t value);

    Surface& m_surface;
    RECT m_rcClip;
    CPen* m_pPen;
    CBrush* m_pBrush;
    CFont* m_pFont = nullptr;
    CPalette* m_pPalette = nullptr;
    // The selected palette realizes as a background palette: it keeps the
    // system palette's entries and only takes free ones.
    bool m_bBackgroundPalette = false;
    POINT m_ptCurrent{0, 0};
    COLORREF m_crText = 0x000000;
    COLORREF m_crBk = 0xFFFFFF;
    int m_nBkMode = OPAQUE;
    UINT m_nTextAlign = TA_TOP | TA_LEFT | TA_NOUPDATECP;
    CPen m_defaultPen;
    // Created on first use of text without a selected font.
    CFont m_defaultFont;
    bool m_bDefaultFontTried = false;
    // The open batch of vertical lines, if any (ColumnBatch sets and clears it).
    ColumnBatch* m_pColumns = nullptr;
};
