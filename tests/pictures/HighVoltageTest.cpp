// Picture 11, "Hochspannung": a white frame that stays and a box or three
// bands that blink with the timer.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

constexpr int kHighVoltage = 11;

struct Case {
    int w, h;
    RECT box;
    int h3;  // band height
};
const Case kCases[] = {
    {640, 480, {12, 12, 627, 467}, 151},   {800, 600, {16, 16, 784, 584}, 189},
    {1024, 768, {20, 20, 1003, 747}, 242}, {1280, 1024, {25, 25, 1254, 998}, 324},
    {1366, 768, {27, 27, 1338, 740}, 237},  // by the same rule
};

std::vector<int> Range(int from, int to) {
    std::vector<int> v;
    for (int i = from; i < to; ++i) {
        v.push_back(i);
    }
    return v;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> v;
    for (const auto& p : parts) {
        v.insert(v.end(), p.begin(), p.end());
    }
    return v;
}

void ExpectFrame(const Screen& screen) {
    const int W = screen.surface.Width();
    const int H = screen.surface.Height();
    EXPECT_EQ(screen.LitRowsInColumn(W - 1), std::vector<int>{});
    EXPECT_EQ(screen.LitColumnsInRow(H - 1), std::vector<int>{});
    for (int y : {0, H / 3, H - 2}) {
        EXPECT_EQ(screen.At(0, y), kWhite);
        EXPECT_EQ(screen.At(W - 2, y), kWhite);
    }
    for (int x : {0, W / 2, W - 2}) {
        EXPECT_EQ(screen.At(x, 0), kWhite);
        EXPECT_EQ(screen.At(x, H - 2), kWhite);
    }
}

TEST(HighVoltage, BoxAndBandsInBothPhases) {
    for (const Case& c : kCases) {
        const RECT& b = c.box;
        const int top = b.top;
        const int h = c.h3;
        const std::vector<int> frame0 = {0};
        const std::vector<int> frameEnd = {c.h - 2};
        for (std::uint32_t variant : {0u, 1u}) {
            for (std::uint32_t ticks : {0u, 1u}) {
                Screen screen(c.w, c.h);
                screen.Paint(kHighVoltage, 1, kRed, variant, ticks);
                ExpectFrame(screen);
                std::vector<int> lit;
                if (variant == 0) {
                    lit = ticks == 0 ? Range(top, b.bottom) : std::vector<int>{};
                } else if (ticks == 0) {
                    lit = Join({Range(top, top + h), Range(top + 2 * h + 2, b.bottom)});
                } else {
                    lit = Join({Range(top + h + 1, top + 2 * h + 1)});
                }
                for (int x : {static_cast<int>(b.left), c.w / 2, static_cast<int>(b.right) - 1}) {
                    EXPECT_EQ(screen.LitRowsInColumn(x), Join({frame0, lit, frameEnd}))
                        << c.w << " variant " << variant << " ticks " << ticks << " x " << x;
                }
                // Beside the box only the frame.
                EXPECT_EQ(screen.LitRowsInColumn(b.left - 1), Join({frame0, frameEnd})) << c.w;
                EXPECT_EQ(screen.LitRowsInColumn(b.right), Join({frame0, frameEnd})) << c.w;
            }
        }
    }
}

TEST(HighVoltage, TimerBlinksTheBoxAndARightClickKeepsThePhase) {
    Screen screen(640, 480);
    screen.Paint(kHighVoltage);
    EXPECT_TRUE(screen.host.timerRunning);
    EXPECT_EQ(screen.host.timerPeriodMs, 750u);
    EXPECT_TRUE(screen.Lit(320, 240));

    screen.wnd.OnTimer();
    screen.Paint();
    EXPECT_FALSE(screen.Lit(320, 240));
    EXPECT_TRUE(screen.Lit(0, 240));

    // Three bands in the dark phase: the middle one white.
    screen.wnd.OnRButtonDown();
    screen.Paint();
    EXPECT_EQ(screen.wnd.m_nTicks, 1u);
    EXPECT_FALSE(screen.Lit(320, 100));
    EXPECT_TRUE(screen.Lit(320, 240));

    screen.wnd.OnTimer();
    screen.Paint();
    EXPECT_TRUE(screen.Lit(320, 100));
    EXPECT_FALSE(screen.Lit(320, 240));
    EXPECT_FALSE(screen.Lit(320, 163));  // the black line between the bands
    EXPECT_FALSE(screen.Lit(320, 315));
    ExpectFrame(screen);
}

TEST(HighVoltage, SixteenColoursDrawItAndTwoAreRefused) {
    for (int bpp : {8, 4}) {
        Screen screen(64, 48, bpp);
        screen.Paint(kHighVoltage);
        EXPECT_TRUE(screen.host.messages.empty()) << bpp;
        EXPECT_EQ(screen.At(0, 0), kWhite) << bpp;
        EXPECT_EQ(screen.At(32, 24), kWhite) << bpp;
    }
    Screen mono(64, 48, 1);
    mono.Paint(kHighVoltage);
    EXPECT_EQ(mono.host.messages.size(), 1u);
    EXPECT_FALSE(mono.Lit(0, 0));
}

}  // namespace
