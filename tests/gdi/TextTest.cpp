// SPDX-License-Identifier: MIT
// Text on the software display: font files, cells, opaque and transparent
// writing, placement in a rectangle, clipping and bad input.
#include <gtest/gtest.h>

#include <climits>

#include "gdi/FontLibrary.h"
#include "support/TestSupport.h"

namespace {

constexpr COLORREF kText = RGB(20, 40, 200);
constexpr COLORREF kBk = RGB(230, 30, 10);

bool MakeFont(CFont& font, int height, const char* face = "Small Fonts", BYTE italic = 0,
              int weight = FW_NORMAL) {
    return font.CreateFont(height, 0, 0, 0, weight, italic, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// A black surface with text and background colours set.
struct TextScreen {
    explicit TextScreen(int bpp = 32, const RECT& update = {0, 0, 240, 80})
        : surface(240, 80, bpp), dc(surface, update) {
        dc.SetTextColor(kText);
        dc.SetBkColor(kBk);
    }
    Surface surface;
    CDC dc;
};

// Faces resolve to the pinned files; a positive height is the cell height,
// a negative one the character height (ascender 1901 + descender 483 of 2048
// units, rounded). Advances round to whole pixels: "i" and "l" of a 1-pixel
// cell take none. A family whose heaviest file is demibold serves a bold
// request with that file as it is, not emboldened.
TEST(Text, FontsResolveToTheirFilesAndCells) {
    constexpr struct {
        const char* face;
        int height, weight;
        BYTE italic;
        const char* file;
        int cell, width;  // of "Ail"
    } kFonts[] = {{"Small Fonts", 1, FW_NORMAL, 0, "DejaVuSans.ttf", 1, 1},
                  {"small FONTS", 15, FW_NORMAL, 1, "DejaVuSans-Oblique.ttf", 15, 15},
                  {"Arial", 40, FW_BOLD, 0, "LiberationSans-Bold.ttf", 40, 43},
                  {"Arial", 20, FW_BOLD, 1, "LiberationSans-BoldItalic.ttf", 20, 23},
                  {"Small Fonts", 12, FW_BOLD, 0, "DejaVuSans-Bold.ttf", 12, 15},
                  {"URW Gothic", 16, FW_BOLD, 0, "URWGothic-Demi.otf", 16, 20},
                  {kSystemFontName, -12, FW_BOLD, 0, "DejaVuSans-Bold.ttf",
                   (12 * (1901 + 483) + 1024) / 2048, 17}};
    for (const auto& f : kFonts) {
        CFont font;
        EXPECT_TRUE(MakeFont(font, f.height, f.face, f.italic, f.weight)) << f.face;
        EXPECT_EQ(font.FilePath().substr(font.FilePath().rfind('/') + 1), f.file) << f.face;
        TextScreen screen;
        screen.dc.SelectObject(&font);
        EXPECT_EQ(screen.dc.GetTextExtent("Ail", 3), (SIZE{f.width, f.cell})) << f.face;
    }
    CFont tooLarge;
    EXPECT_FALSE(MakeFont(tooLarge, FontLibrary::kMaxHeight + 1));
    EXPECT_FALSE(MakeFont(tooLarge, INT_MIN));
}

// DrawText places the cell of "White" (45 x 16 pixels) by its format,
// divisions truncated, clips to the rectangle unless DT_NOCLIP and returns the
// distance to the cell's bottom. Opaque text fills exactly its cell, in the
// text and background colours of each depth; transparent text sets the same
// glyph pixels (the 184 of the letters' ink) and leaves the rest.
TEST(Text, DrawTextPlacesTheCellByItsFormat) {
    constexpr UINT kCentre = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    constexpr struct {
        RECT rect;
        UINT format;
        POINT cell;
        int bpp;
    } kCases[] = {{{20, 10, 180, 50}, kCentre, {77, 22}, 32},
                  {{21, 10, 180, 51}, kCentre, {78, 22}, 16},
                  {{30, 8, 200, 70}, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, {155, 54}, 8},
                  {{10, 10, 200, 70}, DT_VCENTER, {10, 10}, 4},
                  {{40, 30, 70, 40}, kCentre | DT_NOCLIP, {33, 27}, 32}};
    for (const auto& c : kCases) {
        TextScreen screen(c.bpp);
        RECT r = c.rect;
        const auto [x, y] = c.cell;
        EXPECT_EQ(screen.dc.DrawText("White", -1, &r, c.format), y - r.top + 16) << c.rect;
        EXPECT_EQ(LitBounds(screen.surface, {0, 0, 240, 80}), (RECT{x, y, x + 45, y + 16}));
        const Surface& s = screen.surface;
        const COLORREF text = s.ValueToColor(s.DeviceValue(kText));
        const auto opaque = ColorCounts(s);
        EXPECT_EQ(opaque.at(text) + opaque.at(s.ValueToColor(s.DeviceValue(kBk))), 45u * 16u);
        TextScreen transparent(c.bpp);
        transparent.dc.SetBkMode(TRANSPARENT);
        transparent.dc.DrawText("White", 5, &r, c.format);
        const auto glyphs = ColorCounts(transparent.surface);
        EXPECT_EQ(glyphs.size(), 2u);  // black and the text colour
        EXPECT_EQ(glyphs.at(text), opaque.at(text));
        EXPECT_EQ(glyphs.at(text), 184u);
        TextScreen clipped(c.bpp);
        clipped.dc.DrawText("White", 5, &r, c.format & ~DT_NOCLIP);
        EXPECT_EQ(LitBounds(clipped.surface, {0, 0, 240, 80}),
                  (RECT{std::max(x, r.left), std::max(y, r.top), std::min(x + 45, r.right),
                        std::min(y + 16, r.bottom)}));
    }
}

// Bad input is refused or draws nothing; text outside the update rectangle
// is clipped; the current position stops at the largest coordinate instead
// of wrapping.
TEST(Text, BadInputDrawsNothing) {
    TextScreen screen(32, {20, 5, 50, 15});
    EXPECT_FALSE(screen.dc.TextOut(0, 0, "abc", -1));
    EXPECT_FALSE(screen.dc.TextOut(0, 0, nullptr, 3));
    EXPECT_TRUE(screen.dc.TextOut(0, 0, nullptr, 0));
    EXPECT_TRUE(screen.dc.TextOut(INT_MAX - 3, INT_MAX - 3, "abc", 3));
    EXPECT_TRUE(screen.dc.TextOut(INT_MIN, INT_MIN, "abc", 3));
    EXPECT_EQ(screen.dc.GetTextExtent(nullptr, 2), (SIZE{0, 0}));
    EXPECT_EQ(screen.dc.GetTextExtent("", 0), (SIZE{0, 16}));
    RECT rect{0, 0, 240, 80};
    EXPECT_EQ(screen.dc.DrawText("Gray", 4, nullptr, DT_CENTER), 0);
    EXPECT_EQ(screen.dc.DrawText(nullptr, 4, &rect, DT_CENTER), 0);
    RECT inverted{200, 70, 10, 10};
    screen.dc.DrawText("Gray", 4, &inverted, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RECT huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    screen.dc.DrawText("", 0, &huge, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(LitBounds(screen.surface, rect), (RECT{0, 0, 0, 0}));
    screen.dc.TextOut(0, 0, "WWWWWWWWWW", 10);
    EXPECT_EQ(LitBounds(screen.surface, rect), (RECT{20, 5, 50, 15}));
    screen.dc.MoveTo(INT_MAX - 5, 0);
    screen.dc.SetTextAlign(TA_UPDATECP);
    screen.dc.TextOut(0, 0, "abc", 3);
    EXPECT_EQ(screen.dc.GetCurrentPosition().x, INT_MAX);
}

}  // namespace
