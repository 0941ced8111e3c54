// SPDX-License-Identifier: MIT
// Colours on direct-colour and palette devices: cut channels, nearest system
// colours, realization, palette-relative colours and device-independent bitmaps.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "support/TestSupport.h"

namespace {

std::vector<PALETTEENTRY> Entries(std::initializer_list<COLORREF> colors) {
    std::vector<PALETTEENTRY> entries;
    for (COLORREF c : colors) {
        entries.push_back({GetRValue(c), GetGValue(c), GetBValue(c), 0});
    }
    return entries;
}

// What a one-pixel fill with a brush of the colour shows.
COLORREF Shown(CDC& dc, COLORREF color) {
    CBrush brush;
    EXPECT_TRUE(brush.CreateSolidBrush(color));
    const RECT r{0, 0, 1, 1};
    dc.FillRect(&r, &brush);
    return dc.GetSurface().PixelColor(0, 0);
}

// 15 and 16 bits cut the channels to 5 (green 6) bits and widen them back by
// repeating their high bits; palette devices show the nearest system colour,
// of two as near the one of the lower index.
TEST(Color, EachDepthShowsWhatItCan) {
    constexpr struct {
        int bpp;
        COLORREF asked, shown;
    } kCases[] = {{32, RGB(1, 2, 3), RGB(1, 2, 3)},
                  {16, RGB(0x6D, 0x6D, 0x6D), RGB(0x6B, 0x6D, 0x6B)},
                  {15, RGB(0x6D, 0x6D, 0x6D), RGB(0x6B, 0x6B, 0x6B)},
                  {8, RGB(0x24, 0x24, 0x24), kBlack},
                  {4, RGB(250, 10, 10), RGB(255, 0, 0)},
                  {4, RGB(0x40, 0, 0), kBlack},  // as near to dark red: the lower index
                  {1, RGB(200, 200, 200), kWhite},
                  {1, RGB(60, 60, 60), kBlack}};
    for (const auto& c : kCases) {
        Surface surface(1, 1, c.bpp);
        CDC dc(surface);
        EXPECT_EQ(Shown(dc, c.asked), c.shown) << c.bpp << " " << std::hex << c.asked;
        std::uint8_t rgb[3] = {};  // as the renderer writes it
        surface.RowToRGB8(0, rgb);
        EXPECT_EQ(RGB(rgb[0], rgb[1], rgb[2]), c.shown);
    }
    // A shape is told to be refused before a surface is made, then refused.
    constexpr struct {
        int width, height, bpp;
        bool fits;
    } kShapes[] = {{0, 10, 32, false},     {10, 0, 32, false},      {10, 16385, 32, false},
                   {16400, 64, 32, false}, {-640, -360, 32, false}, {10, 10, 7, false},
                   {16384, 1, 8, true}};
    for (const auto& c : kShapes) {
        EXPECT_EQ(Surface::ShapeProblem(c.width, c.height, c.bpp) == nullptr, c.fits) << c.width;
        if (!c.fits) {
            EXPECT_THROW(Surface(c.width, c.height, c.bpp), std::invalid_argument);
        }
    }
    std::vector<std::uint32_t> memory(12);
    EXPECT_THROW(Surface(4, 4, 32, memory), std::invalid_argument);
    memory.resize(16);
    EXPECT_NO_THROW(Surface(4, 4, 32, memory));
    for (int bpp : {1, 4, 8}) {  // a value no entry holds shows black
        EXPECT_EQ(Surface(1, 1, bpp).ValueToColor(1u << bpp), kBlack) << bpp;
    }
}

// A foreground realization reuses exact matches (static ones too), then fills
// the free entries 10 to 245, then falls back to the nearest; the next
// foreground realization starts over.
TEST(Color, RealizationFillsFreeEntriesThenTheNearest) {
    Surface surface(2, 1, 8);
    const auto indices =
        surface.Realize(Entries({0x000000, 0xFFFFFF, 0x242424, 0x484848, 0x242424}), false);
    EXPECT_EQ(indices, (std::vector<std::uint32_t>{0, 255, 10, 11, 10}));
    EXPECT_EQ(surface.ValueToColor(10), 0x242424u);
    std::vector<PALETTEENTRY> many;
    for (int i = 0; i < 240; ++i) {
        many.push_back({static_cast<BYTE>(i), 1, 2, 0});
    }
    const auto full = surface.Realize(many, false);
    EXPECT_EQ(full[0], 10u);
    EXPECT_EQ(full[235], 245u);
    EXPECT_EQ(surface.ValueToColor(full[239]), RGB(235, 1, 2));

    Surface device(2, 1, 8);
    CDC dc(device);
    CPalette foreground;
    foreground.CreatePalette(Entries({0x242424}));
    CPalette next;
    next.CreatePalette(Entries({0x484848}));
    CPalette* previous = dc.SelectPalette(&foreground, false);
    dc.RealizePalette();
    EXPECT_EQ(Shown(dc, PALETTEINDEX(0)), 0x242424u);
    dc.SelectPalette(&next, false);
    dc.RealizePalette();
    EXPECT_EQ(dc.DeviceValue(PALETTEINDEX(0)), 10u);
    dc.SelectPalette(previous, false);
    EXPECT_EQ(Shown(dc, PALETTEINDEX(1)), kBlack) << "no palette selected";
}

// An 8-bit bottom-up bitmap of 3 x 2 pixels, or of its first scan line alone:
// the top destination row shows the last scan line; its table holds colours
// or indices into the selected palette, values past the table show black;
// what lies outside the bitmap or the clip is skipped.
TEST(Color, BitmapsLandBottomUpThroughTheirTable) {
    const std::array<BYTE, 8> bits = {1, 2, 3, 0, 3, 9, 1, 0};
    // The table as RGBQUADs (black, red, green, blue), or as indices into the palette.
    constexpr BYTE kTables[2][16] = {{0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0},
                                     {0, 0, 1, 0, 2, 0, 3, 0}};
    static_assert(DIB_RGB_COLORS == 0 && DIB_PAL_COLORS == 1);
    for (std::int32_t scanLines : {2, 1}) {
        const BITMAPINFOHEADER header{40, 3, scanLines, 1, 8, BI_RGB, 8, 0, 0, 4, 4};
        for (int bpp : {32, 8}) {
            for (UINT use : {DIB_RGB_COLORS, DIB_PAL_COLORS}) {
                SCOPED_TRACE(testing::Message() << scanLines << " lines, " << bpp << " " << use);
                std::array<BYTE, 40 + 16> info{};
                std::memcpy(info.data(), &header, sizeof header);
                std::memcpy(info.data() + 40, kTables[use], sizeof kTables[use]);
                Surface surface(5, 4, bpp);
                CPalette palette;
                palette.CreatePalette(Entries({0x000000, 0x0000FF, 0x00FF00, 0xFF0000}));
                CDC dc(surface, RECT{0, 0, 3, 4});
                dc.SelectPalette(&palette, false);
                dc.RealizePalette();
                EXPECT_EQ(
                    dc.SetDIBitsToDevice(1, 1, 6, 2, 0, 0, 0, 2, bits.data(), info.data(), use), 2);
                const COLORREF second = scanLines == 2 ? kBlue : kBlack;
                EXPECT_EQ(Row(surface, 1),
                          (std::vector<COLORREF>{kBlack, second, kBlack, kBlack, kBlack}));
                EXPECT_EQ(Row(surface, 2),
                          (std::vector<COLORREF>{kBlack, kRed, kGreen, kBlack, kBlack}));
                info[14] = 4;  // a bit count other than 8 is refused
                EXPECT_EQ(
                    dc.SetDIBitsToDevice(0, 0, 3, 2, 0, 0, 0, 2, bits.data(), info.data(), use), 0);
                EXPECT_EQ(LitBounds(surface, {0, 0, 5, 4}), (RECT{1, 3 - scanLines, 3, 3}));
            }
        }
    }
}

}  // namespace
