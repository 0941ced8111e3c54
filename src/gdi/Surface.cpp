// SPDX-License-Identifier: MIT
#include "gdi/Surface.h"

#include <array>
#include <stdexcept>
#include <utility>

namespace {

// The 20 static colours of an 8-bit device: entries 0..9 and 246..255.
constexpr std::array<PALETTEENTRY, 10> kStaticLow = {{
    {0x00, 0x00, 0x00, 0},
    {0x80, 0x00, 0x00, 0},
    {0x00, 0x80, 0x00, 0},
    {0x80, 0x80, 0x00, 0},
    {0x00, 0x00, 0x80, 0},
    {0x80, 0x00, 0x80, 0},
    {0x00, 0x80, 0x80, 0},
    {0xC0, 0xC0, 0xC0, 0},
    {0xC0, 0xDC, 0xC0, 0},
    {0xA6, 0xCA, 0xF0, 0},
}};
constexpr std::array<PALETTEENTRY, 10> kStaticHigh = {{
    {0xFF, 0xFB, 0xF0, 0},
    {0xA0, 0xA0, 0xA4, 0},
    {0x80, 0x80, 0x80, 0},
    {0xFF, 0x00, 0x00, 0},
    {0x00, 0xFF, 0x00, 0},
    {0xFF, 0xFF, 0x00, 0},
    {0x00, 0x00, 0xFF, 0},
    {0xFF, 0x00, 0xFF, 0},
    {0x00, 0xFF, 0xFF, 0},
    {0xFF, 0xFF, 0xFF, 0},
}};

// The 16 standard VGA colours of a 4-bit device, ordered so that index ^ 15
// is the inverse colour.
constexpr std::array<PALETTEENTRY, 16> kVgaColors = {{
    {0x00, 0x00, 0x00, 0},
    {0x80, 0x00, 0x00, 0},
    {0x00, 0x80, 0x00, 0},
    {0x80, 0x80, 0x00, 0},
    {0x00, 0x00, 0x80, 0},
    {0x80, 0x00, 0x80, 0},
    {0x00, 0x80, 0x80, 0},
    {0xC0, 0xC0, 0xC0, 0},
    {0x80, 0x80, 0x80, 0},
    {0xFF, 0x00, 0x00, 0},
    {0x00, 0xFF, 0x00, 0},
    {0xFF, 0xFF, 0x00, 0},
    {0x00, 0x00, 0xFF, 0},
    {0xFF, 0x00, 0xFF, 0},
    {0x00, 0xFF, 0xFF, 0},
    {0xFF, 0xFF, 0xFF, 0},
}};

constexpr std::array<PALETTEENTRY, 2> kMonochrome = {{{0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}}};

constexpr bool IsKnownDepth(int bpp) {
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 15 || bpp == 16 || bpp == 24 || bpp == 32;
}

constexpr COLORREF EntryColor(const PALETTEENTRY& e) {
    return RGB(e.peRed, e.peGreen, e.peBlue);
}

// A channel cut to `bits` bits and widened back by repeating its high bits.
constexpr std::uint32_t Requantize(std::uint32_t channel, int bits) {
    const std::uint32_t cut = channel >> (8 - bits);
    return (cut << (8 - bits)) | (cut >> (2 * bits - 8));
}

int ColorDistance(const PALETTEENTRY& e, COLORREF rgb) {
    const int dr = e.peRed - GetRValue(rgb);
    const int dg = e.peGreen - GetGValue(rgb);
    const int db = e.peBlue - GetBValue(rgb);
    return dr * dr + dg * dg + db * db;
}

}  // namespace

std::size_t NearestColorIndex(std::span<const PALETTEENTRY> table, COLORREF rgb) {
    std::size_t best = 0;
    int bestDistance = INT32_MAX;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int distance = ColorDistance(table[i], rgb);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

const char* Surface::ShapeProblem(int width, int height, int bitsPerPixel) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        return "screen size out of range (1 to 16384 pixels a side)";
    }
    if (!IsKnownDepth(bitsPerPixel)) {
        return "unknown colour depth (1, 4, 8, 15, 16, 24 or 32 bits per pixel)";
    }
    return nullptr;
}

void Surface::CheckShape() const {
    if (const char* problem = ShapeProblem(m_nWidth, m_nHeight, m_nBitsPerPixel)) {
        throw std::invalid_argument(problem);
    }
}

int Surface::DepthFor(int displayBitsPerPixel) {
    if (IsKnownDepth(displayBitsPerPixel)) {
        return displayBitsPerPixel;
    }
    return displayBitsPerPixel > 16 ? 24 : 16;
}

Surface::Surface(int width, int height, int bitsPerPixel)
    : m_nWidth(width), m_nHeight(height), m_nBitsPerPixel(bitsPerPixel) {
    CheckShape();
    m_ownPixels.assign(static_cast<std::size_t>(width) * height, 0);
    m_pixels = m_ownPixels;
    InitSystemPalette();
}

Surface::Surface(int width, int height, int bitsPerPixel, std::span<std::uint32_t> pixels)
    : m_nWidth(width), m_nHeight(height), m_nBitsPerPixel(bitsPerPixel), m_pixels(pixels) {
    CheckShape();
    if (pixels.size() != static_cast<std::size_t>(width) * height) {
        throw std::invalid_argument("pixel memory does not match the screen size");
    }
    InitSystemPalette();
}

Surface::Surface(const Surface& other)
    : m_nWidth(other.m_nWidth),
      m_nHeight(other.m_nHeight),
      m_nBitsPerPixel(other.m_nBitsPerPixel),
      m_ownPixels(other.m_pixels.begin(), other.m_pixels.end()),
      m_pixels(m_ownPixels),
      m_systemPalette(other.m_systemPalette),
      m_entryInUse(other.m_entryInUse),
      m_entryStatic(other.m_entryStatic) {}

