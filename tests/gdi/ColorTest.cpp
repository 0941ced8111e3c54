// Colours on palette and direct-colour devices: realization, nearest colours,
// palette-relative colours, 15/16-bit quantization, device-independent bitmaps.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "gdi/CDC.h"
#include "gdi/Surface.h"

namespace {

std::vector<PALETTEENTRY> Entries(std::initializer_list<COLORREF> colors) {
    std::vector<PALETTEENTRY> entries;
    for (COLORREF c : colors) {
        entries.push_back({GetRValue(c), GetGValue(c), GetBValue(c), 0});
    }
    return entries;
}

// Fills the whole surface with a brush of the colour and returns what shows.
COLORREF Shown(CDC& dc, COLORREF color) {
    CBrush brush(color);
    RECT r{0, 0, 1, 1};
    dc.FillRect(&r, &brush);
    return dc.GetSurface().PixelColor(0, 0);
}

TEST(DirectColour, TwentyFourAndThirtyTwoBitsShowEveryColourExactly) {
    for (int bpp : {24, 32}) {
        Surface surface(1, 1, bpp);
        CDC dc(surface);
        EXPECT_EQ(Shown(dc, RGB(1, 2, 3)), RGB(1, 2, 3));
        EXPECT_EQ(Shown(dc, RGB(254, 128, 7)), RGB(254, 128, 7));
    }
}

TEST(DirectColour, FifteenAndSixteenBitsCutChannelsAndWidenThemBack) {
    Surface s16(1, 1, 16);
    CDC dc16(s16);
    EXPECT_EQ(Shown(dc16, RGB(255, 255, 255)), RGB(255, 255, 255));
    EXPECT_EQ(Shown(dc16, RGB(0, 0, 0)), RGB(0, 0, 0));
    // 0x6D: 5 bits 01101 -> 01101011; 6 bits 011011 -> 01101101.
    EXPECT_EQ(Shown(dc16, RGB(0x6D, 0x6D, 0x6D)), RGB(0x6B, 0x6D, 0x6B));

    Surface s15(1, 1, 15);
    CDC dc15(s15);
    EXPECT_EQ(Shown(dc15, RGB(255, 255, 255)), RGB(255, 255, 255));
    EXPECT_EQ(Shown(dc15, RGB(0x6D, 0x6D, 0x6D)), RGB(0x6B, 0x6B, 0x6B));
}

TEST(PaletteDevice, PlainColoursShowAsTheNearestSystemColour) {
    Surface s1(1, 1, 1);
    CDC dc1(s1);
    EXPECT_EQ(Shown(dc1, RGB(200, 200, 200)), RGB(255, 255, 255));
    EXPECT_EQ(Shown(dc1, RGB(60, 60, 60)), RGB(0, 0, 0));

    Surface s4(1, 1, 4);
    CDC dc4(s4);
    EXPECT_EQ(Shown(dc4, RGB(250, 10, 10)), RGB(255, 0, 0));
    EXPECT_EQ(Shown(dc4, RGB(120, 130, 125)), RGB(128, 128, 128));

    Surface s8(1, 1, 8);
    CDC dc8(s8);
    EXPECT_EQ(Shown(dc8, RGB(0, 255, 255)), RGB(0, 255, 255));
    EXPECT_EQ(Shown(dc8, RGB(0x24, 0x24, 0x24)), RGB(0, 0, 0));
}

TEST(PaletteDevice, ForegroundRealizationReusesExactMatchesAndFillsFreeEntries) {
    Surface surface(4, 1, 8);
    const auto entries = Entries({0x000000, 0xFFFFFF, 0x242424, 0x484848, 0x242424});
    const auto indices = surface.Realize(entries, false);
    ASSERT_EQ(indices.size(), 5u);
    EXPECT_EQ(indices[0], 0u);    // static black
    EXPECT_EQ(indices[1], 255u);  // static white
    EXPECT_EQ(indices[2], 10u);   // first free entry
    EXPECT_EQ(indices[3], 11u);
    EXPECT_EQ(indices[4], 10u);  // the same colour again
    EXPECT_EQ(surface.ValueToColor(10), 0x242424u);

    // A second foreground realization takes the free entries over.
    const auto again = surface.Realize(Entries({0x123456}), false);
    EXPECT_EQ(again[0], 10u);
}

TEST(PaletteDevice, BackgroundRealizationKeepsTheEntriesOfTheForegroundPalette) {
    Surface surface(2, 1, 8);
    CDC dc(surface);
    CPalette foreground;
    foreground.CreatePalette(Entries({0x242424}));
    CPalette background;
    background.CreatePalette(Entries({0x484848, 0x242424}));
    CPalette* previous = dc.SelectPalette(&foreground, false);
    dc.RealizePalette();
    CBrush grey(PALETTEINDEX(0));
    RECT first{0, 0, 1, 1};
    dc.FillRect(&first, &grey);
    dc.SelectPalette(&background, true);
    dc.RealizePalette();
    EXPECT_EQ(surface.PixelColor(0, 0), 0x242424u) << "the drawn pixel keeps its colour";
    EXPECT_EQ(Shown(dc, PALETTEINDEX(1)), 0x242424u);
    EXPECT_EQ(surface.Pixel(0, 0), 10u) << "the exact match is shared";
    EXPECT_EQ(Shown(dc, PALETTEINDEX(0)), 0x484848u);
    dc.SelectPalette(previous, false);
}

TEST(PaletteDevice, RealizationBeyondTheFreeEntriesFallsBackToTheNearest) {
    Surface surface(1, 1, 8);
    std::vector<PALETTEENTRY> entries;
    for (int i = 0; i < 240; ++i) {
        entries.push_back({static_cast<BYTE>(i), 1, 2, 0});
    }
    const auto indices = surface.Realize(entries, false);
    EXPECT_EQ(indices[235], 245u);                                  // the last free entry
    EXPECT_EQ(surface.ValueToColor(indices[239]), RGB(235, 1, 2));  // nearest of the placed ones
}

TEST(PaletteDevice, FixedPalettesMapRealizedEntriesToTheNearest) {
    Surface surface(1, 1, 4);
    const auto indices = surface.Realize(Entries({0x0000FF, 0x202020, 0xFFFFFF}), false);
    EXPECT_EQ(surface.ValueToColor(indices[0]), 0x0000FFu);
    EXPECT_EQ(surface.ValueToColor(indices[1]), 0x000000u);
    EXPECT_EQ(surface.ValueToColor(indices[2]), 0xFFFFFFu);
}

TEST(PaletteIndex, RefersToTheSelectedRealizedPalette) {
    for (int bpp : {8, 32}) {
        Surface surface(1, 1, bpp);
        CDC dc(surface);
        CPalette palette;
        palette.CreatePalette(Entries({0x000000, 0x0000FF, 0x6D6D6D}));
        CPalette* previous = dc.SelectPalette(&palette, false);
        dc.RealizePalette();
        EXPECT_EQ(Shown(dc, PALETTEINDEX(1)), 0x0000FFu) << bpp;
        EXPECT_EQ(Shown(dc, PALETTEINDEX(2)), 0x6D6D6Du) << bpp;
        EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(0x70, 0x70, 0x70)), 2u);
        EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(200, 0, 10)), 1u);
        dc.SelectPalette(previous, false);
    }
}

