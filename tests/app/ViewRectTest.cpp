// Physical rectangles of the software display as logical view rectangles and
// back: exact where the edges divide, else widened to whole pixels so that
// every physical pixel stays covered; a scale below one counts as one.
#include <gtest/gtest.h>

#include "app/ViewRect.h"

TEST(ViewRect, CoversWithWholePixels) {
    constexpr struct {
        RECT physical;
        ViewRatio ratio;
        RECT logical;
    } kCases[] = {
        {{172, 290, 852, 478}, {1, 1}, {172, 290, 852, 478}},
        {{172, 290, 852, 478}, {2, 1}, {86, 145, 426, 239}},
        {{1, 2, 3, 4}, {-2, 1}, {1, 2, 3, 4}},
        {{0, 0, 1920, 1920}, {1920, 1280}, {0, 0, 1280, 1280}},
        {{3, 3, 4, 4}, {1920, 1280}, {2, 2, 3, 3}},
        {{1, 1, 5, 5}, {1920, 1280}, {0, 0, 4, 4}},
        {{5, 5, 11, 11}, {1200, 960}, {4, 4, 9, 9}},
        {{-6, -6, -1, -1}, {1200, 960}, {-5, -5, 0, 0}},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(PhysicalToLogical(c.physical, c.ratio, c.ratio), c.logical) << c.ratio.physical;
    }
    for (int scale = 1; scale <= 4; ++scale) {
        for (int left = -5; left <= 5; ++left) {
            for (int right = left; right <= left + 7; ++right) {
                const RECT r = PhysicalToLogical({left, 0, right, 1}, scale);
                EXPECT_TRUE(r.left * scale <= left && (r.left + 1) * scale > left) << left;
                EXPECT_TRUE(r.right * scale >= right && (r.right - 1) * scale < right) << right;
            }
        }
    }
    EXPECT_EQ(LogicalToPhysical({2, 2, 3, 3}, {1920, 1280}, {1920, 1280}), (RECT{3, 3, 5, 5}));
    EXPECT_EQ(LogicalToPhysical({0, 0, 1280, 960}, {1920, 1280}, {1200, 960}),
              (RECT{0, 0, 1920, 1200}));
}
