// The whole test card painted through the render frame: grid, bands over
// the grid, pen colour in and outside palette mode, odd screen shapes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "CompositeCheck.h"
#include "support/TestSupport.h"

namespace {

constexpr int kPicture = 12;

struct GridCase {
    int width;
    int height;
    std::vector<int> xs;
    std::vector<int> ys;
};

const GridCase kGridCases[] = {
    {1024,
     768,
     {0,   46,  93,  139, 186, 232, 279, 325, 372, 418, 465, 511,
      558, 604, 651, 697, 744, 790, 837, 883, 930, 976, 1023},
     {0, 47, 95, 143, 191, 239, 287, 335, 383, 431, 479, 527, 575, 623, 671, 719, 767}},
    {800,
     600,
     {0,   36,  72,  108, 145, 181, 217, 254, 290, 326, 363, 399,
      435, 472, 508, 544, 581, 617, 653, 690, 726, 762, 799},
     {0, 37, 74, 112, 149, 187, 224, 262, 299, 336, 374, 411, 449, 486, 524, 561, 599}},
    {640,
     480,
     {0,   29,  58,  87,  116, 145, 174, 203, 232, 261, 290, 319,
      348, 377, 406, 435, 464, 493, 522, 551, 580, 609, 639},
     {0, 29, 59, 89, 119, 149, 179, 209, 239, 269, 299, 329, 359, 389, 419, 449, 479}},
};

std::vector<int> Without(const std::vector<int>& all, const std::vector<int>& known) {
    std::vector<int> rest;
    std::set_difference(all.begin(), all.end(), known.begin(), known.end(),
                        std::back_inserter(rest));
    return rest;
}

}  // namespace

TEST(CompositePicture, GridLinesOfTheWorkedScreens) {
    for (const GridCase& c : kGridCases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        Screen screen(c.width, c.height);
        screen.Paint(kPicture);

        // Grid row 8 holds only the grid and two points of the centre circle.
        const int y = (c.ys[8] + c.ys[9]) / 2;
        const auto extraColumns = Without(screen.LitColumnsInRow(y), c.xs);
        EXPECT_EQ(Without(c.xs, screen.LitColumnsInRow(y)), std::vector<int>{});
        ASSERT_EQ(extraColumns.size(), 2u);
        EXPECT_LT(extraColumns[0], c.width / 4);
        EXPECT_GT(extraColumns[1], c.width * 3 / 4);

        // Grid column 0 holds only the grid and the outer corner circles.
        const int x = c.xs[0] + (c.xs[1] - c.xs[0]) / 2;
        EXPECT_EQ(Without(c.ys, screen.LitRowsInColumn(x)), std::vector<int>{});
        for (const int extra : Without(screen.LitRowsInColumn(x), c.ys)) {
            EXPECT_TRUE(extra < c.ys[4] || extra > c.ys[12]) << "row " << extra;
        }
        EXPECT_TRUE(IsFilled(screen.surface, {0, 0, c.width, 1}, kWhite));
        EXPECT_TRUE(IsFilled(screen.surface, {c.width - 1, 0, c.width, c.height}, kWhite));
    }
}

TEST(CompositePicture, BandsEraseTheGridInsideTheirEdges) {
    for (const WorkedBands& c : kWorkedBands) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        Screen screen(c.width, c.height);
        screen.Paint(kPicture);
        for (const RECT& band : {c.color, c.grating, c.caption, c.patterns, c.grey}) {
            SCOPED_TRACE(testing::Message() << "band " << band);
            // Black inside along the band's left column and top row ...
            EXPECT_TRUE(IsFilled(screen.surface, {band.left, band.top, band.left + 3, band.bottom},
                                 kBlack));
            EXPECT_TRUE(
                IsFilled(screen.surface, {band.left, band.top, band.right, band.top + 1}, kBlack));
            // ... and the grid lines it starts after still lit (a band above may
            // end on the same line, as at 800x600: only its near end is checked).
            EXPECT_TRUE(IsFilled(screen.surface, {band.left - 1, band.top, band.left, band.bottom},
                                 kWhite));
            EXPECT_TRUE(IsFilled(screen.surface, {band.left, band.top - 1, band.left + 3, band.top},
                                 kWhite));
        }
    }
}

TEST(CompositePicture, PenLinesFollowTheGunOutsidePaletteMode) {
    Screen white(1024, 768);
    white.Paint(kPicture, 1, kWhite);
    Screen green(1024, 768);
    green.Paint(kPicture, 1, kGreen);
    int changed = 0;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            const COLORREF a = white.At(x, y);
            const COLORREF b = green.At(x, y);
            if (a != b) {
                ++changed;
                ASSERT_EQ(a, kWhite) << "(" << x << ", " << y << ")";
                ASSERT_EQ(b, kGreen) << "(" << x << ", " << y << ")";
            }
        }
    }
    EXPECT_GT(changed, 10000);
    // Grid, grating line, single pixel mark, small ring; the fields keep their colours.
    for (const POINT p : {POINT{0, 0}, POINT{196, 300}, POINT{205, 448}, POINT{272, 448}}) {
        EXPECT_EQ(green.At(p.x, p.y), kGreen) << p.x << ", " << p.y;
    }
    EXPECT_EQ(green.At(360, 100), kRed);
    EXPECT_EQ(green.At(400, 215), kWhite);
    EXPECT_EQ(green.At(200, 210), 0x808080u);
}

