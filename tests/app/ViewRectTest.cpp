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

TEST(ViewRect, FractionalScalesCoverWithWholePixelsBothWays) {
    // 1920 physical over 1280 logical (scale 1.5), 1200 over 960 (1.25).
    struct Case {
        ViewRatio ratio;
        RECT physical;
        RECT logical;
    };
    constexpr Case kCases[] = {
        {{1920, 1280}, {0, 0, 1920, 1920}, {0, 0, 1280, 1280}},
        {{1920, 1280}, {3, 3, 4, 4}, {2, 2, 3, 3}},
        {{1920, 1280}, {1, 1, 5, 5}, {0, 0, 4, 4}},
        {{1200, 960}, {5, 5, 11, 11}, {4, 4, 9, 9}},
        {{1200, 960}, {-6, -6, -1, -1}, {-5, -5, 0, 0}},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(PhysicalToLogical(c.physical, c.ratio, c.ratio), c.logical);
    }
    EXPECT_EQ(LogicalToPhysical({2, 2, 3, 3}, {1920, 1280}, {1920, 1280}), (RECT{3, 3, 5, 5}));
    EXPECT_EQ(LogicalToPhysical({1, 1, 2, 2}, {1200, 960}, {1200, 960}), (RECT{1, 1, 3, 3}));
    EXPECT_EQ(LogicalToPhysical({0, 0, 1280, 960}, {1920, 1280}, {1200, 960}),
              (RECT{0, 0, 1920, 1200}));
}

TEST(ViewRect, ScaleBelowOneCountsAsOne) {
    const RECT r{1, 2, 3, 4};
    EXPECT_EQ(PhysicalToLogical(r, 0), r);
    EXPECT_EQ(PhysicalToLogical(r, -2), r);
}

}  // namespace
