// The caption line of the test card: its text and its band.
#include <gtest/gtest.h>

#include "CompositeCheck.h"
#include "pictures/composite/ModeCaption.h"
#include "support/TestSupport.h"

TEST(ModeCaption, ColourCountAtEveryDepth) {
    const struct {
        int bpp;
        const char* text;
    } cases[] = {
        {1, "1024 x 768 pixels, 1 bit (2 colors), 0 Hz"},
        {4, "1024 x 768 pixels, 4 bit (16 colors), 0 Hz"},
        {8, "1024 x 768 pixels, 8 bit (256 colors), 0 Hz"},
        {15, "1024 x 768 pixels, 15 bit (32768 colors), 0 Hz"},
        {16, "1024 x 768 pixels, 16 bit (65536 colors), 0 Hz"},
        {24, "1024 x 768 pixels, 24 bit (16777216 colors), 0 Hz"},
        {32, "1024 x 768 pixels, 32 bit (4294967296 colors), 0 Hz"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatModeCaption(1024, 768, c.bpp, 0), c.text);
    }
}

TEST(ModeCaption, NumbersInFullWithoutSeparators) {
    EXPECT_EQ(FormatModeCaption(3840, 2160, 32, 60),
              "3840 x 2160 pixels, 32 bit (4294967296 colors), 60 Hz");
    EXPECT_EQ(FormatModeCaption(4294967295u, 1, 8, 144),
              "4294967295 x 1 pixels, 8 bit (256 colors), 144 Hz");
    EXPECT_EQ(FormatModeCaption(800, 600, 63, 75),
              "800 x 600 pixels, 63 bit (9223372036854775808 colors), 75 Hz");
}

TEST(ModeCaption, DepthsWithoutAColourCountShowNone) {
    EXPECT_EQ(FormatModeCaption(640, 480, 0, 0), "640 x 480 pixels, 0 bit (1 colors), 0 Hz");
    EXPECT_EQ(FormatModeCaption(640, 480, 64, 0), "640 x 480 pixels, 64 bit (0 colors), 0 Hz");
    EXPECT_EQ(FormatModeCaption(640, 480, -1, -5), "640 x 480 pixels, -1 bit (0 colors), -5 Hz");
}

TEST(ModeCaption, DepthComesFromTheDeviceAndRateFromTheWindow) {
    for (const int bpp : {1, 4, 8, 16, 24, 32}) {
        Surface surface(800, 600, bpp);
        CDC dc(surface);
        const CCompositePicture picture(bpp <= 8, 800, 600, 75);
        const std::string expected = "800 x 600 pixels, " + std::to_string(bpp) + " bit (" +
                                     std::to_string(std::uint64_t{1} << bpp) + " colors), 75 Hz";
        EXPECT_EQ(picture.ModeCaption(&dc), expected);
    }
}

TEST(ModeCaption, BandIsBlackBetweenItsGridLines) {
    for (const WorkedBands& c : kWorkedBands) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        Screen screen(c.width, c.height);
        screen.Paint(12);
        const RECT& b = c.caption;
        // The text is centred: the band's ends and its top row stay black.
        EXPECT_TRUE(IsFilled(screen.surface, {b.left, b.top, b.left + 8, b.bottom}, kBlack));
        EXPECT_TRUE(IsFilled(screen.surface, {b.right - 8, b.top, b.right, b.bottom}, kBlack));
        EXPECT_TRUE(IsFilled(screen.surface, {b.left, b.top, b.right, b.top + 1}, kBlack));
        EXPECT_TRUE(IsFilled(screen.surface, {b.left - 1, b.top, b.left, b.bottom}, kWhite));
        EXPECT_TRUE(IsFilled(screen.surface, {b.right, b.top, b.right + 1, b.bottom}, kWhite));
        EXPECT_TRUE(screen.Lit(b.left + 4, b.top - 1));
    }
}

TEST(ModeCaption, WhiteOnBlackFromThePicturePalette) {
    for (const int bpp : {8, 32}) {
        Surface surface(1024, 768, bpp);
        RecordingHost host;
        CTestWnd wnd(host, 1024, 768, bpp);
        wnd.SetPicture(12);
        wnd.SetColor(kRed);
        CDC dc(surface);
        wnd.OnPaint(&dc);
        EXPECT_EQ(dc.GetBkColor(), bpp == 8 ? PALETTEINDEX(0) : kBlack);
        EXPECT_EQ(dc.GetTextColor(), bpp == 8 ? PALETTEINDEX(1) : kWhite);
    }
}
