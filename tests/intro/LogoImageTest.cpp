// The image the intro draws the logo into: its size, and that of its bitmap
// header and colour table.
#include <gtest/gtest.h>

#include "IntroTestSupport.h"

TEST(LogoImage, SizeAndBitmapInfo) {
    // Width (2W / 3 + 16) rounded up to whole words; height = width x B / A, truncated.
    constexpr int kSizes[][3] = {{640, 444, 148}, {799, 548, 182}, {1920, 1296, 432}};
    for (const auto& [screenWidth, width, height] : kSizes) {
        RecordingHost host;
        CIntro intro(host, false, screenWidth, 480);
        ASSERT_TRUE(intro.LoadLogo(LogoOf({"###"})));
        EXPECT_EQ(std::pair(intro.Image().Width(), intro.Image().Height()),
                  std::pair(width, height));
    }
    // The header, then room for 256 entries of 2 bytes in palette mode, else of
    // 4; the ramp's entries show in the colours of the intro's pixels.
    EXPECT_EQ(MakeBitmapInfo(700, 175, true).size(), 552u);
    EXPECT_EQ(MakeBitmapInfo(700, 175, false).size(), 1064u);
}