TEST(CompositePicture, PenLinesAreWhiteInPaletteMode) {
    for (const COLORREF gun : {kRed, kGreen, kBlue, kWhite}) {
        SCOPED_TRACE(testing::Message() << "gun 0x" << std::hex << gun);
        Screen screen(1024, 768, 8);
        screen.Paint(kPicture, 1, gun);
        for (const POINT p : {POINT{0, 0}, POINT{196, 300}, POINT{205, 448}, POINT{272, 448}}) {
            EXPECT_EQ(screen.At(p.x, p.y), kWhite) << p.x << ", " << p.y;
        }
        std::set<COLORREF> row8;
        for (int x = 0; x < 1024; ++x) {
            row8.insert(screen.At(x, 400));
        }
        EXPECT_EQ(row8, (std::set<COLORREF>{kBlack, kWhite}));
        // Every named colour shows exactly.
        EXPECT_EQ(screen.At(360, 100), kRed);
        EXPECT_EQ(screen.At(460, 100), kGreen);
        EXPECT_EQ(screen.At(410, 100), kBlue);
        EXPECT_EQ(screen.At(360, 650), 0x242424u);
        EXPECT_EQ(screen.At(200, 210), 0x808080u);
        EXPECT_EQ(screen.At(600, 540), 0x505050u);
    }
    Screen red(1024, 768, 8);
    red.Paint(kPicture, 1, kRed);
    Screen white(1024, 768, 8);
    white.Paint(kPicture, 1, kWhite);
    EXPECT_TRUE(std::equal(red.surface.Pixels(), red.surface.Pixels() + 1024 * 768,
                           white.surface.Pixels()));
}

TEST(CompositePicture, LevelAndVariantDoNotChangeTheCard) {
    Screen a(800, 600);
    a.Paint(kPicture, 0);
    Screen b(800, 600);
    b.Paint(kPicture, 2, kWhite, 7, 3);
    EXPECT_TRUE(std::equal(a.surface.Pixels(), a.surface.Pixels() + 800 * 600, b.surface.Pixels()));
}

TEST(CompositePicture, DrawnAtEveryDepthFromSixteenColours) {
    for (const int bpp : {4, 8, 15, 16, 24, 32}) {
        SCOPED_TRACE(testing::Message() << bpp << " bpp");
        Screen screen(640, 480, bpp);
        screen.Paint(kPicture, 1, kRed);
        EXPECT_TRUE(screen.host.messages.empty());
        EXPECT_EQ(screen.At(0, 0), bpp <= 8 ? kWhite : kRed);
        EXPECT_EQ(screen.At(215, 50), kRed);
        EXPECT_EQ(screen.At(420, 50), kWhite);
    }
    Screen mono(640, 480, 1);
    mono.Paint(kPicture);
    EXPECT_EQ(mono.host.messages.size(), 1u);
    EXPECT_EQ(mono.DistinctColors(), 1u);
}

TEST(CompositePicture, NarrowScreensDrawNoColourOrGreyFields) {
    // K of 14 or less: the colour and grey bands are inverted and fill nothing.
    for (const auto& [w, h] :
         {std::pair{768, 1024}, std::pair{895, 1024}, std::pair{600, 1000}, std::pair{300, 1000}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        Screen screen(w, h);
        screen.Paint(kPicture);
        const CCompositePicture picture(false, w, h, 0);
        ASSERT_LE(picture.Columns(), 14);
        std::set<COLORREF> named(picture.Bars().begin(), picture.Bars().end() - 1);
        named.insert(picture.Greys().begin(), picture.Greys().end() - 1);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                ASSERT_EQ(named.count(screen.At(x, y)), 0u) << "(" << x << ", " << y << ")";
            }
        }
        EXPECT_TRUE(screen.Lit(0, 0));
    }
}

TEST(CompositePicture, ExtremeScreenShapesPaint) {
    for (const auto& [w, h] : {std::pair{1, 1}, std::pair{2, 3}, std::pair{16384, 1},
                               std::pair{1, 16384}, std::pair{16384, 2}, std::pair{5, 700}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        Screen screen(w, h);
        screen.Paint(kPicture);
        EXPECT_TRUE(screen.Lit(0, 0));
    }
}

TEST(CompositePicture, SizesNoDisplayHasDrawNothing) {
    Surface surface(64, 64, 32);
    RecordingHost host;
    CTestWnd wnd(host, 64, 64, 32);
    CDC dc(surface);
    for (const auto& [w, h] : {std::pair{0u, 768u}, std::pair{1024u, 0u}, std::pair{0u, 0u},
                               std::pair{20000u, 10u}, std::pair{4294967295u, 4294967295u}}) {
        CCompositePicture picture(false, w, h, 0);
        picture.Draw(&dc, &wnd);
        EXPECT_EQ(LitBounds(surface, {0, 0, 64, 64}), (RECT{0, 0, 0, 0}));
    }
}
