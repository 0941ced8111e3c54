// SPDX-License-Identifier: MIT
#include "gdi/CDC.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "gdi/EllipseRows.h"
#include "gdi/PixelRun.h"

namespace {

// Line steps multiply coordinates of up to 33 bits.
__extension__ typedef __int128 Int128;

}  // namespace

CDC::CDC(Surface& surface)
    : m_surface(surface),
      m_rcClip{0, 0, surface.Width(), surface.Height()},
      m_pPen(&m_defaultPen),
      m_pBrush(GetStockBrush(WHITE_BRUSH)) {
    ++m_pPen->m_nSelections;
    ++m_pBrush->m_nSelections;
}

CDC::CDC(Surface& surface, const RECT& updateRect) : CDC(surface) {
    const RECT whole = m_rcClip;
    IntersectRect(&m_rcClip, &whole, &updateRect);
}

CDC::~CDC() {
    --m_pPen->m_nSelections;
    --m_pBrush->m_nSelections;
    if (m_pFont != nullptr) {
        --m_pFont->m_nSelections;
    }
    if (m_pPalette != nullptr) {
        --m_pPalette->m_nSelections;
    }
}

int CDC::GetDeviceCaps(int index) const {
    return index == BITSPIXEL ? m_surface.BitsPerPixel() : 0;
}

CPen* CDC::SelectObject(CPen* pen) {
    CPen* previous = m_pPen;
    --previous->m_nSelections;
    m_pPen = pen != nullptr ? pen : &m_defaultPen;
    ++m_pPen->m_nSelections;
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    CBrush* previous = m_pBrush;
    --previous->m_nSelections;
    m_pBrush = brush != nullptr ? brush : GetStockBrush(WHITE_BRUSH);
    ++m_pBrush->m_nSelections;
    return previous;
}

CFont* CDC::SelectObject(CFont* font) {
    CFont* previous = m_pFont;
    if (previous != nullptr) {
        --previous->m_nSelections;
    }
    // A font that was never created changes nothing.
    m_pFont = font != nullptr && !font->IsCreated() ? previous : font;
    if (m_pFont != nullptr) {
        ++m_pFont->m_nSelections;
    }
    return previous;
}

CPalette* CDC::SelectPalette(CPalette* palette, bool forceBackground) {
    CPalette* previous = m_pPalette;
    if (previous != nullptr) {
        --previous->m_nSelections;
    }
    // A palette that was never created changes nothing.
    m_pPalette = palette != nullptr && !palette->IsCreated() ? previous : palette;
    if (m_pPalette != nullptr) {
        ++m_pPalette->m_nSelections;
    }
    if (m_pPalette != previous) {
        m_bBackgroundPalette = forceBackground;
    }
    return previous;
}

UINT CDC::RealizePalette() {
    if (m_pPalette == nullptr) {
        return 0;
    }
    m_pPalette->m_systemIndices = m_surface.Realize(m_pPalette->m_entries, m_bBackgroundPalette);
    return static_cast<UINT>(m_pPalette->m_systemIndices.size());
}

std::uint32_t CDC::DeviceValue(COLORREF color) const {
    if (!IsPaletteIndex(color)) {
        return m_surface.DeviceValue(color & 0xFFFFFF);
    }
    // Without a palette the index refers to nothing usable: it shows black.
    if (m_pPalette == nullptr) {
        return m_surface.DeviceValue(0);
    }
    const auto entries = m_pPalette->Entries();
    std::size_t index = color & 0xFFFF;
    if (index >= entries.size()) {
        index = 0;
    }
    if (m_surface.IsPaletteDevice() && index < m_pPalette->m_systemIndices.size()) {
        return m_pPalette->m_systemIndices[index];
    }
    const PALETTEENTRY& e = entries[index];
    return m_surface.DeviceValue(RGB(e.peRed, e.peGreen, e.peBlue));
}

void CDC::FillSpan(int y, int x0, int x1, std::uint32_t value) {
    if (y < m_rcClip.top || y >= m_rcClip.bottom) {
        return;
    }
    x0 = std::max(x0, m_rcClip.left);
    x1 = std::min(x1, m_rcClip.right);
    if (x0 < x1) {
        FillPixels(Row(y) + x0, static_cast<std::size_t>(x1 - x0), value);
    }
}

