// SPDX-License-Identifier: MIT
// Value types and constants of the software display, named as the drawing
// code that uses them names them: COLORREF, RGB, PALETTEINDEX, RECT, ...
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;

// 0x00BBGGRR, red in the low byte; 0x01000000 | index is a palette-relative colour.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}
constexpr COLORREF PALETTEINDEX(WORD index) {
    return 0x01000000u | index;
}
constexpr bool IsPaletteIndex(COLORREF c) {
    return (c >> 24) == 0x01;
}
constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c);
}
constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>(c >> 8);
}
constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>(c >> 16);
}

struct POINT {
    std::int32_t x;
    std::int32_t y;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    std::int32_t cx;
    std::int32_t cy;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

// Right and bottom are exclusive for fills, rectangles and ellipses.
struct RECT {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
    friend bool operator==(const RECT&, const RECT&) = default;
};

void InflateRect(RECT* rect, int dx, int dy);
void OffsetRect(RECT* rect, int dx, int dy);
bool IsRectEmpty(const RECT* rect);
// Writes the overlap of a and b (empty at (0, 0, 0, 0) when there is none).
bool IntersectRect(RECT* out, const RECT* a, const RECT* b);

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
    friend bool operator==(const PALETTEENTRY&, const PALETTEENTRY&) = default;
};

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

// The 40-byte header of a device-independent bitmap; its colour table follows it
// in memory (RGBQUADs with DIB_RGB_COLORS, 16-bit palette indices with DIB_PAL_COLORS).
struct BITMAPINFOHEADER {
    DWORD biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

constexpr DWORD BI_RGB = 0;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr UINT DIB_PAL_COLORS = 1;

constexpr int BITSPIXEL = 12;
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr int PS_SOLID = 0;

constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;

constexpr int OPAQUE = 2;
constexpr int TRANSPARENT = 1;

constexpr UINT TA_TOP = 0;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;

constexpr UINT DT_TOP = 0x00;
constexpr UINT DT_LEFT = 0x00;
constexpr UINT DT_CENTER = 0x01;
constexpr UINT DT_RIGHT = 0x02;
constexpr UINT DT_VCENTER = 0x04;
constexpr UINT DT_BOTTOM = 0x08;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_NOCLIP = 0x100;

constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE PROOF_QUALITY = 2;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FF_DONTCARE = 0;
