#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

#include "gdi/FontLibrary.h"
#include "support/TestSupport.h"

namespace {

constexpr int kReadability = 5;
constexpr std::array<int, 3> kRowPitch = {15, 11, 9};
constexpr const char* kSentence = "ZYN Clear Picture Company.";
constexpr int kSentenceLength = 26;

// The picture's two fonts at the row pitch of a level.
struct SmallFonts {
    explicit SmallFonts(int h) {
        for (BYTE italic : {0, 1}) {
            fonts[italic].CreateFont(h, 0, 0, 0, FW_NORMAL, italic, 0, 0, ANSI_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                     DEFAULT_PITCH | FF_DONTCARE, "Small Fonts");
        }
    }
    CFont& ForStyle(std::uint64_t style) { return fonts[style == 2 ? 1 : 0]; }
    int Advance(std::uint64_t style) {
        const GlyphSet& glyphs = *ForStyle(style).Face()->glyphs;
        return static_cast<int>(
            glyphs.TextWidth(reinterpret_cast<const unsigned char*>(kSentence), kSentenceLength));
    }
    // Rows of the cell that hold ink of the sentence in a style.
    std::pair<int, int> InkRows(std::uint64_t style) {
        const GlyphSet& glyphs = *ForStyle(style).Face()->glyphs;
        int top = glyphs.CellHeight();
        int bottom = 0;
        for (int i = 0; i < kSentenceLength; ++i) {
            for (const GlyphRun& run : glyphs.Runs(glyphs.GlyphFor(kSentence[i]))) {
                top = std::min<int>(top, run.y);
                bottom = std::max<int>(bottom, run.y + 1);
            }
        }
        return {top, bottom};
    }
    CFont fonts[2];
};

// The picture as its result reads, written with colours instead of an
// inversion: the row of y = r * h starts in style (r + variant) mod 3, and
// style 1 is white text on a black cell.
Surface ExpectedPicture(int W, int H, int bpp, int level, std::uint32_t variant) {
    const int h = kRowPitch[level];
    Surface surface(W, H, bpp);
    CDC dc(surface);
    SmallFonts fonts(h);
    const RECT screen{0, 0, W, H};
    dc.FillRect(&screen, GetStockBrush(WHITE_BRUSH));
    for (int row = 0; row * h < H; ++row) {
        int x = 0;
        for (std::uint64_t k = static_cast<std::uint64_t>(row) + variant; x < W; ++k) {
            const std::uint64_t style = k % 3;
            dc.SelectObject(&fonts.ForStyle(style));
            dc.SetTextColor(style == 1 ? kWhite : kBlack);
            dc.SetBkColor(style == 1 ? kBlack : kWhite);
            dc.TextOut(x, row * h, kSentence, kSentenceLength);
            x += fonts.Advance(style);
        }
    }
    dc.SelectObject(static_cast<CFont*>(nullptr));
    return surface;
}

bool SamePixels(const Surface& a, const Surface& b) {
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.PixelColor(x, y) != b.PixelColor(x, y)) {
                ADD_FAILURE() << "first difference at (" << x << ", " << y << ")";
                return false;
            }
        }
    }
    return true;
}

// Share of black pixels in [x0, x1) x [y0, y1).
double BlackShare(const Screen& screen, int x0, int y0, int x1, int y1) {
    int black = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            black += screen.At(x, y) == kBlack ? 1 : 0;
        }
    }
    return static_cast<double>(black) / ((x1 - x0) * (y1 - y0));
}

}  // namespace

TEST(Readability, RowsFollowTheStylesInRotation) {
    struct Case {
        int width, height, bpp, level;
        std::uint32_t variant;
    };
    constexpr Case kCases[] = {
        {640, 480, 32, 0, 0}, {640, 480, 32, 1, 0}, {640, 480, 32, 2, 0},
        {640, 480, 32, 2, 1}, {640, 480, 32, 1, 2}, {801, 333, 8, 0, 7},
        {97, 50, 4, 1, 0},    {1, 1, 1, 2, 0},      {500, 21, 16, 2, 4294967295u},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at " << c.bpp
                                        << " bpp, level " << c.level << ", variant " << c.variant);
        Screen screen(c.width, c.height, c.bpp);
        screen.Paint(kReadability, c.level, kWhite, c.variant);
        const Surface expected = ExpectedPicture(c.width, c.height, c.bpp, c.level, c.variant);
        EXPECT_TRUE(SamePixels(screen.surface, expected));
    }
}

