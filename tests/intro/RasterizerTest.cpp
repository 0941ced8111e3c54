#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "IntroTestSupport.h"
#include "intro/LogoEncoder.h"

namespace {

// A run store built by hand: the runs of each row followed by the end mark.
struct RunStore {
    explicit RunStore(const std::vector<RunRow>& runRows) {
        std::vector<std::size_t> starts;
        for (const RunRow& row : runRows) {
            starts.push_back(data.size());
            for (const auto& [start, end] : row) {
                data.push_back(static_cast<WORD>(start));
                data.push_back(static_cast<WORD>(end));
            }
            data.push_back(CIntro::kEndMark);
        }
        for (std::size_t i = 0; i < runRows.size(); ++i) {
            rows.push_back(runRows[i].empty() ? nullptr : data.data() + starts[i]);
        }
    }
    std::vector<WORD> data;
    std::vector<const WORD*> rows;
};

struct Image {
    Image(int width, int height)
        : rect{0, 0, width, height},
          pixels(static_cast<std::size_t>(width) * height, 0),
          edges(static_cast<std::size_t>(width)),
          coverage(static_cast<std::size_t>(width)) {}
    // Pixel (x, y) counted from the top of the bottom-up image.
    int At(int x, int y) const { return pixels[(rect.bottom - 1 - y) * rect.right + x]; }

    RECT rect;
    std::vector<BYTE> pixels;
    std::vector<WORD> edges;
    std::vector<DWORD> coverage;
};

RECT Rasterize(const RunStore& store, int A, int B, const CIntro::TargetRect& target,
               Image& image) {
    RECT out;
    CIntro::RasterizeLogo(store.rows, image.pixels, RECT{0, 0, A, B}, target, &out, image.rect,
                          image.edges, image.coverage);
    return out;
}

// The rasterizer's steps written out plainly, column by column, for the
// bottom-up image of extent (0, 0, stride, rows), without clipping. They are
// the rasterizer's result wherever it reduces the logo in both directions
// (see Reduces); drawn larger, these steps would leave columns and rows black.
std::vector<BYTE> ReferenceRasterize(std::span<const WORD* const> rows, int A, int B,
                                     const CIntro::TargetRect& t, int stride, int imageRows) {
    std::vector<BYTE> image(static_cast<std::size_t>(stride) * imageRows, 0);
    const int outBottom = static_cast<int>(std::ceil(t.bottom));
    const int n = static_cast<int>(t.right - t.left);
    const int m = static_cast<int>(t.bottom - t.top);
    const double sx = A / static_cast<double>(t.right - t.left);
    const double sy = B / static_cast<double>(t.bottom - t.top);
    std::vector<WORD> E(static_cast<std::size_t>(n) + 1);
    E[0] = 0xFFFF;
    double x = static_cast<double>(std::floor(t.left) - t.left) * sx;
    for (int c = 0; c < n; ++c) {
        x = x + sx;
        E[c + 1] = static_cast<WORD>(static_cast<int>(x));
    }
    double yTop = static_cast<double>(std::floor(t.top) - t.top) * sy;
    double yBottom = yTop;
    std::vector<DWORD> coverage(static_cast<std::size_t>(n));
    for (int r = 0; r < m; ++r) {
        yBottom = yBottom + sy;
        const int first = static_cast<int>(yTop);
        const int last = static_cast<int>(yBottom);
        std::fill(coverage.begin(), coverage.end(), 0);
        int smallest = 0x7FFF;
        int largest = 0;
        const unsigned end = std::min(static_cast<unsigned>(last), static_cast<unsigned>(B));
        for (unsigned j = static_cast<unsigned>(first); j < end; ++j) {
            const WORD* run = rows[j];
            if (run == nullptr) {
                continue;
            }
            unsigned xs = run[0];
            unsigned xe = run[1];
            run += 2;
            bool rowDone = false;
            for (int c = 0; c < n && !rowDone; ++c) {
                const unsigned e = E[c + 1];
                while (e >= xs) {
                    smallest = std::min(smallest, c);
                    largest = std::max(largest, c);
                    if (e > xe) {
                        coverage[c] += xe - xs + 1;
                        if (run[0] == 0xFFFF) {
                            rowDone = true;
                            break;
                        }
                        xs = run[0];
                        xe = run[1];
                        run += 2;
                    } else {
                        coverage[c] += e - xs + 1;
                        xs = e + 1;
                    }
                }
            }
        }
        BYTE* out = image.data() + static_cast<std::size_t>(outBottom - 1 - r) * stride;
        for (int c = smallest; c <= largest; ++c) {
            if (coverage[c] != 0) {
                const unsigned width = static_cast<WORD>(E[c + 1] - E[c]);
                out[c] = static_cast<BYTE>(std::uint64_t{coverage[c]} * 128 /
                                           (std::uint64_t{width} * (last - first)));
            }
        }
        yTop = yBottom;
    }
    return image;
}

// At least one logo unit per pixel in both directions.
bool Reduces(const CIntro::TargetRect& t, int A, int B) {
    return t.right - t.left <= static_cast<float>(A) && t.bottom - t.top <= static_cast<float>(B);
}

}  // namespace

