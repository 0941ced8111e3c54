// Picture 8, "Farbe": seven bars of the six pure colours, four layouts.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

constexpr int kColorBars = 8;
constexpr COLORREF kMagenta = 0xFF00FF;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kCyan = 0xFFFF00;
constexpr COLORREF kBarColour[6] = {kMagenta, kRed, kYellow, kGreen, kCyan, kBlue};

using Extents = std::vector<std::pair<int, int>>;

// What a line across the bars shows: bar i over [start, end), later bars over
// earlier ones, black in between.
std::vector<COLORREF> Expected(int length, const Extents& bars) {
    std::vector<COLORREF> line(static_cast<std::size_t>(length), kBlack);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        for (int p = std::max(0, bars[i].first); p < std::min(length, bars[i].second); ++p) {
            line[static_cast<std::size_t>(p)] = kBarColour[i % 6];
        }
    }
    return line;
}

std::vector<COLORREF> Across(const Screen& screen, bool vertical, int at) {
    std::vector<COLORREF> line;
    const int length = vertical ? screen.surface.Width() : screen.surface.Height();
    for (int p = 0; p < length; ++p) {
        line.push_back(vertical ? screen.At(p, at) : screen.At(at, p));
    }
    return line;
}

// The bars by their rule: p = -1, bar from (p L) / d to ((p + s) L) / d.
Extents ByRule(int length, bool gaps) {
    const int d = gaps ? 18 : 19;
    const int s = gaps ? 2 : 3;
    Extents bars;
    for (int p = -1; bars.size() < 7; p += s + (gaps ? 1 : 0)) {
        bars.push_back({(p * length) / d, ((p + s) * length) / d});
    }
    return bars;
}

struct Worked {
    int length;
    Extents gaps, noGaps;
};
const Worked kWorked[] = {
    {640,
     {{-35, 35}, {71, 142}, {177, 248}, {284, 355}, {391, 462}, {497, 568}, {604, 675}},
     {{-33, 67}, {67, 168}, {168, 269}, {269, 370}, {370, 471}, {471, 572}, {572, 673}}},
    {480,
     {{-26, 26}, {53, 106}, {133, 186}, {213, 266}, {293, 346}, {373, 426}, {453, 506}},
     {{-25, 50}, {50, 126}, {126, 202}, {202, 277}, {277, 353}, {353, 429}, {429, 505}}},
    {1024,
     {{-56, 56}, {113, 227}, {284, 398}, {455, 568}, {625, 739}, {796, 910}, {967, 1080}},
     {{-53, 107}, {107, 269}, {269, 431}, {431, 592}, {592, 754}, {754, 916}, {916, 1077}}},
};

TEST(ColorBars, WorkedExtentsInAllFourLayouts) {
    for (const Worked& w : kWorked) {
        EXPECT_EQ(ByRule(w.length, true), w.gaps) << w.length;
        EXPECT_EQ(ByRule(w.length, false), w.noGaps) << w.length;
        for (std::uint32_t variant = 0; variant < 4; ++variant) {
            const bool gaps = (variant & 1) == 0;
            const bool vertical = (variant & 2) == 0;
            // The bars run along the worked length; the other side is 300.
            Screen screen(vertical ? w.length : 300, vertical ? 300 : w.length);
            screen.Paint(kColorBars, 1, kWhite, variant);
            const Extents& bars = gaps ? w.gaps : w.noGaps;
            for (int at : {0, 150, 299}) {
                EXPECT_EQ(Across(screen, vertical, at), Expected(w.length, bars))
                    << w.length << " variant " << variant;
            }
        }
    }
}

TEST(ColorBars, WithoutGapsNoBlackRemainsAndMagentaShowsAtBothEdges) {
    for (const auto& [w, h] : {std::pair{1366, 768}, std::pair{1920, 1200}}) {
        for (std::uint32_t variant = 0; variant < 8; ++variant) {
            const bool gaps = (variant & 1) == 0;
            const bool vertical = (variant & 2) == 0;
            Screen screen(w, h);
            screen.Paint(kColorBars, 0, kRed, variant);
            const int length = vertical ? w : h;
            const std::vector<COLORREF> line = Across(screen, vertical, 7);
            EXPECT_EQ(line, Expected(length, ByRule(length, gaps))) << w << " " << variant;
            EXPECT_EQ(line.front(), kMagenta);
            EXPECT_EQ(line.back(), kMagenta);
            const auto blacks = std::count(line.begin(), line.end(), kBlack);
            if (gaps) {
                EXPECT_GT(blacks, 0);
            } else {
                EXPECT_EQ(blacks, 0);
            }
            EXPECT_EQ(screen.DistinctColors(), gaps ? 7u : 6u);
        }
    }
}

TEST(ColorBars, PaletteModesShowThePureOrNearestColours) {
    Screen palette(640, 8, 8);
    palette.Paint(kColorBars);
    EXPECT_EQ(Across(palette, true, 4), Expected(640, kWorked[0].gaps));

    Screen vga(640, 8, 4);
    vga.Paint(kColorBars);
    EXPECT_EQ(Across(vga, true, 4), Expected(640, kWorked[0].gaps));

    // Two colours suffice for this picture: the bars show as black or white.
    Screen mono(640, 8, 1);
    mono.Paint(kColorBars);
    EXPECT_TRUE(mono.host.messages.empty());
    EXPECT_LE(mono.DistinctColors(), 2u);
}

}  // namespace
