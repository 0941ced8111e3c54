// SPDX-License-Identifier: MIT
// Picture 5, "Lesbarkeit": rows of the sentence in three styles in rotation.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

constexpr int kRowPitch[] = {15, 11, 9};
constexpr char kSentence[] = "ZYN Clear Picture Company.";
constexpr int kLength = sizeof kSentence - 1;

// The picture written with colours instead of an inversion, its cells covering
// the screen: the row at y = r * h starts in style (r + clicks) mod 3, each
// sentence is followed by the next style; style 1 is white on black, style 2
// italic.
Surface ExpectedPicture(int w, int h, int bpp, int level, std::uint32_t clicks) {
    const int pitch = kRowPitch[level];
    Surface surface(w, h, bpp);
    CFont fonts[2];
    CDC dc(surface);  // after the fonts: it lets go of them before they die
    for (BYTE italic : {0, 1}) {
        fonts[italic].CreateFont(pitch, 0, 0, 0, FW_NORMAL, italic, 0, 0, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, "Small Fonts");
    }
    for (int row = 0; row * pitch < h; ++row) {
        int x = 0;
        for (std::uint64_t k = static_cast<std::uint64_t>(row) + clicks; x < w; ++k) {
            const std::uint64_t style = k % 3;
            dc.SelectObject(&fonts[style == 2 ? 1 : 0]);
            dc.SetTextColor(style == 1 ? kWhite : kBlack);
            dc.SetBkColor(style == 1 ? kBlack : kWhite);
            dc.TextOut(x, row * pitch, kSentence, kLength);
            x += dc.GetTextExtent(kSentence, kLength).cx;
        }
    }
    return surface;
}

TEST(Readability, RowsFollowTheStylesInRotation) {
    constexpr struct {
        int w, h, bpp, level;
        std::uint32_t clicks;
        COLORREF guns;
    } kCases[] = {{640, 480, 32, 0, 0, kWhite},
                  {640, 480, 32, 1, 1, kRed},
                  {801, 333, 8, 0, 7, kBlue},
                  {320, 200, 1, 2, 0, kWhite},
                  {500, 21, 16, 2, 4294967295u, kRed | kBlue}};
    for (const auto& c : kCases) {
        Screen screen(c.w, c.h, c.bpp, 5, c.level, c.guns, c.clicks);
        EXPECT_TRUE(SamePixels(screen.surface, ExpectedPicture(c.w, c.h, c.bpp, c.level, c.clicks)))
            << c.w << "x" << c.h << " at " << c.bpp << " bpp, level " << c.level;
    }
}

}  // namespace
