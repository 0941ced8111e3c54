#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>
#include <string>

#include "gdi/CDC.h"
#include "gdi/FontLibrary.h"
#include "gdi/Surface.h"

namespace {

constexpr COLORREF kTextColor = RGB(20, 40, 200);
constexpr COLORREF kBkColor = RGB(230, 30, 10);

bool CreateTestFont(CFont& font, int height, const char* face = "Small Fonts", BYTE italic = 0,
                    int weight = FW_NORMAL) {
    return font.CreateFont(height, 0, 0, 0, weight, italic, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

std::string FileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// Pixel values of a surface, to compare two renderings.
std::vector<std::uint32_t> Pixels(Surface& surface) {
    const std::uint32_t* p = surface.Pixels();
    return {p, p + static_cast<std::size_t>(surface.Width()) * surface.Height()};
}

// The smallest rectangle holding every pixel whose value is not `background`.
RECT ChangedBox(const Surface& surface, std::uint32_t background) {
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (surface.Pixel(x, y) != background) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
    }
    return box;
}

std::set<std::uint32_t> ValuesIn(const Surface& surface, const RECT& r) {
    std::set<std::uint32_t> values;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            values.insert(surface.Pixel(x, y));
        }
    }
    return values;
}

std::size_t CountValue(const Surface& surface, std::uint32_t value) {
    std::size_t count = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            count += surface.Pixel(x, y) == value ? 1 : 0;
        }
    }
    return count;
}

// A black surface with a context whose text and background colours are set.
struct TextScreen {
    explicit TextScreen(int width = 240, int height = 80, int bpp = 32)
        : surface(width, height, bpp), dc(surface) {
        dc.SetTextColor(kTextColor);
        dc.SetBkColor(kBkColor);
    }
    std::uint32_t Text() const { return surface.DeviceValue(kTextColor); }
    std::uint32_t Bk() const { return surface.DeviceValue(kBkColor); }
    std::uint32_t Black() const { return surface.DeviceValue(0); }

    Surface surface;
    CDC dc;
};

}  // namespace

TEST(FontFiles, FacesResolveToThePinnedFiles) {
    struct Case {
        const char* face;
        int weight;
        BYTE italic;
        const char* file;
    };
    constexpr Case kCases[] = {
        {"Small Fonts", FW_NORMAL, 0, "DejaVuSans.ttf"},
        {"Small Fonts", FW_NORMAL, 1, "DejaVuSans-Oblique.ttf"},
        {"small FONTS", FW_NORMAL, 0, "DejaVuSans.ttf"},
        {"Arial", FW_NORMAL, 0, "LiberationSans-Regular.ttf"},
        {"Arial", FW_BOLD, 0, "LiberationSans-Bold.ttf"},
        {kSystemFontName, FW_BOLD, 0, "DejaVuSans-Bold.ttf"},
    };
    for (const Case& c : kCases) {
        CFont font;
        EXPECT_TRUE(CreateTestFont(font, 12, c.face, c.italic, c.weight)) << c.face;
        EXPECT_EQ(FileName(font.FilePath()), c.file) << c.face;
    }
}

TEST(FontFiles, PositiveHeightIsTheCellHeight) {
    for (int h : {9, 11, 15, 16, 40}) {
        CFont font;
        CreateTestFont(font, h);
        EXPECT_EQ(font.CellHeight(), h);
        TextScreen screen;
        screen.dc.SelectObject(&font);
        EXPECT_EQ(screen.dc.GetTextExtent("Abc", 3).cy, h);
        screen.dc.SelectObject(static_cast<CFont*>(nullptr));
    }
}

TEST(FontFiles, NegativeHeightIsTheCharacterHeight) {
    // DejaVu Sans: 2048 units per em, ascender 1901, descender 483.
    CFont font;
    CreateTestFont(font, -12);
    EXPECT_EQ(font.CellHeight(), (12 * (1901 + 483) + 1024) / 2048);
}

TEST(FontFiles, UnusableRequestsLeaveTheFontEmpty) {
    CFont tooLarge;
    EXPECT_FALSE(CreateTestFont(tooLarge, FontLibrary::kMaxHeight + 1));
    EXPECT_FALSE(tooLarge.IsCreated());
    EXPECT_EQ(tooLarge.FilePath(), "");
    CFont tooSmall;
    EXPECT_FALSE(CreateTestFont(tooSmall, INT_MIN));

    // Selecting an empty font changes nothing: the default font still writes.
    TextScreen withEmpty;
    TextScreen plain;
    EXPECT_EQ(withEmpty.dc.SelectObject(&tooLarge), nullptr);
    withEmpty.dc.TextOut(3, 4, "Text", 4);
    plain.dc.TextOut(3, 4, "Text", 4);
    EXPECT_EQ(Pixels(withEmpty.surface), Pixels(plain.surface));
}

