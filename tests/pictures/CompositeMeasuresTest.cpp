// The test card's measures and layout: grid size, cell size, palette, bands
// and the rectangle splitter.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

#include "CompositeCheck.h"
#include "pictures/composite/CompositePicture.h"
#include "pictures/composite/RectSplitter.h"
#include "pictures/composite/Trunc.h"
#include "testwindow/RecordingHost.h"
#include "testwindow/TestWnd.h"

namespace {

struct Measures {
    std::uint32_t width;
    std::uint32_t height;
    int columns;
    double cellWidth;
    double cellHeight;
};

// 4:3, 5:4, 16:10, 16:9 and square screens.
constexpr Measures kMeasures[] = {
    {640, 480, 22, 29.045454545454547, 29.9375},
    {800, 600, 22, 36.31818181818182, 37.4375},
    {1024, 768, 22, 46.5, 47.9375},
    {1280, 1024, 21, 60.904761904761905, 63.9375},
    {1280, 800, 26, 49.19230769230769, 49.9375},
    {1280, 720, 29, 44.10344827586207, 44.9375},
    {1024, 1024, 17, 60.1764705882353, 63.9375},
};

RECT Band(const CCompositePicture& picture, int a, int b, int c, bool fromBottom) {
    RECT band;
    picture.GetCellBand(&band, a, b, c, fromBottom);
    return band;
}

std::vector<RECT> Parts(const RECT& whole, int n, bool horizontal) {
    const CRectSplitter splitter(&whole, n, horizontal);
    std::vector<RECT> parts(static_cast<std::size_t>(n > 0 ? n : 1));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        splitter.GetPart(static_cast<int>(i), &parts[i]);
    }
    return parts;
}

}  // namespace

TEST(CompositeMeasures, GridColumnsAndCellSizeFollowTheScreen) {
    for (const Measures& m : kMeasures) {
        SCOPED_TRACE(testing::Message() << m.width << "x" << m.height);
        const CCompositePicture picture(false, m.width, m.height, 0);
        EXPECT_EQ(picture.Columns(), m.columns);
        EXPECT_EQ(picture.Rows(), 16);
        EXPECT_EQ(picture.CellWidth(), m.cellWidth);
        EXPECT_EQ(picture.CellHeight(), m.cellHeight);
    }
}

TEST(CompositeMeasures, NarrowScreensHaveFewColumns) {
    EXPECT_EQ(CCompositePicture(false, 768, 1024, 0).Columns(), 13);
    EXPECT_EQ(CCompositePicture(false, 896, 1024, 0).Columns(), 15);
    EXPECT_EQ(CCompositePicture(false, 895, 1024, 0).Columns(), 14);
    EXPECT_EQ(CCompositePicture(false, 1080, 1920, 0).Columns(), 10);
}

TEST(CompositeMeasures, BarAndGreyColours) {
    const CCompositePicture picture(false, 1024, 768, 0);
    constexpr std::array<COLORREF, 7> kBars = {0x0000FF, 0xFF0000, 0x00FF00, 0xFFFF00,
                                               0x00FFFF, 0xFF00FF, 0xFFFFFF};
    constexpr std::array<COLORREF, 7> kGreys = {0x242424, 0x484848, 0x6D6D6D, 0x919191,
                                                0xB6B6B6, 0xDADADA, 0xFFFFFF};
    EXPECT_EQ(picture.Bars(), kBars);
    EXPECT_EQ(picture.Greys(), kGreys);
}

TEST(CompositeMeasures, PaletteHoldsEighteenEntriesInOrder) {
    constexpr COLORREF kEntries[] = {0x000000, 0xFFFFFF, 0x808080, 0x505050, 0x0000FF, 0x242424,
                                     0xFF0000, 0x484848, 0x00FF00, 0x6D6D6D, 0xFFFF00, 0x919191,
                                     0x00FFFF, 0xB6B6B6, 0xFF00FF, 0xDADADA, 0xFFFFFF, 0xFFFFFF};
    Surface surface(640, 480, 8);
    RecordingHost host;
    CTestWnd wnd(host, 640, 480, 8);
    CDC dc(surface);
    CCompositePicture picture(true, 640, 480, 0);
    EXPECT_EQ(picture.Palette().EntryCount(), 18u);
    EXPECT_FALSE(picture.Palette().IsCreated());

    picture.Draw(&dc, &wnd);
    ASSERT_TRUE(picture.Palette().IsCreated());
    const auto entries = picture.Palette().Entries();
    ASSERT_EQ(entries.size(), std::size(kEntries));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const PALETTEENTRY& e = entries[i];
        EXPECT_EQ(RGB(e.peRed, e.peGreen, e.peBlue), kEntries[i]) << "entry " << i;
    }
    EXPECT_EQ(picture.Palette().NearestColor(0xFFFFFF), PALETTEINDEX(1));
}

