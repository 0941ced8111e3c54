// Pictures 0 and 1: the dashed colour grid and the plain grid.
#include <gtest/gtest.h>

#include <set>

#include "support/TestSupport.h"

namespace {

// Colour runs along a column: (first row, colour) at every change, skipping
// the rows where horizontal lines cross.
std::vector<std::pair<int, COLORREF>> RunsInColumn(const Screen& screen, int x,
                                                   const std::vector<int>& skipRows) {
    std::vector<std::pair<int, COLORREF>> runs;
    for (int y = 0; y < screen.surface.Height(); ++y) {
        if (std::find(skipRows.begin(), skipRows.end(), y) != skipRows.end()) {
            continue;
        }
        const COLORREF c = screen.At(x, y);
        if (runs.empty() || runs.back().second != c) {
            runs.push_back({y, c});
        }
    }
    return runs;
}

const std::vector<int> kRows640x480Low = {0, 79, 159, 239, 319, 399, 479};

TEST(Misconvergence1, LowOn640x480HasTheWorkedLinesAndDashes) {
    Screen screen(640, 480);
    screen.Paint(0, 0);
    EXPECT_EQ(screen.LitColumnsInRow(40),
              (std::vector<int>{0, 79, 159, 239, 319, 399, 479, 559, 639}));
    EXPECT_EQ(screen.LitRowsInColumn(40), kRows640x480Low);

    using Runs = std::vector<std::pair<int, COLORREF>>;
    EXPECT_EQ(RunsInColumn(screen, 0, kRows640x480Low),
              (Runs{{1, kRed}, {39, kBlue}, {119, kGreen}, {279, kRed}, {359, kBlue}}));
    EXPECT_EQ(RunsInColumn(screen, 79, kRows640x480Low),
              (Runs{{1, kBlue}, {39, kGreen}, {199, kRed}, {279, kBlue}, {439, kGreen}}));

    // Horizontal line 0 breaks at x = 39, 119, 279, 359, 519, 599.
    std::vector<std::pair<int, COLORREF>> row;
    for (int x = 0; x < 640; ++x) {
        if (row.empty() || row.back().second != screen.At(x, 0)) {
            row.push_back({x, screen.At(x, 0)});
        }
    }
    EXPECT_EQ(row, (Runs{{0, kRed},
                         {39, kBlue},
                         {119, kGreen},
                         {279, kRed},
                         {359, kBlue},
                         {519, kGreen},
                         {599, kRed}}));
}

TEST(Misconvergence1, CrossingsFollowTheNineColourSequence) {
    Screen screen(640, 480);
    screen.Paint(0, 0);
    const std::vector<COLORREF> line0 = {kRed, kBlue, kGreen, kGreen, kRed, kBlue, kBlue};
    const std::vector<COLORREF> line1 = {kBlue, kGreen, kGreen, kRed, kBlue, kBlue, kGreen};
    for (std::size_t k = 0; k < kRows640x480Low.size(); ++k) {
        const int y = kRows640x480Low[k];
        EXPECT_EQ(screen.At(0, y), line0[k]) << k;
        EXPECT_EQ(screen.At(79, y), line1[k]) << k;
        // The vertical line has the same colour right beside the crossing.
        const int beside = y == 0 ? 1 : y - 1;
        EXPECT_EQ(screen.At(0, beside), line0[k]) << k;
        EXPECT_EQ(screen.At(79, beside), line1[k]) << k;
    }
}

// Number of crossings where the vertical line's colour just beside the
// crossing differs from the horizontal line's colour on it.
int DisagreeingCrossings(const Screen& screen, int* crossings) {
    const std::vector<int> rows = screen.LitRowsInColumn(screen.surface.Width() / 2 + 1);
    const std::vector<int> columns = screen.LitColumnsInRow(1);
    int differ = 0;
    *crossings = 0;
    for (int x : columns) {
        for (int y : rows) {
            ++*crossings;
            const int beside = y == 0 ? 1 : y - 1;
            differ += screen.At(x, beside) != screen.At(x, y);
        }
    }
    return differ;
}

TEST(Misconvergence1, CrossesOfOneColourOnFiveByFourScreens) {
    Screen screen(1280, 1024);
    int crossings = 0;
    screen.Paint(0, 0);
    EXPECT_EQ(DisagreeingCrossings(screen, &crossings), 0);
    EXPECT_EQ(crossings, 63);
    screen.Paint(0, 1);
    DisagreeingCrossings(screen, &crossings);
    EXPECT_EQ(crossings, 221);
    screen.Paint(0, 2);
    EXPECT_EQ(screen.LitColumnsInRow(10).size(), 33u);
    EXPECT_EQ(screen.LitRowsInColumn(10).size(), 26u);
}

TEST(Misconvergence1, RightClicksCycleSixColourOrdersAndGunsDoNotMatter) {
    Screen reference(320, 240);
    reference.Paint(0, 1, kWhite, 0);
    const COLORREF firstThree[] = {reference.At(0, 1), reference.At(0, 15), reference.At(0, 35)};
    EXPECT_EQ(firstThree[0], kRed);
    EXPECT_EQ(firstThree[1], kBlue);
    EXPECT_EQ(firstThree[2], kGreen);

    Screen other(320, 240);
    std::set<std::vector<COLORREF>> orders;
    for (std::uint32_t v = 0; v < 6; ++v) {
        other.Paint(0, 1, kWhite, v);
        orders.insert({other.At(0, 1), other.At(0, 15), other.At(0, 35)});
    }
    EXPECT_EQ(orders.size(), 6u);
    for (COLORREF guns : {kRed, kGreen | kBlue, kWhite}) {
        other.Paint(0, 1, guns, 6);
        EXPECT_EQ(other.surface.Pixels()[0], reference.surface.Pixels()[0]);
        EXPECT_TRUE(std::equal(other.surface.Pixels(), other.surface.Pixels() + 320 * 240,
                               reference.surface.Pixels()));
    }
}

TEST(Misconvergence1, VeryWideScreensStillEndWithAFrame) {
    for (const auto& [w, h] : {std::pair{1000, 100}, std::pair{16384, 2}}) {
        for (int level = 0; level < 3; ++level) {
            Screen screen(w, h);
            screen.Paint(0, level);
            EXPECT_TRUE(screen.Lit(0, 0)) << w << "x" << h;
            EXPECT_TRUE(screen.Lit(w - 1, 0)) << w << "x" << h;
            EXPECT_TRUE(screen.Lit(0, h - 1)) << w << "x" << h;
        }
    }
    // On a single pixel every line has zero length: nothing is drawn.
    Screen dot(1, 1);
    dot.Paint(0, 0);
    EXPECT_FALSE(dot.Lit(0, 0));
}

TEST(Misconvergence1, PaletteModeShowsPurePrimaries) {
    for (int bpp : {1, 4, 8}) {
        Screen screen(640, 480, bpp);
        screen.Paint(0, 0);
        if (bpp == 1) {
            EXPECT_EQ(screen.At(0, 1), kBlack) << "red is nearer black than white";
            EXPECT_EQ(screen.At(0, 120), kBlack);
        } else {
            EXPECT_EQ(screen.At(0, 1), kRed) << bpp;
            EXPECT_EQ(screen.At(0, 40), kBlue) << bpp;
            EXPECT_EQ(screen.At(0, 120), kGreen) << bpp;
        }
    }
}

TEST(Misconvergence2, GridInTheGunColourByLevel) {
    Screen screen(640, 480);
    screen.Paint(1, 0, kGreen);
    EXPECT_EQ(screen.LitColumnsInRow(1), (std::vector<int>{0, 319, 639}));
    EXPECT_EQ(screen.LitRowsInColumn(1), (std::vector<int>{0, 239, 479}));
    EXPECT_EQ(screen.At(319, 100), kGreen);

    screen.Paint(1, 2, kWhite);
    const auto xs = screen.LitColumnsInRow(1);
    ASSERT_EQ(xs.size(), 17u);
    EXPECT_EQ((std::vector<int>(xs.begin(), xs.begin() + 4)), (std::vector<int>{0, 39, 79, 119}));
    EXPECT_EQ(screen.LitRowsInColumn(1).size(), 13u);
    EXPECT_EQ(screen.At(639, 5), kWhite);

    Screen clicked(640, 480);
    clicked.Paint(1, 2, kWhite, 5);
    EXPECT_TRUE(std::equal(clicked.surface.Pixels(), clicked.surface.Pixels() + 640 * 480,
                           screen.surface.Pixels()));
}

}  // namespace
