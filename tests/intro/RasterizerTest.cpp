#include <gtest/gtest.h>

#include <random>

#include "IntroTestSupport.h"
#include "intro/Intro.h"

namespace {

// The pixels of the logo drawn to target in a width x height image, top row first.
std::vector<int> Draw(const std::vector<std::string>& units, const TargetRect& target, int width,
                      int height) {
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

// A random logo of width x height units.
std::vector<std::string> RandomUnits(std::mt19937& random, int width, int height) {
    std::vector<std::string> units(height, std::string(width, '.'));
    for (std::string& row : units) {
        for (char& unit : row) {
            unit = random() & 1 ? '#' : '.';
        }
    }
    return units;
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
        // The top output row goes to the highest scan line of the out rectangle.
        {{"####", "...."}, {0, 0, 2, 4}, 4, 3, {0, 0, 0, 0, 128, 128, 128, 0, 0, 0, 0, 0}},
        // Half a pixel down: the first row's range [-1, 1) counts nothing.
        {{"####", "####", "####", "####"}, {0.5, 0, 2.5, 2}, 2, 3, {0, 0, 128, 0, 0, 0}},
        {{"######", "######"}, {0, 0, 1, 3}, 4, 1, {128, 128, 64, 0}},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Draw(c.units, c.target, c.width, c.height), c.pixels) << c.units[0];
    }
}

TEST(Rasterizer, ReductionsMatchTheFrozenChecksum) {
    // Small random logos reduced to targets with fractional tops and lefts,
    // and the built logo through its zoom: every pixel folded into one
    // checksum, taken when the rasterizer was checked against its plain steps.
    std::mt19937 random(11);
    std::uint64_t checksum = 14695981039346656037u;
    const auto add = [&](std::span<const BYTE> pixels) {
        for (const BYTE value : pixels) {
            checksum = (checksum ^ value) * 1099511628211u;
        }
    };
    for (int round = 0; round < 3000; ++round) {
        const int A = 1 + random() % 24;
        const int B = 1 + random() % 8;
        const auto quarter = [&](int from, int to) {
            return float(from + random() % (to - from + 1)) / 4;
        };
        const float top = quarter(0, 3);
        const float left = quarter(0, 3);
        const float height = quarter(4, 4 * std::min(B, 7));
        const float width = quarter(4, 4 * std::min(A, 15));
        const auto pixels =
            Draw(RandomUnits(random, A, B), {top, left, top + height, left + width}, 16, 8);
        add(std::vector<BYTE>(pixels.begin(), pixels.end()));
    }
    for (const int screenWidth : {640, 1024, 1920}) {
        LogoFile logo;
        ASSERT_EQ(logo.Read(ZYN_LOGO_FILE), LogoError::kNone);
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

TEST(Rasterizer, EnlargedLogoRepeatsEveryUnitWithoutGaps) {
    // Drawn kx times wider and ky times taller, each pixel shows the unit it
    // lies in, whole: column c shows unit (c + 1) / kx, as column 0 starts one
    // unit left of the logo. Two logo rows a pixel keep the row fraction.
    constexpr struct {
        int kx, ky, rowsPerPixel;
    } kCases[] = {{2, 2, 1}, {4, 4, 1}, {8, 2, 1}, {2, 1, 1}, {4, 1, 2}};
    std::mt19937 random(5);
    for (const auto& k : kCases) {
        for (int round = 0; round < 20; ++round) {
            const int A = 1 + random() % 30;
            const int B = 2 + 2 * (random() % 6);
            const auto units = round == 0 ? std::vector<std::string>(B, std::string(A, '#'))
                                          : RandomUnits(random, A, B);
            const int width = A * k.kx;
            const int height = B * k.ky / k.rowsPerPixel;
            const auto pixels = Draw(units, {0, 0, float(height), float(width)}, width, height);
            for (int r = 0; r < height; ++r) {
                for (int c = 0; c < width; ++c) {
                    const std::size_t u = std::size_t(c + 1) / k.kx;
                    int covered = 0;
                    for (int i = 0; i < k.rowsPerPixel; ++i) {
                        covered +=
                            u < std::size_t(A) && units[r / k.ky * k.rowsPerPixel + i][u] == '#';
                    }
                    ASSERT_EQ(pixels[r * width + c], covered * 128 / k.rowsPerPixel)
                        << A << "x" << B << " times " << k.kx << "x" << k.ky << " at " << c << ","
                        << r;
                }
            }
        }
    }
}
