// The render frame: every paint sets every pixel of the screen, whatever the
// picture leaves to the frame's black fill and whatever it fills itself.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

void Prefill(Screen& screen, COLORREF color) {
    CDC dc(screen.surface);
    CBrush brush(color);
    const RECT all{0, 0, screen.surface.Width(), screen.surface.Height()};
    dc.FillRect(&all, &brush);
}

TEST(RenderFrame, NothingOfTheScreenBeforeShowsThrough) {
    constexpr int kSizes[][3] = {{640, 480, 32}, {333, 97, 32}, {320, 200, 4}};
    for (const auto& [width, height, bitsPerPixel] : kSizes) {
        for (int picture = 0; picture < CTestWnd::kPictureCount; ++picture) {
            for (int level = 0; level < 3; ++level) {
                Screen a(width, height, bitsPerPixel);
                Screen b(width, height, bitsPerPixel);
                Prefill(a, kRed);
                Prefill(b, kBlue);
                a.Paint(picture, level);
                b.Paint(picture, level);
                EXPECT_TRUE(SamePixels(a.surface, b.surface))
                    << width << "x" << height << "x" << bitsPerPixel << " picture " << picture
                    << " level " << level;
            }
        }
    }
}

}  // namespace