TEST(PaletteIndex, OutOfRangeOrWithoutPaletteShowsAColourOfTheDevice) {
    Surface surface(1, 1, 8);
    CDC dc(surface);
    EXPECT_EQ(Shown(dc, PALETTEINDEX(7)), 0u);
    CPalette empty;
    EXPECT_EQ(dc.SelectPalette(&empty, false), nullptr);
    CPalette palette;
    palette.CreatePalette(Entries({0xFFFFFF}));
    dc.SelectPalette(&palette, false);
    dc.RealizePalette();
    EXPECT_EQ(Shown(dc, PALETTEINDEX(300)), 0xFFFFFFu);
    dc.SelectPalette(nullptr, false);
}

// An 8-bit bitmap of 3 x 2 pixels with a 4-entry colour table (rows padded to 4 bytes).
struct SmallDib {
    BITMAPINFOHEADER header{40, 3, 2, 1, 8, BI_RGB, 8, 0, 0, 4, 4};
    std::array<BYTE, 40 + 16> info{};
    std::array<BYTE, 8> bits = {1, 2, 3, 0, 3, 2, 1, 0};  // bottom row first

    explicit SmallDib(UINT colorUse) {
        std::memcpy(info.data(), &header, sizeof header);
        if (colorUse == DIB_RGB_COLORS) {
            const RGBQUAD table[4] = {{0, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};
            std::memcpy(info.data() + 40, table, sizeof table);
        } else {
            const WORD table[4] = {0, 1, 2, 3};
            std::memcpy(info.data() + 40, table, sizeof table);
        }
    }
};

TEST(SetDIBitsToDevice, BottomUpRowsLandTopRowLastAndColoursFollowTheTable) {
    Surface surface(5, 4, 32);
    CDC dc(surface);
    SmallDib dib(DIB_RGB_COLORS);
    EXPECT_EQ(dc.SetDIBitsToDevice(1, 1, 3, 2, 0, 0, 0, 2, dib.bits.data(), dib.info.data(),
                                   DIB_RGB_COLORS),
              2);
    // The top destination row shows the last scan line (3, 2, 1).
    EXPECT_EQ(surface.PixelColor(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(surface.PixelColor(2, 1), RGB(0, 255, 0));
    EXPECT_EQ(surface.PixelColor(3, 1), RGB(255, 0, 0));
    EXPECT_EQ(surface.PixelColor(1, 2), RGB(255, 0, 0));
    EXPECT_EQ(surface.PixelColor(3, 2), RGB(0, 0, 255));
    EXPECT_EQ(surface.PixelColor(0, 0), 0u);
    EXPECT_EQ(surface.PixelColor(4, 3), 0u);
}

TEST(SetDIBitsToDevice, PaletteColoursIndexTheSelectedPalette) {
    for (int bpp : {8, 32}) {
        Surface surface(3, 2, bpp);
        CDC dc(surface);
        CPalette palette;
        palette.CreatePalette(Entries({0x000000, 0x102030, 0x405060, 0x708090}));
        CPalette* previous = dc.SelectPalette(&palette, false);
        dc.RealizePalette();
        SmallDib dib(DIB_PAL_COLORS);
        dc.SetDIBitsToDevice(0, 0, 3, 2, 0, 0, 0, 2, dib.bits.data(), dib.info.data(),
                             DIB_PAL_COLORS);
        EXPECT_EQ(surface.PixelColor(0, 0), 0x708090u) << bpp;
        EXPECT_EQ(surface.PixelColor(0, 1), 0x102030u) << bpp;
        EXPECT_EQ(surface.PixelColor(1, 1), 0x405060u) << bpp;
        dc.SelectPalette(previous, false);
    }
}

TEST(SetDIBitsToDevice, SourceOutsideTheBitmapAndDestinationOutsideTheClipAreSkipped) {
    Surface surface(4, 4, 32);
    CDC dc(surface, RECT{0, 0, 2, 4});
    SmallDib dib(DIB_RGB_COLORS);
    dc.SetDIBitsToDevice(-1, 0, 6, 6, 0, 0, 0, 2, dib.bits.data(), dib.info.data(), DIB_RGB_COLORS);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(surface.PixelColor(2, y), 0u);
        EXPECT_EQ(surface.PixelColor(3, y), 0u);
    }
}

TEST(Surface, RejectsAbsurdSizesAndDepths) {
    EXPECT_THROW(Surface(0, 10, 32), std::invalid_argument);
    EXPECT_THROW(Surface(10, 16385, 32), std::invalid_argument);
    EXPECT_THROW(Surface(10, 10, 7), std::invalid_argument);
    EXPECT_NO_THROW(Surface(16384, 1, 8));
    std::vector<std::uint32_t> memory(12);
    EXPECT_THROW(Surface(4, 4, 32, memory), std::invalid_argument);
    EXPECT_THROW(Surface(3, 4, 32, std::span<std::uint32_t>{}), std::invalid_argument);
}

TEST(Surface, DrawsIntoTheCallersMemoryAndCopiesOwnTheirs) {
    std::vector<std::uint32_t> memory(4 * 3, 0x123456);
    Surface surface(4, 3, 32, memory);
    EXPECT_EQ(surface.Pixel(3, 2), 0x123456u);  // the memory's contents are kept
    const RECT r{1, 1, 3, 2};
    CDC(surface).FillRect(&r, GetStockBrush(WHITE_BRUSH));
    EXPECT_EQ(memory[1 * 4 + 2], 0xFFFFFFu);
    EXPECT_EQ(memory[1 * 4 + 3], 0x123456u);

    Surface copy = surface;
    CDC(copy).FillRect(&r, GetStockBrush(BLACK_BRUSH));
    EXPECT_EQ(copy.Pixel(2, 1), 0u);
    EXPECT_EQ(memory[1 * 4 + 2], 0xFFFFFFu);
}

}  // namespace