void CDC::FillColumn(int x, int y0, int y1, std::uint32_t value) {
    if (x < m_rcClip.left || x >= m_rcClip.right) {
        return;
    }
    y0 = std::max(y0, m_rcClip.top);
    y1 = std::min(y1, m_rcClip.bottom);
    if (y0 >= y1) {
        return;
    }
    if (m_pColumns != nullptr) {
        m_pColumns->Add(x, x + 1, y0, y1, value);
        return;
    }
    for (int y = y0; y < y1; ++y) {
        m_surface.Row(y)[x] = value;
    }
}

void CDC::FillRectValue(const RECT& rect, std::uint32_t value) {
    RECT r;
    if (!IntersectRect(&r, &rect, &m_rcClip)) {
        return;
    }
    if (m_pColumns != nullptr) {
        m_pColumns->Add(r.left, r.right, r.top, r.bottom, value);
        return;
    }
    const auto count = static_cast<std::size_t>(r.right - r.left);
    for (int y = r.top; y < r.bottom; ++y) {
        FillPixels(Row(y) + r.left, count, value);
    }
}

void CDC::SetPixelValue(int x, int y, std::uint32_t value) {
    if (x >= m_rcClip.left && x < m_rcClip.right && y >= m_rcClip.top && y < m_rcClip.bottom) {
        Row(y)[x] = value;
    }
}

POINT CDC::MoveTo(int x, int y) {
    const POINT previous = m_ptCurrent;
    m_ptCurrent = {x, y};
    return previous;
}

bool CDC::LineTo(int x, int y) {
    DrawLine(m_ptCurrent.x, m_ptCurrent.y, x, y, DeviceValue(m_pPen->Color()));
    m_ptCurrent = {x, y};
    return true;
}

// Draws from (x0, y0) towards (x1, y1), leaving out the end pixel. Along the
// major axis every step sets one pixel; the minor coordinate of step k is
// k * minor / major rounded half away from the start, computed exactly, so
// that only the steps inside the clip rectangle are visited.
void CDC::DrawLine(int x0, int y0, int x1, int y1, std::uint32_t value) {
    if (y0 == y1) {
        if (x1 >= x0) {
            FillSpan(y0, x0, x1, value);
        } else {
            FillSpan(y0, x1 + 1, x0 + 1, value);
        }
        return;
    }
    if (x0 == x1) {
        if (y1 >= y0) {
            FillColumn(x0, y0, y1, value);
        } else {
            FillColumn(x0, y1 + 1, y0 + 1, value);
        }
        return;
    }
    const std::int64_t dx = static_cast<std::int64_t>(x1) - x0;
    const std::int64_t dy = static_cast<std::int64_t>(y1) - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int majorSign = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int minorSign = (xMajor ? dy : dx) > 0 ? 1 : -1;
    const std::int64_t majorStart = xMajor ? x0 : y0;
    const std::int64_t clipLow = xMajor ? m_rcClip.left : m_rcClip.top;
    const std::int64_t clipHigh = (xMajor ? m_rcClip.right : m_rcClip.bottom) - 1;
    // Steps k in [0, major) whose major coordinate lies inside the clip range.
    std::int64_t kFirst = majorSign > 0 ? clipLow - majorStart : majorStart - clipHigh;
    std::int64_t kLast = majorSign > 0 ? clipHigh - majorStart : majorStart - clipLow;
    kFirst = std::max<std::int64_t>(kFirst, 0);
    kLast = std::min<std::int64_t>(kLast, major - 1);
    for (std::int64_t k = kFirst; k <= kLast; ++k) {
        const auto offset =
            static_cast<std::int64_t>((Int128{2} * k * minor + major) / (Int128{2} * major));
        const std::int64_t a = majorStart + majorSign * k;
        const std::int64_t b = (xMajor ? y0 : x0) + minorSign * offset;
        if (xMajor) {
            SetPixelValue(static_cast<int>(a),
                          static_cast<int>(std::clamp<std::int64_t>(b, INT32_MIN, INT32_MAX)),
                          value);
        } else {
            SetPixelValue(static_cast<int>(std::clamp<std::int64_t>(b, INT32_MIN, INT32_MAX)),
                          static_cast<int>(a), value);
        }
    }
}

bool CDC::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) {
        return false;
    }
    if (!m_pBrush->IsNull() && right - left > 2 && bottom - top > 2) {
        FillRectValue({left + 1, top + 1, right - 1, bottom - 1}, DeviceValue(m_pBrush->Color()));
    }
    const std::uint32_t pen = DeviceValue(m_pPen->Color());
    FillSpan(top, left, right, pen);
    FillSpan(bottom - 1, left, right, pen);
    FillColumn(left, top, bottom, pen);
    FillColumn(right - 1, top, bottom, pen);
    return true;
}

