// Physical rectangles of the software display as logical view rectangles.
#include <gtest/gtest.h>

#include "app/ViewRect.h"

namespace {

TEST(ViewRect, UnscaledIsUnchanged) {
    const RECT logo{172, 290, 852, 478};
    EXPECT_EQ(PhysicalToLogical(logo, 1), logo);
}

TEST(ViewRect, ScaledEdgesDivideExactly) {
    // The final logo of a 1024 x 768 screen on a desktop scaled by 2.
    EXPECT_EQ(PhysicalToLogical({172, 290, 852, 478}, 2), (RECT{86, 145, 426, 239}));
    EXPECT_EQ(PhysicalToLogical({0, 0, 1024, 768}, 2), (RECT{0, 0, 512, 384}));
}

TEST(ViewRect, OddEdgesWidenToWholeLogicalPixels) {
    EXPECT_EQ(PhysicalToLogical({3, 5, 7, 9}, 2), (RECT{1, 2, 4, 5}));
    EXPECT_EQ(PhysicalToLogical({4, 4, 5, 5}, 3), (RECT{1, 1, 2, 2}));
    EXPECT_EQ(PhysicalToLogical({-3, -1, -1, 1}, 2), (RECT{-2, -1, 0, 1}));
}

TEST(ViewRect, CoversEveryPhysicalPixelOfTheRectangle) {
    for (int scale = 1; scale <= 4; ++scale) {
        for (int left = -5; left <= 5; ++left) {
            for (int right = left; right <= left + 7; ++right) {
                const RECT r = PhysicalToLogical({left, left, right, right}, scale);
                // Covers: the logical edges lie on or outside the physical ones,
                EXPECT_LE(r.left * scale, left);
                EXPECT_GE(r.right * scale, right);
                // and by less than one logical pixel.
                EXPECT_GT((r.left + 1) * scale, left);
                EXPECT_LT((r.right - 1) * scale, right);
                EXPECT_EQ(r.top, r.left);
                EXPECT_EQ(r.bottom, r.right);
            }
        }
    }
}

TEST(ViewRect, ScaleBelowOneCountsAsOne) {
    const RECT r{1, 2, 3, 4};
    EXPECT_EQ(PhysicalToLogical(r, 0), r);
    EXPECT_EQ(PhysicalToLogical(r, -2), r);
}

}  // namespace
