// SPDX-License-Identifier: MIT
// CTestPalette: collects colours, builds and realizes a logical palette on a
// palette device and gives the colour to draw with. On a direct-colour device
// it only counts and passes colours through.
#pragma once

#include <array>
#include <memory>

#include "gdi/CDC.h"
#include "gdi/GdiObjects.h"

class CTestPalette : public CPalette {
public:
    static constexpr int kCapacity = 257;

    explicit CTestPalette(bool paletteMode);
    // Selects the palette that Realize replaced back before the palette dies.
    ~CTestPalette();

    void AddColor(COLORREF color);
    void Realize(CDC* pDC);
    COLORREF NearestColor(COLORREF color) const;

    UINT EntryCount() const { return m_nEntries; }

private:
    bool m_bPaletteMode;
    std::unique_ptr<std::array<PALETTEENTRY, kCapacity>> m_pLogPalette;
    UINT m_nEntries = 0;
    CDC* m_pDC = nullptr;
    CPalette* m_pPrevious = nullptr;
};