TEST(FontFiles, SameFaceAndSizeShareTheirGlyphs) {
    CFont a;
    CFont b;
    CreateTestFont(a, 11);
    CreateTestFont(b, 11);
    ASSERT_TRUE(a.IsCreated() && b.IsCreated());
    EXPECT_EQ(a.Face()->glyphs.get(), b.Face()->glyphs.get());
}

TEST(TextOut, DefaultFontIsABoldSansWithA16PixelCell) {
    TextScreen byDefault;
    EXPECT_TRUE(byDefault.dc.TextOut(5, 6, "Dark Gray", 9));
    EXPECT_EQ(byDefault.dc.GetTextExtent("Dark Gray", 9).cy, 16);

    TextScreen selected;
    CFont system;
    CreateTestFont(system, 16, kSystemFontName, 0, FW_BOLD);
    CFont* old = selected.dc.SelectObject(&system);
    selected.dc.TextOut(5, 6, "Dark Gray", 9);
    selected.dc.SelectObject(old);
    EXPECT_EQ(Pixels(byDefault.surface), Pixels(selected.surface));
}

TEST(TextOut, OpaqueModeFillsExactlyTheCell) {
    for (int h : {9, 15, 16}) {
        TextScreen screen;
        CFont font;
        CreateTestFont(font, h);
        screen.dc.SelectObject(&font);
        const SIZE extent = screen.dc.GetTextExtent("HIH", 3);
        screen.dc.TextOut(10, 20, "HIH", 3);
        const RECT cell{10, 20, 10 + extent.cx, 20 + h};
        EXPECT_EQ(ChangedBox(screen.surface, screen.Black()), cell) << h;
        EXPECT_EQ(ValuesIn(screen.surface, cell),
                  (std::set<std::uint32_t>{screen.Text(), screen.Bk()}))
            << h;
        screen.dc.SelectObject(static_cast<CFont*>(nullptr));
    }
}

TEST(TextOut, TransparentModeSetsOnlyTheGlyphPixels) {
    TextScreen opaque;
    opaque.dc.TextOut(10, 20, "Gray", 4);
    TextScreen transparent;
    EXPECT_EQ(transparent.dc.SetBkMode(TRANSPARENT), OPAQUE);
    transparent.dc.TextOut(10, 20, "Gray", 4);
    const std::size_t glyphPixels = CountValue(opaque.surface, opaque.Text());
    EXPECT_GT(glyphPixels, 0u);
    EXPECT_EQ(CountValue(transparent.surface, transparent.Text()), glyphPixels);
    EXPECT_EQ(CountValue(transparent.surface, transparent.Black()), 240u * 80u - glyphPixels);
}

TEST(TextOut, GlyphPixelsTakeExactlyTheTextColourAtEveryDepth) {
    for (int bpp : {1, 4, 8, 15, 16, 24, 32}) {
        TextScreen screen(240, 80, bpp);
        CFont font;
        CreateTestFont(font, 9, "Small Fonts", 1);
        screen.dc.SelectObject(&font);
        screen.dc.SetTextColor(0xFFFFFF);
        screen.dc.SetBkColor(0x000000);
        screen.dc.TextOut(0, 0, "ZYN Clear Picture Company.", 26);
        // Hinted one-bit glyphs: no pixel between the two colours.
        EXPECT_EQ(ValuesIn(screen.surface, {0, 0, 240, 80}),
                  (std::set<std::uint32_t>{screen.surface.DeviceValue(0xFFFFFF),
                                           screen.surface.DeviceValue(0)}))
            << bpp;
        screen.dc.SelectObject(static_cast<CFont*>(nullptr));
    }
}

