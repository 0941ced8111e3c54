// The render frame: black screen, colour-depth refusals, palette and pen.
#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "testwindow/TestPalette.h"

namespace {

// Pictures refused at each depth (index set).
bool Refused(int bpp, int picture) {
    const std::uint32_t colors = bpp >= 32 ? UINT32_MAX : (1u << bpp);
    return CTestWnd::kMinColors[picture] > colors;
}

TEST(RenderFrame, RefusesExactlyThePicturesThatNeedMoreColours) {
    EXPECT_FALSE(Refused(8, 11));
    EXPECT_TRUE(Refused(4, 6));
    EXPECT_FALSE(Refused(4, 7));
    EXPECT_TRUE(Refused(1, 7));
    EXPECT_TRUE(Refused(1, 9));
    EXPECT_TRUE(Refused(1, 11));
    EXPECT_FALSE(Refused(1, 10));
    for (int bpp : {1, 4, 8, 32}) {
        for (int picture = 0; picture < CTestWnd::kPictureCount; ++picture) {
            Screen screen(64, 48, bpp);
            screen.Paint(picture);
            const bool refused = !screen.host.messages.empty();
            EXPECT_EQ(refused, Refused(bpp, picture)) << bpp << " bpp, picture " << picture;
            if (refused) {
                EXPECT_EQ(screen.host.messages[0],
                          std::string("zynmon: ") + CTestWnd::kRefusalMessage);
                EXPECT_EQ(screen.DistinctColors(), 1u);
                EXPECT_EQ(screen.At(0, 0), kBlack);
            }
        }
    }
}

TEST(RenderFrame, RefusalLeavesNothingOfThePreviousPictureAndIsShownOncePerSelection) {
    Screen screen(64, 48, 4);
    screen.Paint(1);
    EXPECT_TRUE(screen.Lit(0, 0));
    screen.Paint(6);
    EXPECT_EQ(screen.DistinctColors(), 1u);
    screen.Paint();  // repaint while the message is (or was) open
    screen.Paint();
    EXPECT_EQ(screen.host.messages.size(), 1u);
    screen.Paint(1);
    screen.Paint(6);
    EXPECT_EQ(screen.host.messages.size(), 2u);
}

TEST(RenderFrame, PaletteModeUsesATwoEntryPaletteAndPenIndexOne) {
    Screen screen(64, 48, 8);
    CDC dc(screen.surface);
    CTestPalette palette(true);
    palette.AddColor(0x000000);
    palette.AddColor(kRed);
    palette.Realize(&dc);
    EXPECT_EQ(palette.Entries().size(), 2u);
    EXPECT_EQ(palette.NearestColor(kRed), 0x01000001u);
    EXPECT_EQ(palette.NearestColor(kBlack), 0x01000000u);

    screen.Paint(1, 0, kRed);
    EXPECT_EQ(screen.At(0, 0), kRed);
}

TEST(RenderFrame, OutsidePaletteModeColoursPassThroughUnchanged) {
    Surface surface(4, 4, 32);
    CDC dc(surface);
    CTestPalette palette(false);
    palette.AddColor(0x000000);
    palette.AddColor(0x123456);
    palette.Realize(&dc);
    EXPECT_FALSE(palette.IsCreated());
    EXPECT_EQ(palette.EntryCount(), 2u);
    EXPECT_EQ(palette.NearestColor(0x123456), 0x123456u);

    Screen screen(64, 48, 16);
    screen.Paint(1, 0, 0x00FF00);
    EXPECT_EQ(screen.At(0, 0), 0x00FF00u);
}

TEST(TestPalette, CountsPastItsCapacityWithoutWritingBeyondIt) {
    Surface surface(4, 4, 8);
    CDC dc(surface);
    CTestPalette palette(true);
    for (int i = 0; i < 300; ++i) {
        palette.AddColor(static_cast<COLORREF>(i));
    }
    EXPECT_EQ(palette.EntryCount(), 300u);
    palette.Realize(&dc);
    EXPECT_EQ(palette.Entries().size(), static_cast<std::size_t>(CTestPalette::kCapacity));
}

TEST(TestPalette, IsDeselectedBeforeItIsDestroyed) {
    Surface surface(4, 4, 8);
    CDC dc(surface);
    CPalette outer;
    outer.CreatePalette(std::vector<PALETTEENTRY>{{1, 2, 3, 0}});
    dc.SelectPalette(&outer, false);
    {
        CTestPalette palette(true);
        palette.AddColor(0x0000FF);
        palette.Realize(&dc);
        EXPECT_TRUE(palette.IsSelected());
        EXPECT_FALSE(outer.IsSelected());
    }
    EXPECT_TRUE(outer.IsSelected());
    dc.SelectPalette(nullptr, false);
}

}  // namespace
