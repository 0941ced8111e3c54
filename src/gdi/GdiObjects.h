// SPDX-License-Identifier: MIT
// Pens, brushes, palettes and fonts of the software display.
//
// Objects are plain values owned by whoever creates them. A device context
// counts how often each object is selected into it; destroying an object that
// is still selected is a programming error and stops the program with a
// message, in every build.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "gdi/GdiTypes.h"

class CDC;
class Surface;
struct FontFace;

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject();

    bool IsSelected() const { return m_nSelections != 0; }

private:
    friend class CDC;
    int m_nSelections = 0;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    bool CreatePen(int style, int width, COLORREF color);

    COLORREF Color() const { return m_crColor; }

private:
    COLORREF m_crColor = 0;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    bool CreateSolidBrush(COLORREF color);

    bool IsNull() const { return m_bNull; }
    COLORREF Color() const { return m_crColor; }

private:
    friend CBrush* GetStockBrush(int index);
    struct NullTag {};
    explicit CBrush(NullTag) : m_bNull(true) {}
    COLORREF m_crColor = 0xFFFFFF;
    bool m_bNull = false;
};

// WHITE_BRUSH, BLACK_BRUSH or NULL_BRUSH: shared objects that are never destroyed.
CBrush* GetStockBrush(int index);

class CPalette : public CGdiObject {
public:
    CPalette() = default;
    // An empty entry list creates nothing, as a failed creation would.
    bool CreatePalette(std::span<const PALETTEENTRY> entries);
    bool IsCreated() const { return !m_entries.empty(); }

    std::span<const PALETTEENTRY> Entries() const { return m_entries; }
    UINT GetNearestPaletteIndex(COLORREF rgb) const;

private:
    friend class CDC;
    std::vector<PALETTEENTRY> m_entries;
    // System palette index of each entry after the last realization.
    std::vector<std::uint32_t> m_systemIndices;
};

// The face name of a context's default font: a bold sans with a 16-pixel cell.
inline constexpr const char* kSystemFontName = "System";

class CFont : public CGdiObject {
public:
    // Cell height in pixels of a font created with height 0, and of the default font.
    static constexpr int kDefaultHeight = 16;
    // Weight of the default font (kSystemFontName).
    static constexpr int kDefaultWeight = FW_BOLD;

    CFont();
    ~CFont();
    // The arguments of the platform's CreateFontA. A positive height asks for a
    // character cell of that many pixels, a negative one for characters of
    // -height pixels, 0 for the default cell. Weights of 600 and more are bold.
    // Width, escapement, orientation, underline, strike-out, character set,
    // precisions, quality and pitch are taken as given and change nothing.
    // Returns false (and leaves the font empty) when no face is found or the
    // height is beyond FontLibrary::kMaxHeight.
    bool CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* faceName);
    bool IsCreated() const { return m_pFace != nullptr; }
    FontFace* Face() const { return m_pFace.get(); }
    // The font file in use (empty when not created), and the cell height.
    std::string FilePath() const;
    int CellHeight() const;

private:
    std::unique_ptr<FontFace> m_pFace;
};