TEST(Rasterizer, MatchesThePlainStepsOnTheBuiltLogo) {
    // The real logo at every zoom stage of a few screens, pixel for pixel.
    for (const int width : {640, 1024, 1366, 1920, 3840}) {
        RecordingHost host;
        CIntro intro(host, false, width, width * 9 / 16);
        ASSERT_TRUE(intro.LoadLogo(ZYN_LOGO_FILE));
        Image image(intro.ImageWidth(), intro.ImageHeight());
        for (const double t : {0.0, 0.1, 0.33, 0.5, 0.77, 0.9, 1.0}) {
            const CIntro::TargetRect target = intro.GetZoomFrame(t).target;
            std::fill(image.pixels.begin(), image.pixels.end(), 0);
            RECT out;
            CIntro::RasterizeLogo(intro.Rows(), image.pixels, intro.LogoRect(), target, &out,
                                  image.rect, image.edges, image.coverage);
            const auto expected =
                ReferenceRasterize(intro.Rows(), intro.LogoRect().right, intro.LogoRect().bottom,
                                   target, image.rect.right, image.rect.bottom);
            ASSERT_EQ(image.pixels, expected) << width << " at " << t;
        }
    }
}

TEST(Rasterizer, WorkedExampleOfTwoByTwoUnits) {
    // A 4 x 2 logo into 2 x 1 pixels: column 0 takes the units 0..2 (its left
    // edge one unit left of the logo), column 1 the units 3..4.
    const RunStore store({{{0, 3}}, {{2, 3}}});
    Image image(4, 1);
    const RECT out = Rasterize(store, 4, 2, {0.0f, 0.0f, 1.0f, 2.0f}, image);
    EXPECT_EQ(out, (RECT{0, 0, 2, 1}));
    EXPECT_EQ(image.edges[0], 0xFFFF);
    EXPECT_EQ(image.edges[1], 2);
    EXPECT_EQ(image.edges[2], 4);
    // Column 0: 3 + 1 of 3 x 2 units; column 1: 1 + 1 of 2 x 2 units.
    EXPECT_EQ(image.At(0, 0), 4 * 128 / 6);
    EXPECT_EQ(image.At(1, 0), 2 * 128 / 4);
    EXPECT_EQ(image.At(2, 0), 0);
    EXPECT_EQ(image.At(3, 0), 0);
}

TEST(Rasterizer, TopOutputRowGoesToTheHighestScanLineOfTheOutRectangle) {
    // Logo row 0 covered, row 1 empty: the first output row is lit. The blit
    // shows scan lines 0..bottom-1, so the rows start at scan line bottom - 1.
    const RunStore store({{{0, 3}}, {}});
    Image image(4, 3);
    const RECT out = Rasterize(store, 4, 2, {0.0f, 0.0f, 2.0f, 4.0f}, image);
    EXPECT_EQ(out.bottom, 2);
    EXPECT_EQ(image.pixels[1 * 4 + 0], 128);
    EXPECT_EQ(image.pixels[0 * 4 + 0], 0);
    EXPECT_EQ(image.pixels[2 * 4 + 0], 0);
}

