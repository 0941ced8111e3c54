// SPDX-License-Identifier: MIT
#include "testwindow/TestPalette.h"

CTestPalette::CTestPalette(bool paletteMode) : m_bPaletteMode(paletteMode) {
    if (m_bPaletteMode) {
        m_pLogPalette = std::make_unique<std::array<PALETTEENTRY, kCapacity>>();
    }
}

CTestPalette::~CTestPalette() {
    if (m_pDC != nullptr) {
        m_pDC->SelectPalette(m_pPrevious, false);
    }
}

void CTestPalette::AddColor(COLORREF color) {
    // Entries beyond the record's capacity are counted but not stored.
    if (m_pLogPalette && m_nEntries < kCapacity) {
        (*m_pLogPalette)[m_nEntries] = {GetRValue(color), GetGValue(color), GetBValue(color), 0};
    }
    ++m_nEntries;
}

void CTestPalette::Realize(CDC* pDC) {
    if (!m_pLogPalette) {
        return;
    }
    const UINT count = m_nEntries < kCapacity ? m_nEntries : kCapacity;
    CreatePalette(std::span<const PALETTEENTRY>(m_pLogPalette->data(), count));
    m_pLogPalette.reset();
    m_pPrevious = pDC->SelectPalette(this, false);
    m_pDC = pDC;
    pDC->RealizePalette();
}

COLORREF CTestPalette::NearestColor(COLORREF color) const {
    if (!m_bPaletteMode) {
        return color;
    }
    return PALETTEINDEX(static_cast<WORD>(GetNearestPaletteIndex(color)));
}
