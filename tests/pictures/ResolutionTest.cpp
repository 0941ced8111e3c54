// Picture 4, "Auflösung": lit and black bands of 1, 2 or 3 lines.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

constexpr int kResolution = 4;

// Lines p with p mod 2k < k, for p in [0, extent).
std::vector<int> Bands(int extent, int k) {
    std::vector<int> v;
    for (int p = 0; p < extent; ++p) {
        if (p % (2 * k) < k) {
            v.push_back(p);
        }
    }
    return v;
}

std::vector<int> All(int extent) {
    return Bands(extent, extent);
}

TEST(Resolution, HighAlternatesRowsAndRightClicksTurnThemToColumns) {
    Screen screen(640, 480);
    screen.Paint(kResolution, 2);
    EXPECT_EQ(screen.LitRowsInColumn(7), Bands(480, 1));
    EXPECT_EQ(screen.LitColumnsInRow(0), All(640));

    screen.wnd.OnRButtonDown();
    screen.Paint();
    EXPECT_EQ(screen.LitColumnsInRow(7), Bands(640, 1));
    EXPECT_EQ(screen.LitRowsInColumn(0), All(480));

    screen.wnd.OnRButtonDown();
    screen.Paint();
    EXPECT_EQ(screen.LitRowsInColumn(7), Bands(480, 1));
}

TEST(Resolution, LowOn480RowsEndsWithABlackBand) {
    Screen screen(640, 480);
    screen.Paint(kResolution, 0);
    const std::vector<int> rows = screen.LitRowsInColumn(300);
    EXPECT_EQ(std::vector<int>(rows.begin(), rows.begin() + 6),
              (std::vector<int>{0, 1, 2, 6, 7, 8}));
    EXPECT_EQ(std::vector<int>(rows.end() - 3, rows.end()), (std::vector<int>{474, 475, 476}));
    EXPECT_EQ(rows, Bands(480, 3));
}

TEST(Resolution, MediumVerticalOn1366ColumnsEndsWithALitPair) {
    Screen screen(1366, 768);
    screen.Paint(kResolution, 1, kWhite, 1);
    const std::vector<int> columns = screen.LitColumnsInRow(400);
    EXPECT_EQ(std::vector<int>(columns.begin(), columns.begin() + 4),
              (std::vector<int>{0, 1, 4, 5}));
    EXPECT_EQ(std::vector<int>(columns.end() - 2, columns.end()), (std::vector<int>{1364, 1365}));
    EXPECT_EQ(columns, Bands(1366, 2));
}

TEST(Resolution, EveryLevelAndDirectionFollowsTheBandRule) {
    constexpr int kWidth[] = {3, 2, 1};
    for (int level = 0; level < 3; ++level) {
        for (std::uint32_t variant : {0u, 1u, 2u, 7u}) {
            Screen screen(1920, 1200);
            screen.Paint(kResolution, level, kBlue, variant);
            const int k = kWidth[level];
            const bool vertical = (variant & 1) != 0;
            for (int probe : {0, 1001, 1199}) {
                if (vertical) {
                    EXPECT_EQ(screen.LitColumnsInRow(probe), Bands(1920, k)) << level;
                    EXPECT_EQ(screen.LitRowsInColumn(probe).size() % 1200, 0u) << level;
                } else {
                    EXPECT_EQ(screen.LitRowsInColumn(probe), Bands(1200, k)) << level;
                    EXPECT_EQ(screen.LitColumnsInRow(probe).size() % 1920, 0u) << level;
                }
            }
            EXPECT_EQ(screen.At(0, 0), kBlue);
        }
    }
}

TEST(Resolution, IsDrawnInTheGunColourDownToOneBit) {
    for (int bpp : {8, 4, 1}) {
        Screen screen(64, 48, bpp);
        screen.Paint(kResolution, 2, bpp == 1 ? kWhite : kRed);
        EXPECT_TRUE(screen.host.messages.empty()) << bpp;
        EXPECT_EQ(screen.LitRowsInColumn(5), Bands(48, 1)) << bpp;
        EXPECT_EQ(screen.At(5, 0), bpp == 1 ? kWhite : kRed) << bpp;
    }
}

}  // namespace
