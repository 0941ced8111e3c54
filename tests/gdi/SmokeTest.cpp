#include <gtest/gtest.h>

#include "support/TestSupport.h"

TEST(Smoke, PaintsMisconvergence) {
    Screen screen(640, 480);
    screen.Paint(0, 0);
    EXPECT_TRUE(screen.Lit(0, 0));
}