namespace {

// Draws an ellipse's row into upper and lower, a row and its mirror row (the
// same row when one of them lies outside the clip, both null when both do): the
// pen's pixels, and the inside with *brush unless brush is null. Always
// inlined: a ring's row is a few pixels, fewer than a call costs.
[[gnu::always_inline]] inline void DrawEllipseRow(std::uint32_t* upper, std::uint32_t* lower,
                                                  const RECT& clip, const EllipsePairs& ellipse,
                                                  const EllipseRow& row, std::uint32_t pen,
                                                  const std::uint32_t* brush) {
    // Pixels [x0, x1] of both rows, clipped.
    auto span = [&](int x0, int x1, std::uint32_t value) {
        x0 = std::max(x0, static_cast<int>(clip.left));
        x1 = std::min(x1 + 1, static_cast<int>(clip.right));
        if (x0 >= x1) {
            return;
        }
        const auto count = static_cast<std::size_t>(x1 - x0);
        FillPixels(upper + x0, count, value);
        FillPixels(lower + x0, count, value);
    };
    if (upper == nullptr || row.outer < 0) {
        return;
    }
    const int first = ellipse.FirstPixel(row.outer);
    const int last = ellipse.LastPixel(row.outer);
    if (row.inner < 0) {
        span(first, last, pen);
        return;
    }
    const int inFirst = ellipse.FirstPixel(row.inner);
    const int inLast = ellipse.LastPixel(row.inner);
    span(first, inFirst - 1, pen);
    span(inLast + 1, last, pen);
    if (brush != nullptr) {
        span(inFirst, inLast, *brush);
    }
}

// Draws a row of an unfilled ellipse whose columns all lie inside the clip.
// The ellipse is symmetric, so its two pen runs in a row are equally long;
// inside rings every run but a few near the top and the bottom is one pixel.
[[gnu::always_inline]] inline void DrawRingRow(std::uint32_t* upper, std::uint32_t* lower,
                                               const EllipsePairs& ellipse, const EllipseRow& row,
                                               std::uint32_t pen) {
    if (upper == nullptr || row.outer < 0) {
        return;
    }
    const int first = ellipse.FirstPixel(row.outer);
    const int last = ellipse.LastPixel(row.outer);
    if (row.inner < 0) {
        const auto count = static_cast<std::size_t>(last - first + 1);
        FillPixels(upper + first, count, pen);
        FillPixels(lower + first, count, pen);
        return;
    }
    const int right = ellipse.LastPixel(row.inner) + 1;
    const auto count = static_cast<std::size_t>(ellipse.FirstPixel(row.inner) - first);
    if (count == 1) {
        upper[first] = pen;
        upper[right] = pen;
        lower[first] = pen;
        lower[right] = pen;
        return;
    }
    FillPixels(upper + first, count, pen);
    FillPixels(upper + right, count, pen);
    FillPixels(lower + first, count, pen);
    FillPixels(lower + right, count, pen);
}

}  // namespace

std::pair<std::uint32_t*, std::uint32_t*> CDC::MirrorRows(int y, std::int64_t mirror) {
    auto inClip = [&](std::int64_t row) { return row >= m_rcClip.top && row < m_rcClip.bottom; };
    std::uint32_t* upper = inClip(y) ? Row(y) : nullptr;
    std::uint32_t* lower = mirror != y && inClip(mirror) ? Row(static_cast<int>(mirror)) : nullptr;
    // A row drawn twice with the same values is drawn once: either stands in
    // for the other, so that the spans need not ask which rows exist.
    return {upper != nullptr ? upper : lower, lower != nullptr ? lower : upper};
}

bool CDC::Ellipse(int left, int top, int right, int bottom) {
    std::optional<EllipsePairs> pairs = EllipsePairs::Of(left, top, right, bottom, m_rcClip);
    if (!pairs) {
        return false;
    }
    const std::uint32_t pen = DeviceValue(m_pPen->Color());
    const std::uint32_t brushValue = m_pBrush->IsNull() ? 0 : DeviceValue(m_pBrush->Color());
    const std::uint32_t* brush = m_pBrush->IsNull() ? nullptr : &brushValue;
    for (int y = pairs->First(); y < pairs->End(); ++y) {
        const auto [upper, lower] = MirrorRows(y, pairs->Mirror(y));
        DrawEllipseRow(upper, lower, m_rcClip, *pairs, pairs->Next(), pen, brush);
    }
    return true;
}