TEST(Rasterizer, InsideIsFullOutsideIsBlackEdgesBetween) {
    // A disc of radius 300 units; 4 x 4 units a pixel.
    constexpr int kSize = 800;
    LogoBitmap disc{kSize, kSize, std::vector<BYTE>(kSize * kSize)};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int dx = x - 400;
            const int dy = y - 400;
            disc.units[y * kSize + x] = dx * dx + dy * dy < 300 * 300;
        }
    }
    std::string error;
    const auto file = EncodeLogo(disc, error);
    ASSERT_TRUE(file) << error;
    RecordingHost host;
    CIntro intro(host, false, 1024, 768);
    ASSERT_TRUE(intro.LoadLogo(*file));

    Image image(200, 200);
    RECT out;
    CIntro::RasterizeLogo(intro.Rows(), image.pixels, intro.LogoRect(),
                          {0.0f, 0.0f, 200.0f, 200.0f}, &out, image.rect, image.edges,
                          image.coverage);
    int edgePixels = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            // Pixel centre in units, and its distance from the disc's centre.
            const double dx = (x + 0.5) * 4 - 400;
            const double dy = (y + 0.5) * 4 - 400;
            const double r = std::sqrt(dx * dx + dy * dy);
            const int value = image.At(x, y);
            if (r < 294) {
                EXPECT_EQ(value, 128) << x << "," << y;
            } else if (r > 306) {
                EXPECT_EQ(value, 0) << x << "," << y;
            } else if (value > 0 && value < 128) {
                ++edgePixels;
            }
        }
    }
    EXPECT_GT(edgePixels, 100);
}

TEST(Rasterizer, EnlargedLogoRepeatsEveryUnitWithoutGaps) {
    // Random logos drawn kx times wider and ky times taller: each pixel shows
    // the unit it lies in, whole, with no empty columns or rows between them.
    // Columns count from one unit left of the logo (column 0 takes unit 0
    // alone), so pixel column c shows unit (c + 1) / kx. Two logo rows a pixel
    // (rowsPerPixel 2) keep the row fraction: vertical edges stay graded.
    struct Case {
        int kx;
        int ky;
        int rowsPerPixel;
    };
    constexpr Case kCases[] = {{2, 2, 1}, {4, 4, 1}, {8, 2, 1}, {2, 1, 1}, {4, 1, 2}};
    std::mt19937 random(5);
    for (const Case& k : kCases) {
        for (int round = 0; round < 20; ++round) {
            const int A = std::uniform_int_distribution<int>(1, 30)(random);
            const int B = 2 * std::uniform_int_distribution<int>(1, 6)(random);
            std::vector<RunRow> runRows(B);
            std::vector<std::vector<bool>> unit(B, std::vector<bool>(A + 1, false));
            for (int j = 0; j < B; ++j) {
                for (int x = 0; x < A; ++x) {
                    unit[j][x] = (random() & 1) != 0;
                    if (unit[j][x] && (x == 0 || !unit[j][x - 1])) {
                        runRows[j].push_back({x, x});
                    } else if (unit[j][x]) {
                        runRows[j].back().second = x;
                    }
                }
            }
            const RunStore store(runRows);
            const int width = A * k.kx;
            const int height = B * k.ky / k.rowsPerPixel;
            Image image(width, height);
            Rasterize(store, A, B,
                      {0.0f, 0.0f, static_cast<float>(height), static_cast<float>(width)}, image);
            for (int r = 0; r < height; ++r) {
                for (int c = 0; c < width; ++c) {
                    const int u = (c + 1) / k.kx;
                    int covered = 0;
                    for (int i = 0; i < k.rowsPerPixel; ++i) {
                        covered += unit[r / k.ky * k.rowsPerPixel + i][u];
                    }
                    ASSERT_EQ(image.At(c, r), covered * 128 / k.rowsPerPixel)
                        << A << "x" << B << " times " << k.kx << "x" << k.ky << " at " << c << ","
                        << r;
                }
            }
        }
    }
}

