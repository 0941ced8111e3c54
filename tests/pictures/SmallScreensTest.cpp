// Every picture on screens of a few pixels and at the extreme sizes the
// renderer accepts, at every level and with wrapped counters: nothing
// divides by zero, overflows or draws outside the screen (the sanitizer
// build watches), and no pass grows with the square of the aspect ratio.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

TEST(SmallScreens, EveryPictureOnAFewPixels) {
    constexpr std::pair<int, int> kSizes[] = {{1, 1}, {1, 9}, {9, 1}, {2, 3}, {17, 1}, {300, 1}};
    for (int bpp : {32, 8}) {
        for (const auto& [w, h] : kSizes) {
            Screen screen(w, h, bpp);
            for (int picture = 0; picture < 13; ++picture) {
                for (int level = 0; level < 3; ++level) {
                    for (std::uint32_t variant : {0u, 1u, 3u, 4294967295u}) {
                        screen.Paint(picture, level, kWhite, variant, variant);
                        EXPECT_TRUE(screen.host.messages.empty())
                            << picture << " " << w << "x" << h;
                    }
                }
            }
        }
    }
}

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
