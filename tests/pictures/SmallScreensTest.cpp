// The nine pictures of geometry to high voltage on screens of a few pixels,
// one pixel wide or high, at every level and variant and in palette mode:
// nothing divides by zero or draws outside the screen (the sanitizer build
// watches), and each shows what its rule puts there.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

struct Picture {
    int index;
    bool topLeftLit;         // the picture's rule lights (0, 0) on every screen
    std::size_t maxColours;  // black included; the gradient has one per column
};
constexpr Picture kPictures[] = {
    {2, false, 2}, {3, true, 2}, {4, true, 2},   {6, true, 2},   {7, true, 300},
    {8, false, 7}, {9, true, 1}, {10, false, 7}, {11, false, 2},
};

TEST(SmallScreens, EveryPictureDrawsByItsRule) {
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {3, 2}, {17, 1}, {300, 1}};
    for (int bpp : {32, 8}) {
        for (const auto& [w, h] : sizes) {
            for (const Picture& p : kPictures) {
                for (int level = 0; level < 3; ++level) {
                    for (std::uint32_t variant : {0u, 1u, 2u, 3u, 4294967295u}) {
                        Screen screen(w, h, bpp);
                        screen.Paint(p.index, level, kWhite, variant, variant);
                        EXPECT_TRUE(screen.host.messages.empty());
                        if (p.topLeftLit) {
                            EXPECT_TRUE(screen.Lit(0, 0)) << p.index << " " << w << "x" << h;
                        }
                        EXPECT_LE(screen.DistinctColors(), p.maxColours)
                            << p.index << " " << w << "x" << h;
                    }
                }
            }
        }
    }
}

// Every picture at the extreme sizes the renderer accepts, at its finest
// level: products of a side and a line count stay in range (the sanitizer
// build watches) and no pass grows with the square of the aspect ratio.
TEST(SmallScreens, EveryPictureAtTheExtremeSizes) {
    const std::pair<int, int> sizes[] = {{1, 16384}, {16384, 1}, {8192, 8192}, {1, 1}};
    for (const auto& [w, h] : sizes) {
        Screen screen(w, h);
        for (int picture = 0; picture < 13; ++picture) {
            screen.Paint(picture, 2, kWhite, 1, 1);
            EXPECT_TRUE(screen.host.messages.empty()) << picture << " " << w << "x" << h;
        }
    }
}

}  // namespace