TEST(Rasterizer, BuiltLogoOnAn8KScreenHasASolidBar) {
    // At 7680 x 4320 the final logo is drawn about twice as large as its units.
    // Every output row that lies in the logo's full-width bar is solid, up to
    // the last column (which takes the unit right of the logo).
    RecordingHost host;
    CIntro intro(host, false, 7680, 4320);
    ASSERT_TRUE(intro.LoadLogo(ZYN_LOGO_FILE));
    const RECT logo = intro.LogoRect();
    const CIntro::TargetRect target = intro.GetZoomFrame(1.0).target;
    ASSERT_GT(target.right, 1.9f * static_cast<float>(logo.right));
    Image image(intro.ImageWidth(), intro.ImageHeight());
    RECT out;
    CIntro::RasterizeLogo(intro.Rows(), image.pixels, logo, target, &out, image.rect, image.edges,
                          image.coverage);

    const auto fullWidth = [&](int j) {
        const WORD* run = intro.Rows()[j];
        return run != nullptr && run[0] == 0 && run[1] == logo.right - 1 &&
               run[2] == CIntro::kEndMark;
    };
    int barRows = 0;
    for (int j = 0; j < logo.bottom; ++j) {
        barRows += fullWidth(j);
    }
    const double sy = logo.bottom / static_cast<double>(target.bottom - target.top);
    int solidRows = 0;
    for (int r = 0; r < out.bottom; ++r) {
        const auto first = static_cast<int>((r - target.top) * sy);
        const auto last = static_cast<int>((r + 1 - target.top) * sy);
        if (first < 0 || last >= logo.bottom || !fullWidth(first) || !fullWidth(last)) {
            continue;
        }
        ++solidRows;
        const BYTE* row =
            &image.pixels[static_cast<std::size_t>(out.bottom - 1 - r) * image.rect.right];
        for (int x = 0; x + 1 < out.right; ++x) {
            ASSERT_EQ(row[x], 128) << "row " << r << " column " << x;
        }
    }
    EXPECT_GT(barRows, 10);
    EXPECT_GE(solidRows, 19 * barRows / 10 - 2);
}

TEST(Rasterizer, FractionalTopShiftsTheRows) {
    // 0.5 pixels down: the first row's range starts half a pixel above the logo.
    const RunStore store(std::vector<RunRow>(4, RunRow{{0, 3}}));
    Image image(2, 3);
    const RECT out = Rasterize(store, 4, 4, {0.5f, 0.0f, 2.5f, 2.0f}, image);
    EXPECT_EQ(out, (RECT{0, 0, 2, 3}));
    // sy = 2: the first row's range [-1, 1) starts below zero and counts
    // nothing (the row loop compares unsigned); the second takes rows 1 and 2.
    EXPECT_EQ(image.At(0, 0), 0);
    EXPECT_EQ(image.At(0, 1), 128);
    EXPECT_EQ(image.At(0, 2), 0);  // only m = 2 rows are drawn
}

TEST(Rasterizer, StaysInsideTheImageAndBuffers) {
    // Targets larger than the image, or than the work buffers: nothing is
    // written outside them (the sanitizer build checks the accesses).
    const RunStore store(std::vector<RunRow>(50, RunRow{{0, 49}}));
    for (const CIntro::TargetRect target :
         {CIntro::TargetRect{0.0f, 0.0f, 40.0f, 40.0f},
          CIntro::TargetRect{0.9f, 0.0f, 30.7f, 35.0f}, CIntro::TargetRect{0.0f, 0.0f, 1e9f, 1e9f},
          CIntro::TargetRect{0.0f, 0.0f, 0.0f, 0.0f},
          CIntro::TargetRect{0.0f, 0.0f, -5.0f, -5.0f}}) {
        Image image(16, 8);
        Rasterize(store, 50, 50, target, image);
        for (const BYTE value : image.pixels) {
            EXPECT_LE(value, 128);
        }
    }
    Image image(16, 8);
    std::vector<WORD> shortEdges(4);
    std::vector<DWORD> shortCoverage(3);
    RECT out;
    CIntro::RasterizeLogo(store.rows, image.pixels, RECT{0, 0, 50, 50}, {0.0f, 0.0f, 8.0f, 16.0f},
                          &out, image.rect, shortEdges, shortCoverage);
    EXPECT_EQ(image.At(2, 0), 128);
    EXPECT_EQ(image.At(3, 0), 0);  // only as many columns as the buffers hold
}

