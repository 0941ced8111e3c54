// SPDX-License-Identifier: MIT
// Every picture at the extreme sizes the renderer accepts and, at every level
// and with wrapped counters, on screens of a few pixels: nothing divides by
// zero, overflows or draws outside the screen (the sanitizer build watches),
// and no pass grows with the square of the aspect ratio.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

TEST(SmallScreens, EveryPictureAtTheExtremeSizes) {
    constexpr struct {
        int w, h, bpp;
    } kScreens[] = {{1, 16384, 32}, {16384, 1, 32}, {8192, 8192, 32}, {1, 1, 32}, {1, 1, 8},
                    {1, 9, 8},      {9, 1, 32},     {2, 3, 8},        {17, 1, 8}, {300, 1, 32}};
    for (const auto& [w, h, bpp] : kScreens) {
        Screen screen(w, h, bpp);
        const bool few = w * h < 1000;  // a few pixels: every level and counter as well
        for (int picture = 0; picture < 13; ++picture) {
            for (int level = few ? 0 : 2; level < 3; ++level) {
                for (std::uint32_t count : {1u, 0u, 3u, 4294967295u}) {
                    screen.Paint(picture, level, kWhite, count, count);
                    EXPECT_TRUE(screen.host.messages.empty()) << picture << " " << w << "x" << h;
                    if (picture == 1 && w == 1) {  // a grid of zero width is one line
                        EXPECT_EQ(LitAt(Column(screen, 0)).size(), std::size_t(h)) << level;
                    }
                    if (!few) {
                        break;
                    }
                }
            }
        }
    }
}

}  // namespace