TEST(TextOut, UpdateCpWritesAtAndAdvancesTheCurrentPosition) {
    TextScreen pieces;
    pieces.dc.MoveTo(7, 5);
    pieces.dc.SetTextAlign(TA_UPDATECP | TA_LEFT | TA_TOP);
    EXPECT_TRUE(pieces.dc.TextOut(100, 60, "Abc", 3));
    EXPECT_EQ(pieces.dc.GetCurrentPosition(), (POINT{7 + pieces.dc.GetTextExtent("Abc", 3).cx, 5}));
    pieces.dc.TextOut(100, 60, "Def", 3);
    EXPECT_EQ(pieces.dc.GetCurrentPosition(),
              (POINT{7 + pieces.dc.GetTextExtent("AbcDef", 6).cx, 5}));

    TextScreen whole;
    whole.dc.MoveTo(1, 2);
    whole.dc.TextOut(7, 5, "AbcDef", 6);
    EXPECT_EQ(whole.dc.GetCurrentPosition(), (POINT{1, 2}));
    EXPECT_EQ(Pixels(pieces.surface), Pixels(whole.surface));
}

TEST(TextOut, ExtentIsTheSumOfTheAdvances) {
    for (int h : {9, 11, 15}) {
        TextScreen screen;
        CFont font;
        CreateTestFont(font, h, "Small Fonts", 1);
        screen.dc.SelectObject(&font);
        const char* text = "ZYN Clear Picture Company.";
        int sum = 0;
        for (int i = 0; i < 26; ++i) {
            sum += screen.dc.GetTextExtent(text + i, 1).cx;
        }
        EXPECT_EQ(screen.dc.GetTextExtent(text, 26).cx, sum);
        EXPECT_GT(sum, 26 * 2);
        screen.dc.SelectObject(static_cast<CFont*>(nullptr));
    }
}

TEST(TextOut, Latin1CharactersHaveTheirOwnGlyphs) {
    TextScreen umlaut;
    umlaut.dc.TextOut(0, 0, "\xC4", 1);  // A with diaeresis
    TextScreen plain;
    plain.dc.TextOut(0, 0, "A", 1);
    EXPECT_GT(CountValue(umlaut.surface, umlaut.Text()), CountValue(plain.surface, plain.Text()));
}

TEST(TextOut, ClippedToTheUpdateRectangle) {
    Surface surface(120, 40, 32);
    const RECT update{20, 5, 50, 15};
    CDC dc(surface, update);
    dc.SetBkColor(kBkColor);
    dc.TextOut(0, 0, "WWWWWWWWWW", 10);
    EXPECT_EQ(ChangedBox(surface, surface.DeviceValue(0)), update);
}

TEST(TextOut, BadInputIsRefusedOrDrawsNothing) {
    TextScreen screen;
    const auto before = Pixels(screen.surface);
    EXPECT_FALSE(screen.dc.TextOut(0, 0, "abc", -1));
    EXPECT_FALSE(screen.dc.TextOut(0, 0, nullptr, 3));
    EXPECT_TRUE(screen.dc.TextOut(0, 0, nullptr, 0));
    EXPECT_TRUE(screen.dc.TextOut(INT_MAX - 3, INT_MAX - 3, "abc", 3));
    EXPECT_TRUE(screen.dc.TextOut(INT_MIN, INT_MIN, "abc", 3));
    EXPECT_TRUE(screen.dc.TextOut(-1000, 30, "abc", 3));
    EXPECT_EQ(Pixels(screen.surface), before);
    EXPECT_EQ(screen.dc.GetTextExtent(nullptr, 2), (SIZE{0, 0}));

    // The current position stops at the largest coordinate instead of wrapping.
    screen.dc.MoveTo(INT_MAX - 5, 0);
    screen.dc.SetTextAlign(TA_UPDATECP);
    screen.dc.TextOut(0, 0, "abc", 3);
    EXPECT_EQ(screen.dc.GetCurrentPosition().x, INT_MAX);
}

TEST(DrawText, Format0x25CentresTheCellInTheRectangle) {
    const RECT rects[] = {{20, 10, 180, 50}, {21, 10, 180, 51}, {0, 0, 240, 80}};
    for (RECT rect : rects) {
        TextScreen screen;
        const SIZE extent = screen.dc.GetTextExtent("White", 5);
        const int x = rect.left + (rect.right - rect.left - extent.cx) / 2;
        const int y = rect.top + (rect.bottom - rect.top - extent.cy) / 2;
        EXPECT_EQ(screen.dc.DrawText("White", 5, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE),
                  y - rect.top + extent.cy);
        EXPECT_EQ(ChangedBox(screen.surface, screen.Black()),
                  (RECT{x, y, x + extent.cx, y + extent.cy}));
    }
}