TEST(Rasterizer, RandomLogosStayWithinTheRamp) {
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        const int A = std::uniform_int_distribution<int>(1, 3000)(random);
        const int B = std::uniform_int_distribution<int>(1, 400)(random);
        LogoBitmap bitmap{A, B, std::vector<BYTE>(static_cast<std::size_t>(A) * B)};
        // Stripes of random length, so rows have many runs of many widths.
        std::size_t i = 0;
        BYTE value = 0;
        while (i < bitmap.units.size()) {
            const auto length = std::uniform_int_distribution<std::size_t>(1, 40)(random);
            std::fill_n(bitmap.units.begin() + static_cast<long>(i),
                        std::min(length, bitmap.units.size() - i), value);
            i += length;
            value ^= 1;
        }
        std::string error;
        const auto file = EncodeLogo(bitmap, error);
        if (!file) {
            continue;  // more than 255 runs in a row
        }
        const int screenWidth = std::uniform_int_distribution<int>(3, 2000)(random);
        RecordingHost host;
        Surface surface(screenWidth, 600, 32);
        CIntro intro(host, false, screenWidth, 600);
        if (!intro.LoadLogo(*file)) {
            EXPECT_EQ(intro.GetLoadError(), CIntro::LogoError::kImageTooLarge);
            continue;
        }
        CDC dc(surface);
        for (const double t : {0.0, 0.37, 1.0}) {
            intro.DrawZoomFrame(&dc, t);
            const auto pixels = intro.Pixels();
            EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](BYTE v) { return v <= 128; }))
                << A << "x" << B << " on " << screenWidth << " at " << t;
            // Where the frame reduces the logo and fits the image, it is the
            // plain steps' result.
            const CIntro::TargetRect target = intro.GetZoomFrame(t).target;
            if (Reduces(target, A, B) && std::ceil(target.bottom) <= intro.ImageHeight() &&
                target.right < static_cast<float>(intro.ImageWidth())) {
                const auto expected = ReferenceRasterize(intro.Rows(), A, B, target,
                                                         intro.ImageWidth(), intro.ImageHeight());
                const auto mismatch = std::mismatch(pixels.begin(), pixels.end(), expected.begin());
                EXPECT_TRUE(mismatch.first == pixels.end())
                    << A << "x" << B << " on " << screenWidth << " at " << t << ": pixel "
                    << (mismatch.first - pixels.begin()) << " of " << intro.ImageWidth();
            }
        }
    }
}

TEST(Rasterizer, SolidLogoFillsColumnZeroExactly) {
    // Column 0 counts the units 0..E[1]: a covered logo gives it 128, not more.
    for (const int A : {1361, 2000, 4093}) {
        RecordingHost host;
        Surface surface(1024, 768, 32);
        CIntro intro(host, false, 1024, 768);
        ASSERT_TRUE(intro.LoadLogo(SolidLogo(A, A / 4)));
        CDC dc(surface);
        intro.DrawZoomFrame(&dc, 1.0);
        const int scan = intro.ImageHeight() - 1 - 50;
        EXPECT_EQ(intro.Pixels()[static_cast<std::size_t>(scan) * intro.ImageWidth()], 128) << A;
    }
}

TEST(Rasterizer, MatchesThePlainStepsOnSmallRandomLogos) {
    // Tiny logos reduced to tiny targets with fractional tops and lefts: every
    // corner of the column and row arithmetic, pixel for pixel.
    std::mt19937 random(11);
    for (int round = 0; round < 5000; ++round) {
        const int A = std::uniform_int_distribution<int>(1, 24)(random);
        const int B = std::uniform_int_distribution<int>(1, 8)(random);
        LogoBitmap bitmap{A, B, std::vector<BYTE>(static_cast<std::size_t>(A) * B)};
        for (BYTE& unit : bitmap.units) {
            unit = random() & 1;
        }
        std::string error;
        const auto file = EncodeLogo(bitmap, error);
        RecordingHost host;
        CIntro intro(host, false, 30, 30);
        ASSERT_TRUE(intro.LoadLogo(*file));
        const auto quarter = [&](int from, int to) {
            return static_cast<float>(std::uniform_int_distribution<int>(from, to)(random)) / 4;
        };
        const float top = quarter(0, 3);
        const float left = quarter(0, 3);
        const float height = quarter(4, 4 * std::min(B, 7));
        const float width = quarter(4, 4 * std::min(A, 15));
        const CIntro::TargetRect target{top, left, top + height, left + width};
        ASSERT_TRUE(Reduces(target, A, B));
        Image image(16, 8);
        RECT out;
        CIntro::RasterizeLogo(intro.Rows(), image.pixels, intro.LogoRect(), target, &out,
                              image.rect, image.edges, image.coverage);
        ASSERT_EQ(image.pixels, ReferenceRasterize(intro.Rows(), A, B, target, 16, 8))
            << A << "x" << B << " into " << width << "x" << height << " from " << top;
    }
}
