// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "IntroTestSupport.h"

namespace {

// The pixels of the logo drawn to target in a width x height image, top row
// first. A logo without a covered unit is refused, and draws nothing.
std::vector<int> Draw(const std::vector<std::string>& units, const TargetRect& target, int width,
                      int height) {
    if (std::ranges::none_of(
            units, [](const std::string& row) { return row.find('#') != std::string::npos; })) {
        return std::vector<int>(std::size_t(width) * height, 0);
    }
    LogoFile logo;
    EXPECT_EQ(logo.Parse(LogoOf(units)), LogoError::kNone);
    LogoRasterizer image(logo, width, height);
    image.Draw(target);
    std::vector<int> pixels;
    for (int y = height - 1; y >= 0; --y) {
        pixels.insert(pixels.end(), &image.Pixels()[y * width], &image.Pixels()[(y + 1) * width]);
    }
    return pixels;
}

}  // namespace

TEST(Rasterizer, WorkedFigures) {
    const struct {
        std::vector<std::string> units;
        TargetRect target;
        int width, height;
        std::vector<int> pixels;
    } kCases[] = {
        // Column 0 counts the units 0..E[1] (3 x 2 units), column 1 the units 3..4.
        {{"####", "..##"}, {0, 0, 1, 2}, 4, 1, {4 * 128 / 6, 2 * 128 / 4, 0, 0}},
        {{"######", "######"}, {0, 0, 1, 3}, 4, 1, {128, 128, 64, 0}},
        // The top output row goes to the highest scan line of the out rectangle.
        {{"####", "...."}, {0, 0, 2, 4}, 4, 3, {0, 0, 0, 0, 128, 128, 128, 0, 0, 0, 0, 0}},
        // Half a pixel down: the first row's range [-1, 1) counts nothing.
        {{"####", "####", "####", "####"}, {0.5, 0, 2.5, 2}, 2, 3, {0, 0, 128, 0, 0, 0}},
        // Enlarged, a run up to the logo's edge touches no column past the target's last.
        {{"..##"}, {0, 0, 1, 4.5}, 6, 1, {0, 0, 128, 128, 0, 0}},
        // Twice as large: every column and row covers half a unit, the unit it
        // lies in; the last column takes the unit right of the logo.
        {{"##"}, {0, 0, 2, 4}, 5, 2, {128, 128, 128, 0, 0, 128, 128, 128, 0, 0}},
        // Enlarged into a narrower image, a run right of its last column adds to none.
        {{"#..#"}, {0, 0, 1, 8}, 3, 1, {128, 0, 0}},
        // One pixel wide, the image has room for no column's right edge.
        {{std::string(32767, '#')}, {0, 0, 1, 1}, 1, 1, {0}},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Draw(c.units, c.target, c.width, c.height), c.pixels) << c.units[0];
    }
    // A target that is no finite rectangle draws nothing and has no extent.
    LogoFile logo;
    ASSERT_EQ(logo.Parse(LogoOf({"#"})), LogoError::kNone);
    LogoRasterizer image(logo, 4, 2);
    for (const TargetRect t :
         {TargetRect{NAN, 0, 2, 4}, {0, INFINITY, 2, 4}, {0, 0, -INFINITY, 4}, {0, 0, 2, NAN}}) {
        EXPECT_EQ(image.Draw(t), RECT{}) << t.top << " " << t.left << " " << t.bottom;
    }
}

TEST(Rasterizer, ReductionsMatchTheFrozenChecksum) {
    // Small random logos reduced to targets with fractional tops and lefts,
    // and the built logo through its zoom: every pixel folded into one
    // checksum, taken when the rasterizer was checked against its plain steps.
    std::mt19937 random(11);
    std::uint64_t checksum = 14695981039346656037u;
    const auto add = [&checksum](auto pixels) {
        for (const auto value : pixels) {
            checksum = (checksum ^ BYTE(value)) * 1099511628211u;
        }
    };
    for (int round = 0; round < 3000; ++round) {
        const int A = 1 + random() % 24;
        const int B = 1 + random() % 8;
        const auto quarter = [&](int from, int to) {
            return (from + random() % (to - from + 1)) / 4.0f;
        };
        const float top = quarter(0, 3);
        const float left = quarter(0, 3);
        const float height = quarter(4, 4 * std::min(B, 7));
        const float width = quarter(4, 4 * std::min(A, 15));
        std::vector<std::string> units(B, std::string(A, '.'));
        for (std::string& row : units) {
            for (char& unit : row) {
                unit = random() & 1 ? '#' : '.';
            }
        }
        add(Draw(units, {top, left, top + height, left + width}, 16, 8));
    }
    LogoFile logo;
    ASSERT_EQ(logo.Read(ZYN_LOGO_FILE), LogoError::kNone);
    for (const int screenWidth : {640, 1024, 1920}) {
        const int width = (2 * screenWidth / 3 + 16 + 3) / 4 * 4;
        LogoRasterizer image(logo, width, int(width * logo.Aspect()));
        for (const double t : {0.0, 0.33, 0.77, 1.0}) {
            image.Clear();
            image.Draw(ZoomFrameAt(t, screenWidth, screenWidth * 9 / 16, logo.Aspect()).target);
            add(image.Pixels());
        }
    }
    EXPECT_EQ(checksum, 13443412589546663342u);
}
