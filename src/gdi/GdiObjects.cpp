// SPDX-License-Identifier: MIT
#include "gdi/GdiObjects.h"

#include <cstdio>
#include <cstdlib>

#include "gdi/Surface.h"

CGdiObject::~CGdiObject() {
    if (m_nSelections != 0) {
        std::fputs("zynmon: a drawing object was destroyed while still selected\n", stderr);
        std::abort();
    }
}

bool CPen::CreatePen(int /*style*/, int /*width*/, COLORREF color) {
    m_crColor = color;
    return true;
}

bool CBrush::CreateSolidBrush(COLORREF color) {
    m_crColor = color;
    m_bNull = false;
    return true;
}

CBrush* GetStockBrush(int index) {
    static CBrush white(0xFFFFFF);
    static CBrush black(0x000000);
    static CBrush hollow{CBrush::NullTag{}};
    switch (index) {
        case BLACK_BRUSH:
            return &black;
        case NULL_BRUSH:
            return &hollow;
        default:
            return &white;
    }
}

bool CPalette::CreatePalette(std::span<const PALETTEENTRY> entries) {
    m_entries.assign(entries.begin(), entries.end());
    m_systemIndices.clear();
    return IsCreated() ? true : false;
}

UINT CPalette::GetNearestPaletteIndex(COLORREF rgb) const {
    return static_cast<UINT>(NearestColorIndex(m_entries, rgb));
}