TEST(DrawText, Format0x2APutsTheCellInTheBottomRightCorner) {
    TextScreen screen;
    CFont arial;
    CreateTestFont(arial, 16, "Arial");
    screen.dc.SelectObject(&arial);
    RECT rect{30, 8, 200, 70};
    const SIZE extent = screen.dc.GetTextExtent("Zyn Monitor", 11);
    EXPECT_EQ(screen.dc.DrawText("Zyn Monitor", 11, &rect, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE),
              62);
    EXPECT_EQ(ChangedBox(screen.surface, screen.Black()),
              (RECT{200 - extent.cx, 70 - 16, 200, 70}));
    screen.dc.SelectObject(static_cast<CFont*>(nullptr));
}

TEST(DrawText, VerticalPlacementNeedsSingleLine) {
    TextScreen screen;
    RECT rect{10, 10, 200, 70};
    const SIZE extent = screen.dc.GetTextExtent("Dark", 4);
    screen.dc.DrawText("Dark", 4, &rect, DT_VCENTER);
    EXPECT_EQ(ChangedBox(screen.surface, screen.Black()),
              (RECT{10, 10, 10 + extent.cx, 10 + extent.cy}));
}

TEST(DrawText, ClipsToTheRectangle) {
    // The text is wider and higher than the rectangle: the cell covers all of
    // it, and nothing outside changes.
    TextScreen screen;
    RECT rect{40, 30, 70, 40};
    screen.dc.DrawText("White White", 11, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(ChangedBox(screen.surface, screen.Black()), rect);
    EXPECT_EQ(ValuesIn(screen.surface, rect),
              (std::set<std::uint32_t>{screen.Text(), screen.Bk()}));

    TextScreen unclipped;
    unclipped.dc.DrawText("White White", 11, &rect,
                          DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    const RECT box = ChangedBox(unclipped.surface, unclipped.Black());
    EXPECT_LT(box.left, rect.left);
    EXPECT_LT(box.top, rect.top);
}

TEST(DrawText, NegativeLengthMeansZeroTerminated) {
    TextScreen counted;
    TextScreen terminated;
    RECT rect{0, 0, 240, 80};
    counted.dc.DrawText("Gray", 4, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    terminated.dc.DrawText("Gray", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(Pixels(counted.surface), Pixels(terminated.surface));
}

TEST(DrawText, BadInputDrawsNothing) {
    TextScreen screen;
    const auto before = Pixels(screen.surface);
    RECT rect{0, 0, 240, 80};
    EXPECT_EQ(screen.dc.DrawText("Gray", 4, nullptr, DT_CENTER), 0);
    EXPECT_EQ(screen.dc.DrawText(nullptr, 4, &rect, DT_CENTER), 0);
    RECT inverted{200, 70, 10, 10};
    screen.dc.DrawText("Gray", 4, &inverted, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RECT huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    screen.dc.DrawText("", 0, &huge, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(Pixels(screen.surface), before);
}

TEST(TextPalette, PaletteIndexColoursShowTheirEntries) {
    for (int bpp : {4, 8}) {
        Surface surface(160, 40, bpp);
        CDC dc(surface);
        constexpr PALETTEENTRY kEntries[] = {{0, 0, 0, 0}, {40, 66, 132, 0}, {255, 255, 255, 0}};
        CPalette palette;
        palette.CreatePalette(kEntries);
        CPalette* old = dc.SelectPalette(&palette, false);
        dc.RealizePalette();
        dc.SetTextColor(PALETTEINDEX(1));
        dc.SetBkColor(PALETTEINDEX(2));
        dc.TextOut(4, 4, "Zyn Monitor", 11);
        const SIZE extent = dc.GetTextExtent("Zyn Monitor", 11);
        const RECT cell{4, 4, 4 + extent.cx, 4 + extent.cy};
        EXPECT_EQ(ValuesIn(surface, cell),
                  (std::set<std::uint32_t>{dc.DeviceValue(PALETTEINDEX(1)),
                                           dc.DeviceValue(PALETTEINDEX(2))}))
            << bpp;
        if (bpp == 8) {
            // Realized entries show their colours exactly.
            std::set<COLORREF> shown;
            for (std::uint32_t value : ValuesIn(surface, cell)) {
                shown.insert(surface.ValueToColor(value));
            }
            EXPECT_EQ(shown, (std::set<COLORREF>{RGB(40, 66, 132), RGB(255, 255, 255)}));
        }
        dc.SelectPalette(old, false);
    }
}