bool CDC::Rings(const RECT* box, int inset, int count) {
    // The ellipses that draw rows inside the clip, in drawing order. They
    // share the centre, so they share the pairs of mirror rows and the end of
    // their upper rows, and each starts no earlier than the one around it.
    // From `inside` on, their columns lie inside the clip.
    std::vector<EllipsePairs> rings;
    std::size_t inside = 0;
    bool draws = false;
    for (int i = 0; i < count; ++i) {
        const std::int64_t d = static_cast<std::int64_t>(i) * inset;
        const std::int64_t left = box->left + d;
        const std::int64_t right = box->right - d;
        std::optional<EllipsePairs> ring =
            EllipsePairs::Of(left, box->top + d, right, box->bottom - d, m_rcClip);
        draws = draws || ring.has_value();
        if (ring && ring->First() < ring->End()) {
            if (left < m_rcClip.left || right > m_rcClip.right) {
                inside = rings.size() + 1;
            }
            rings.push_back(*ring);
        }
    }
    if (rings.empty()) {
        return draws;
    }
    const std::uint32_t pen = DeviceValue(m_pPen->Color());
    const std::uint32_t brushValue = m_pBrush->IsNull() ? 0 : DeviceValue(m_pBrush->Color());
    const std::uint32_t* brush = m_pBrush->IsNull() ? nullptr : &brushValue;
    // Only the first ring fills its inside.
    inside = std::max<std::size_t>(inside, brush != nullptr ? 1 : 0);
    // Row pair by row pair, every ring in its drawing order: each row gets the
    // same writes in the same order as ring after ring would give it. The
    // rings that reach row y are the first `reaching` ones.
    std::size_t reaching = 0;
    for (int y = rings.front().First(); y < rings.front().End(); ++y) {
        while (reaching < rings.size() && rings[reaching].First() <= y) {
            ++reaching;
        }
        const auto [upper, lower] = MirrorRows(y, rings.front().Mirror(y));
        const std::size_t clipped = std::min(inside, reaching);
        for (std::size_t i = 0; i < clipped; ++i) {
            DrawEllipseRow(upper, lower, m_rcClip, rings[i], rings[i].Next(), pen,
                           i == 0 ? brush : nullptr);
        }
        for (std::size_t i = clipped; i < reaching; ++i) {
            DrawRingRow(upper, lower, rings[i], rings[i].Next(), pen);
        }
    }
    return true;
}

void CDC::FillRect(const RECT* rect, CBrush* brush) {
    if (!brush->IsNull()) {
        FillRectValue(*rect, DeviceValue(brush->Color()));
    }
}

void CDC::FrameRect(const RECT* rect, CBrush* brush) {
    if (brush->IsNull() || rect->right <= rect->left || rect->bottom <= rect->top) {
        return;
    }
    const std::uint32_t value = DeviceValue(brush->Color());
    FillSpan(rect->top, rect->left, rect->right, value);
    FillSpan(rect->bottom - 1, rect->left, rect->right, value);
    FillColumn(rect->left, rect->top, rect->bottom, value);
    FillColumn(rect->right - 1, rect->top, rect->bottom, value);
}

void CDC::InvertRect(const RECT* rect) {
    RECT r;
    if (!IntersectRect(&r, rect, &m_rcClip)) {
        return;
    }
    // Inverting flips a fixed set of bits: the inverse of 0 names them.
    const std::uint32_t mask = m_surface.InvertValue(0);
    const auto count = static_cast<std::size_t>(r.right - r.left);
    for (int y = r.top; y < r.bottom; ++y) {
        InvertPixels(Row(y) + r.left, count, mask);
    }
}