TEST(Readability, RowCountsOn480Rows) {
    // Niedrig: 32 rows, the last at 465 ending at the bottom; Mittel: 44, the
    // last at 473; Hoch: 54, the last at 477. Each row's first sentence is
    // inverted (mostly black) exactly when its style is 1.
    constexpr std::array<int, 3> kRows = {32, 44, 54};
    for (int level = 0; level < 3; ++level) {
        const int h = kRowPitch[level];
        SmallFonts fonts(h);
        const int firstWidth = std::min(fonts.Advance(0), fonts.Advance(2));
        Screen screen(640, 480);
        screen.Paint(kReadability, level);
        for (int row = 0; row < kRows[level]; ++row) {
            const int y = row * h;
            const double share = BlackShare(screen, 0, y, firstWidth, std::min(y + h, 480));
            if (row % 3 == 1) {
                EXPECT_GT(share, 0.5) << "level " << level << ", row " << row;
            } else {
                EXPECT_LT(share, 0.5) << "level " << level << ", row " << row;
                EXPECT_GT(share, 0.0) << "level " << level << ", row " << row;
            }
        }
    }
}

TEST(Readability, RightClicksShiftEveryRowOneStyleOn) {
    const int h = kRowPitch[1];
    Screen original(640, 480);
    original.Paint(kReadability, 1);
    Screen clicked(640, 480);
    clicked.Paint(kReadability, 1);
    clicked.wnd.OnRButtonDown();
    clicked.Paint();
    // Row r after one click is row r + 1 before it, h pixels higher.
    for (int y = 0; y + h < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            ASSERT_EQ(clicked.At(x, y), original.At(x, y + h)) << x << ", " << y;
        }
    }
    clicked.wnd.OnRButtonDown();
    clicked.wnd.OnRButtonDown();
    clicked.Paint();
    EXPECT_TRUE(SamePixels(clicked.surface, original.surface));
}

TEST(Readability, InvertedBandIsExactlyHHighAndTheAdvanceWide) {
    // Niedrig: no ink of the sentence lies in the top row of its cell, so the
    // band's edges show there, and in a column that no glyph touches.
    const int h = kRowPitch[0];
    SmallFonts fonts(h);
    for (std::uint64_t style : {0u, 2u}) {
        ASSERT_GE(fonts.InkRows(style).first, 1);
        ASSERT_LE(fonts.InkRows(style).second, h);
    }
    const int advance = fonts.Advance(0);
    Screen screen(640, 480);
    screen.Paint(kReadability, 0);

    // Row 0: upright, inverted, italic. The band spans [advance, 2 * advance).
    EXPECT_EQ(screen.At(advance - 1, 0), kWhite);
    for (int x = advance; x < 2 * advance; ++x) {
        ASSERT_EQ(screen.At(x, 0), kBlack) << x;
    }
    EXPECT_EQ(screen.At(2 * advance, 0), kWhite);

    // Row 1 starts with the inverted sentence; below it row 2 is italic.
    int emptyColumn = -1;
    for (int x = advance - 1; x >= 0 && emptyColumn < 0; --x) {
        bool empty = true;
        for (int y = h; y < 2 * h; ++y) {
            empty = empty && screen.At(x, y) == kBlack;
        }
        emptyColumn = empty ? x : -1;
    }
    ASSERT_GE(emptyColumn, 0);
    EXPECT_EQ(screen.At(emptyColumn, h - 1), kWhite);
    EXPECT_EQ(screen.At(emptyColumn, 2 * h), kWhite);
    EXPECT_EQ(screen.At(advance, h), kWhite);
}

TEST(Readability, OnlyBlackAndWhiteAtEveryGunSettingAndDepth) {
    constexpr COLORREF kGuns[] = {kWhite, kRed, kGreen, kBlue, kRed | kBlue};
    for (int bpp : {1, 4, 8, 16, 32}) {
        for (COLORREF guns : kGuns) {
            Screen screen(320, 200, bpp);
            screen.Paint(kReadability, 2, guns);
            std::set<COLORREF> colors;
            for (int y = 0; y < 200; ++y) {
                for (int x = 0; x < 320; ++x) {
                    colors.insert(screen.At(x, y));
                }
            }
            EXPECT_EQ(colors, (std::set<COLORREF>{kBlack, kWhite})) << bpp << " bpp, guns " << guns;
        }
    }
}
