// SPDX-License-Identifier: MIT
// Surface: the pixel store of the software display.
//
// W x H pixels at 1, 4, 8 (palette device) or 15, 16, 24, 32 bits per pixel
// (direct colour). Every pixel is one 32-bit word:
//   - palette device: the index into the system palette (2^bpp entries);
//   - direct colour: 0x00RRGGBB, already cut to what the mode can show
//     (5/5/5 or 5/6/5 channels widened back by repeating their high bits),
//     so the store can be shown as 32-bit XRGB without conversion.
//
// The system palette of an 8-bit device has 20 static colours (entries 0..9
// and 246..255) and 236 free entries that realizations fill; 4 bits per pixel
// has the 16 fixed VGA colours, 1 bit black and white.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "gdi/GdiTypes.h"

class Surface {
public:
    static constexpr int kMaxSide = 16384;

    // The depth a store takes to show a display of that many bits per
    // pixel: a known depth as it is, others the direct-colour depth that
    // holds them (24 above 16 bits, else 16).
    static int DepthFor(int displayBitsPerPixel);

    // Why a surface of that shape cannot be made (one line), or null when it
    // can: for a caller that must refuse a screen before it opens a window.
    static const char* ShapeProblem(int width, int height, int bitsPerPixel);

    // Throws std::invalid_argument for a side outside 1..kMaxSide or an unknown depth.
    Surface(int width, int height, int bitsPerPixel);
    // Draws into pixel memory the caller owns (for example memory shared with
    // the display server), which must outlive the surface; its contents are
    // kept. Also throws std::invalid_argument when pixels.size() is not
    // width * height. Copies of such a surface own their pixels.
    Surface(int width, int height, int bitsPerPixel, std::span<std::uint32_t> pixels);
    Surface(const Surface& other);
    Surface& operator=(const Surface& other);
    // A moved-from surface has no pixels left.
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&& other) noexcept;
    ~Surface() = default;

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int BitsPerPixel() const { return m_nBitsPerPixel; }
    bool IsPaletteDevice() const { return m_nBitsPerPixel <= 8; }

    std::uint32_t* Row(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * m_nWidth; }
    const std::uint32_t* Row(int y) const {
        return m_pixels.data() + static_cast<std::size_t>(y) * m_nWidth;
    }
    std::uint32_t* Pixels() { return m_pixels.data(); }
    std::uint32_t Pixel(int x, int y) const { return Row(y)[x]; }

    // The pixel value that shows the nearest colour this device has for rgb
    // (a COLORREF without the palette-index flag).
    std::uint32_t DeviceValue(COLORREF rgb) const;
    // What the screen shows for a pixel value, as 0x00BBGGRR.
    COLORREF ValueToColor(std::uint32_t value) const;
    COLORREF PixelColor(int x, int y) const { return ValueToColor(Pixel(x, y)); }
    // Row y as 8-bit R, G, B triples (3 * Width() bytes).
    void RowToRGB8(int y, std::uint8_t* out) const;
    // The value that shows the inverse colour (InvertRect).
    std::uint32_t InvertValue(std::uint32_t value) const;

    // System palette of a palette device (empty on direct colour).
    int SystemPaletteSize() const { return static_cast<int>(m_systemPalette.size()); }
    PALETTEENTRY SystemPaletteEntry(int index) const { return m_systemPalette[index]; }
    // Maps logical palette entries to system palette indices. A foreground
    // realization first frees every non-static entry; both kinds reuse an
    // exact match, then take a free entry, then fall back to the nearest colour.
    std::vector<std::uint32_t> Realize(std::span<const PALETTEENTRY> entries, bool background);

private:
    void CheckShape() const;
    void InitSystemPalette();
    std::uint32_t NearestSystemIndex(COLORREF rgb) const;

    int m_nWidth;
    int m_nHeight;
    int m_nBitsPerPixel;
    // Empty when the caller owns the pixels; a moved vector keeps its buffer,
    // so m_pixels stays valid when the surface moves.
    std::vector<std::uint32_t> m_ownPixels;
    std::span<std::uint32_t> m_pixels;
    std::vector<PALETTEENTRY> m_systemPalette;
    std::vector<bool> m_entryInUse;
    std::vector<bool> m_entryStatic;
};

// The nearest colour of a table by squared RGB distance; ties go to the lowest index.
std::size_t NearestColorIndex(std::span<const PALETTEENTRY> table, COLORREF rgb);
