// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cstring>

#include "gdi/CDC.h"
#include "gdi/FontLibrary.h"

namespace {

const GlyphSet* GlyphsOf(const CFont* font) {
    return font != nullptr && font->IsCreated() ? font->Face()->glyphs.get() : nullptr;
}

std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// Fills [left, right) x [top, bottom) inside clip.
void FillClipped(Surface& surface, std::int64_t left, std::int64_t top, std::int64_t right,
                 std::int64_t bottom, const RECT& clip, std::uint32_t value) {
    const std::int64_t x0 = std::max<std::int64_t>(left, clip.left);
    const std::int64_t x1 = std::min<std::int64_t>(right, clip.right);
    const std::int64_t y0 = std::max<std::int64_t>(top, clip.top);
    const std::int64_t y1 = std::min<std::int64_t>(bottom, clip.bottom);
    for (std::int64_t y = y0; y < y1 && x0 < x1; ++y) {
        std::uint32_t* row = surface.Row(static_cast<int>(y));
        std::fill(row + x0, row + x1, value);
    }
}

// Sets the glyph pixels of the text, the pen starting at x on the cell whose
// top is y. Glyphs wholly inside clip are written without per-run checks.
void DrawGlyphs(Surface& surface, const GlyphSet& glyphs, const unsigned char* text,
                std::size_t length, std::int64_t x, std::int64_t y, const RECT& clip,
                std::uint32_t value) {
    const std::int64_t inkTop = y + glyphs.InkTop();
    const std::int64_t inkBottom = y + glyphs.InkBottom();
    if (inkBottom <= clip.top || inkTop >= clip.bottom || clip.left >= clip.right) {
        return;
    }
    const bool rowsInside = inkTop >= clip.top && inkBottom <= clip.bottom;
    std::int64_t pen = x;
    for (std::size_t i = 0; i < length; ++i) {
        const Glyph& glyph = glyphs.GlyphFor(text[i]);
        const std::int64_t inkLeft = pen - glyphs.InkLeft();
        const std::int64_t inkRight = pen + glyph.advance + glyphs.InkOverhang();
        // Pens only move right: no later glyph reaches into the clip either.
        if (inkLeft >= clip.right) {
            break;
        }
        if (inkRight > clip.left) {
            const bool inside = rowsInside && inkLeft >= clip.left && inkRight <= clip.right;
            for (const GlyphRun& run : glyphs.Runs(glyph)) {
                const std::int64_t row = y + run.y;
                std::int64_t x0 = pen + run.x0;
                std::int64_t x1 = pen + run.x1;
                if (!inside) {
                    if (row < clip.top || row >= clip.bottom) {
                        continue;
                    }
                    x0 = std::max<std::int64_t>(x0, clip.left);
                    x1 = std::min<std::int64_t>(x1, clip.right);
                    if (x0 >= x1) {
                        continue;
                    }
                }
                std::uint32_t* pixels = surface.Row(static_cast<int>(row));
                std::fill(pixels + x0, pixels + x1, value);
            }
        }
        pen += glyph.advance;
    }
}

}  // namespace

CFont* CDC::CurrentFont() {
    if (m_pFont != nullptr && m_pFont->IsCreated()) {
        return m_pFont;
    }
    if (!m_bDefaultFontTried) {
        m_bDefaultFontTried = true;
        m_defaultFont.CreateFont(CFont::kDefaultHeight, 0, 0, 0, CFont::kDefaultWeight, 0, 0, 0,
                                 ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kSystemFontName);
    }
    return &m_defaultFont;
}

std::int64_t CDC::WriteText(const char* text, int length, std::int64_t x, std::int64_t y,
                            const RECT& clip) {
    const GlyphSet& glyphs = *GlyphsOf(CurrentFont());
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    const auto count = static_cast<std::size_t>(length);
    const std::int64_t width = glyphs.TextWidth(bytes, count);
    if (m_nBkMode == OPAQUE) {
        FillClipped(m_surface, x, y, x + width, y + glyphs.CellHeight(), clip, DeviceValue(m_crBk));
    }
    DrawGlyphs(m_surface, glyphs, bytes, count, x, y, clip, DeviceValue(m_crText));
    return width;
}

bool CDC::TextOut(int x, int y, const char* text, int length) {
    if (length < 0 || (text == nullptr && length > 0) || GlyphsOf(CurrentFont()) == nullptr) {
        return false;
    }
    const bool updateCurrent = (m_nTextAlign & TA_UPDATECP) != 0;
    if (updateCurrent) {
        x = m_ptCurrent.x;
        y = m_ptCurrent.y;
    }
    const std::int64_t width = WriteText(text, length, x, y, m_rcClip);
    if (updateCurrent) {
        m_ptCurrent.x = ClampToInt32(x + width);
    }
    return true;
}

SIZE CDC::GetTextExtent(const char* text, int length) {
    const GlyphSet* glyphs = GlyphsOf(CurrentFont());
    if (glyphs == nullptr || length < 0 || (text == nullptr && length > 0)) {
        return {0, 0};
    }
    const std::int64_t width = glyphs->TextWidth(reinterpret_cast<const unsigned char*>(text),
                                                 static_cast<std::size_t>(length));
    return {ClampToInt32(width), glyphs->CellHeight()};
}

int CDC::DrawText(const char* text, int length, RECT* rect, UINT format) {
    const GlyphSet* glyphs = GlyphsOf(CurrentFont());
    if (rect == nullptr || glyphs == nullptr || (text == nullptr && length != 0)) {
        return 0;
    }
    if (length < 0) {
        length = static_cast<int>(std::min<std::size_t>(std::strlen(text), INT32_MAX));
    }
    const std::int64_t width = glyphs->TextWidth(reinterpret_cast<const unsigned char*>(text),
                                                 static_cast<std::size_t>(length));
    const std::int64_t cell = glyphs->CellHeight();
    const std::int64_t left = rect->left;
    const std::int64_t top = rect->top;
    const std::int64_t right = rect->right;
    const std::int64_t bottom = rect->bottom;
    std::int64_t x = left;
    if ((format & DT_CENTER) != 0) {
        x = left + (right - left - width) / 2;
    } else if ((format & DT_RIGHT) != 0) {
        x = right - width;
    }
    std::int64_t y = top;
    if ((format & DT_SINGLELINE) != 0) {
        if ((format & DT_VCENTER) != 0) {
            y = top + (bottom - top - cell) / 2;
        } else if ((format & DT_BOTTOM) != 0) {
            y = bottom - cell;
        }
    }
    RECT clip = m_rcClip;
    if ((format & DT_NOCLIP) == 0 && !IntersectRect(&clip, &m_rcClip, rect)) {
        clip = {0, 0, 0, 0};
    }
    WriteText(text, length, x, y, clip);
    return ClampToInt32(y - top + cell);
}