TEST(CompositeMeasures, OutsidePaletteModeNoPaletteIsMade) {
    Surface surface(640, 480, 32);
    RecordingHost host;
    CTestWnd wnd(host, 640, 480, 32);
    CDC dc(surface);
    CCompositePicture picture(false, 640, 480, 0);
    picture.Draw(&dc, &wnd);
    EXPECT_FALSE(picture.Palette().IsCreated());
    EXPECT_EQ(picture.Palette().EntryCount(), 18u);
    EXPECT_EQ(picture.Palette().NearestColor(0x505050), 0x505050u);
}

TEST(CompositeMeasures, CellBandsOfTheWorkedScreens) {
    for (const WorkedBands& b : kWorkedBands) {
        SCOPED_TRACE(testing::Message() << b.width << "x" << b.height);
        const CCompositePicture picture(false, static_cast<std::uint32_t>(b.width),
                                        static_cast<std::uint32_t>(b.height), 0);
        EXPECT_EQ(Band(picture, 7, 1, 3, false), b.color);
        EXPECT_EQ(Band(picture, 4, 4, 3, false), b.grating);
        EXPECT_EQ(Band(picture, 3, 7, 1, false), b.caption);
        EXPECT_EQ(Band(picture, 4, 4, 3, true), b.patterns);
        EXPECT_EQ(Band(picture, 7, 1, 3, true), b.grey);
    }
}

TEST(CompositeMeasures, BandsStartJustInsideTheirGridLines) {
    // The band's left and top lie one pixel past the grid lines (c * (W - 1)) div K
    // and (r * (H - 1)) div 16, for every screen of the table.
    for (const Measures& m : kMeasures) {
        SCOPED_TRACE(testing::Message() << m.width << "x" << m.height);
        const CCompositePicture picture(false, m.width, m.height, 0);
        const int K = m.columns;
        const int W = static_cast<int>(m.width);
        const int H = static_cast<int>(m.height);
        for (int a = 1; a < K / 2; ++a) {
            const RECT band = Band(picture, a, a % 8, 1, false);
            EXPECT_EQ(band.left, a * (W - 1) / K + 1) << "a " << a;
            EXPECT_EQ(band.top, (a % 8) * (H - 1) / 16 + 1) << "a " << a;
            EXPECT_NEAR(band.right, (K - a) * (W - 1) / K, 1) << "a " << a;
        }
    }
}

TEST(CompositeMeasures, PortraitBandsAreInverted) {
    const CCompositePicture picture(false, 768, 1024, 0);
    EXPECT_EQ(Band(picture, 7, 1, 3, false), (RECT{414, 64, 354, 255}));
    EXPECT_LT(Band(picture, 7, 1, 3, true).right, Band(picture, 7, 1, 3, true).left);
}

TEST(RectSplitter, SideBySidePartsTileTheWidth) {
    const auto parts = Parts({335, 57, 688, 182}, 7, true);
    EXPECT_EQ(parts[0], (RECT{335, 57, 385, 182}));
    EXPECT_EQ(parts[6], (RECT{637, 57, 688, 182}));
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        EXPECT_EQ(parts[i].right, parts[i + 1].left);
        EXPECT_EQ(parts[i].top, 57);
        EXPECT_EQ(parts[i].bottom, 182);
    }
}

TEST(RectSplitter, StackedPartsTileTheHeight) {
    const auto parts = Parts({187, 432, 837, 575}, 3, false);
    EXPECT_EQ(parts[0], (RECT{187, 432, 837, 479}));
    EXPECT_EQ(parts[1], (RECT{187, 479, 837, 527}));
    EXPECT_EQ(parts[2], (RECT{187, 527, 837, 575}));
}

TEST(RectSplitter, InvertedRectangleGivesInvertedParts) {
    const auto parts = Parts({414, 64, 354, 255}, 7, true);
    EXPECT_EQ(parts.front().left, 414);
    EXPECT_EQ(parts.back().right, 354);
    for (const RECT& part : parts) {
        EXPECT_LE(part.right, part.left);
    }
}

TEST(RectSplitter, NoPartsGiveEmptyParts) {
    for (const int n : {0, -3}) {
        const auto parts = Parts({10, 20, 110, 70}, n, true);
        EXPECT_EQ(parts[0], (RECT{10, 20, 10, 70}));
    }
}

TEST(Trunc, TowardZeroAndSaturating) {
    EXPECT_EQ(Trunc(-9.3), -9);
    EXPECT_EQ(Trunc(9.99), 9);
    EXPECT_EQ(Trunc(-0.5), 0);
    EXPECT_EQ(Trunc(1e12), std::numeric_limits<int>::max());
    EXPECT_EQ(Trunc(-1e12), std::numeric_limits<int>::min());
    EXPECT_EQ(Trunc(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(Trunc(std::numeric_limits<double>::infinity()), std::numeric_limits<int>::max());
}