Surface& Surface::operator=(const Surface& other) {
    if (this != &other) {
        Surface copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Surface::Surface(Surface&& other) noexcept
    : m_nWidth(other.m_nWidth),
      m_nHeight(other.m_nHeight),
      m_nBitsPerPixel(other.m_nBitsPerPixel),
      m_ownPixels(std::move(other.m_ownPixels)),
      m_pixels(std::exchange(other.m_pixels, {})),
      m_systemPalette(std::move(other.m_systemPalette)),
      m_entryInUse(std::move(other.m_entryInUse)),
      m_entryStatic(std::move(other.m_entryStatic)) {}

Surface& Surface::operator=(Surface&& other) noexcept {
    m_nWidth = other.m_nWidth;
    m_nHeight = other.m_nHeight;
    m_nBitsPerPixel = other.m_nBitsPerPixel;
    m_ownPixels = std::move(other.m_ownPixels);
    m_pixels = std::exchange(other.m_pixels, {});
    m_systemPalette = std::move(other.m_systemPalette);
    m_entryInUse = std::move(other.m_entryInUse);
    m_entryStatic = std::move(other.m_entryStatic);
    return *this;
}

void Surface::InitSystemPalette() {
    const int bitsPerPixel = m_nBitsPerPixel;
    if (bitsPerPixel == 1) {
        m_systemPalette.assign(kMonochrome.begin(), kMonochrome.end());
    } else if (bitsPerPixel == 4) {
        m_systemPalette.assign(kVgaColors.begin(), kVgaColors.end());
    } else if (bitsPerPixel == 8) {
        m_systemPalette.assign(256, PALETTEENTRY{0, 0, 0, 0});
        std::copy(kStaticLow.begin(), kStaticLow.end(), m_systemPalette.begin());
        std::copy(kStaticHigh.begin(), kStaticHigh.end(), m_systemPalette.end() - 10);
    }
    const std::size_t size = m_systemPalette.size();
    m_entryStatic.assign(size, true);
    if (bitsPerPixel == 8) {
        std::fill(m_entryStatic.begin() + 10, m_entryStatic.end() - 10, false);
    }
    m_entryInUse = m_entryStatic;
}

std::uint32_t Surface::NearestSystemIndex(COLORREF rgb) const {
    std::size_t best = 0;
    int bestDistance = INT32_MAX;
    for (std::size_t i = 0; i < m_systemPalette.size(); ++i) {
        if (!m_entryInUse[i]) {
            continue;
        }
        const int distance = ColorDistance(m_systemPalette[i], rgb);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<std::uint32_t>(best);
}

std::uint32_t Surface::DeviceValue(COLORREF rgb) const {
    if (IsPaletteDevice()) {
        return NearestSystemIndex(rgb);
    }
    std::uint32_t r = GetRValue(rgb);
    std::uint32_t g = GetGValue(rgb);
    std::uint32_t b = GetBValue(rgb);
    if (m_nBitsPerPixel == 16) {
        r = Requantize(r, 5);
        g = Requantize(g, 6);
        b = Requantize(b, 5);
    } else if (m_nBitsPerPixel == 15) {
        r = Requantize(r, 5);
        g = Requantize(g, 5);
        b = Requantize(b, 5);
    }
    return (r << 16) | (g << 8) | b;
}

COLORREF Surface::ValueToColor(std::uint32_t value) const {
    if (IsPaletteDevice()) {
        return value < m_systemPalette.size() ? EntryColor(m_systemPalette[value]) : 0;
    }
    return RGB(static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 8),
               static_cast<BYTE>(value));
}

void Surface::RowToRGB8(int y, std::uint8_t* out) const {
    const std::uint32_t* row = Row(y);
    for (int x = 0; x < m_nWidth; ++x) {
        const COLORREF c = ValueToColor(row[x]);
        *out++ = GetRValue(c);
        *out++ = GetGValue(c);
        *out++ = GetBValue(c);
    }
}

std::uint32_t Surface::InvertValue(std::uint32_t value) const {
    if (IsPaletteDevice()) {
        return value ^ static_cast<std::uint32_t>(m_systemPalette.size() - 1);
    }
    return value ^ 0xFFFFFFu;
}

std::vector<std::uint32_t> Surface::Realize(std::span<const PALETTEENTRY> entries,
                                            bool background) {
    std::vector<std::uint32_t> indices;
    indices.reserve(entries.size());
    if (!IsPaletteDevice()) {
        return indices;
    }
    if (!background) {
        m_entryInUse = m_entryStatic;
    }
    for (const PALETTEENTRY& entry : entries) {
        const COLORREF color = EntryColor(entry);
        std::size_t found = m_systemPalette.size();
        for (std::size_t i = 0; i < m_systemPalette.size() && found == m_systemPalette.size();
             ++i) {
            if (m_entryInUse[i] && EntryColor(m_systemPalette[i]) == color) {
                found = i;
            }
        }
        for (std::size_t i = 0; i < m_systemPalette.size() && found == m_systemPalette.size();
             ++i) {
            if (!m_entryInUse[i]) {
                m_systemPalette[i] = {entry.peRed, entry.peGreen, entry.peBlue, 0};
                m_entryInUse[i] = true;
                found = i;
            }
        }
        if (found == m_systemPalette.size()) {
            found = NearestSystemIndex(color);
        }
        indices.push_back(static_cast<std::uint32_t>(found));
    }
    return indices;
}