bool CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop) {
    if (source != this || rop != SRCCOPY || width <= 0 || height <= 0) {
        return false;
    }
    // Clip the destination to the clip rectangle and the source to the surface.
    const RECT surface{0, 0, m_surface.Width(), m_surface.Height()};
    const std::int64_t sx = xSrc;
    const std::int64_t sy = ySrc;
    std::int64_t left = std::max<std::int64_t>({x, m_rcClip.left, x + (surface.left - sx)});
    std::int64_t top = std::max<std::int64_t>({y, m_rcClip.top, y + (surface.top - sy)});
    std::int64_t right = std::min<std::int64_t>(
        {static_cast<std::int64_t>(x) + width, m_rcClip.right, x + (surface.right - sx)});
    std::int64_t bottom = std::min<std::int64_t>(
        {static_cast<std::int64_t>(y) + height, m_rcClip.bottom, y + (surface.bottom - sy)});
    if (left >= right || top >= bottom) {
        return true;
    }
    const std::size_t count = static_cast<std::size_t>(right - left);
    auto copyRow = [&](std::int64_t row) {
        std::memmove(Row(static_cast<int>(row)) + left,
                     Row(static_cast<int>(row - y + sy)) + (left - x + sx),
                     count * sizeof(std::uint32_t));
    };
    if (y > ySrc) {
        for (std::int64_t row = bottom - 1; row >= top; --row) {
            copyRow(row);
        }
    } else {
        for (std::int64_t row = top; row < bottom; ++row) {
            copyRow(row);
        }
    }
    return true;
}

int CDC::SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int xSrc, int ySrc,
                           UINT startScan, UINT scanLines, const void* bits, const void* info,
                           UINT colorUse) {
    BITMAPINFOHEADER header;
    std::memcpy(&header, info, sizeof header);
    if (header.biBitCount != 8 || header.biCompression != BI_RGB || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biHeight == INT32_MIN) {
        return 0;
    }
    const bool bottomUp = header.biHeight > 0;
    const std::int64_t dibHeight = bottomUp ? header.biHeight : -std::int64_t{header.biHeight};
    const std::size_t stride = (static_cast<std::size_t>(header.biWidth) + 3) & ~std::size_t{3};
    const DWORD tableSize =
        header.biClrUsed == 0 || header.biClrUsed > 256 ? 256 : header.biClrUsed;

    // Device value of each of the 256 pixel values; values past the table show black.
    std::uint32_t map[256];
    const auto* table = static_cast<const BYTE*>(info) + header.biSize;
    for (DWORD i = 0; i < 256; ++i) {
        COLORREF color = 0;
        if (i < tableSize && colorUse == DIB_PAL_COLORS) {
            WORD index;
            std::memcpy(&index, table + 2 * i, sizeof index);
            color = PALETTEINDEX(index);
        } else if (i < tableSize) {
            RGBQUAD quad;
            std::memcpy(&quad, table + 4 * i, sizeof quad);
            color = RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue);
        }
        map[i] = DeviceValue(color);
    }

    // The columns that lie inside both the clip rectangle and the bitmap.
    const std::int64_t iBegin =
        std::max({std::int64_t{0}, std::int64_t{m_rcClip.left} - x, -std::int64_t{xSrc}});
    const std::int64_t iEnd =
        std::min({static_cast<std::int64_t>(width), std::int64_t{m_rcClip.right} - x,
                  std::int64_t{header.biWidth} - xSrc});
    const auto* pixels = static_cast<const BYTE*>(bits);
    for (std::int64_t j = 0; j < static_cast<std::int64_t>(height) && iBegin < iEnd; ++j) {
        // Scan lines count from the bottom of a bottom-up bitmap, from the top otherwise.
        const std::int64_t scan = bottomUp ? std::int64_t{ySrc} + height - 1 - j : ySrc + j;
        if (scan < startScan || scan >= std::int64_t{startScan} + scanLines || scan >= dibHeight) {
            continue;
        }
        const std::int64_t destY = y + j;
        if (destY < m_rcClip.top || destY >= m_rcClip.bottom) {
            continue;
        }
        const BYTE* src = pixels + static_cast<std::size_t>(scan - startScan) * stride;
        std::uint32_t* row = Row(static_cast<int>(destY));
        for (std::int64_t i = iBegin; i < iEnd; ++i) {
            row[x + i] = map[src[xSrc + i]];
        }
    }
    return static_cast<int>(scanLines);
}

COLORREF CDC::SetTextColor(COLORREF color) {
    return std::exchange(m_crText, color);
}
COLORREF CDC::SetBkColor(COLORREF color) {
    return std::exchange(m_crBk, color);
}
int CDC::SetBkMode(int mode) {
    return std::exchange(m_nBkMode, mode);
}
UINT CDC::SetTextAlign(UINT align) {
    return std::exchange(m_nTextAlign, align);
}
