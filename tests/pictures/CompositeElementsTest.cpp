// The test card's elements drawn one at a time on a black screen with the
// render frame's pen and brush: circles, colour and grey fields, grating
// field, pattern strips, dot fields and grey labels.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "CompositeCheck.h"

namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kGray = 0x808080;
constexpr COLORREF kPen = 0x00FF00;

// The ellipses DrawCircles should draw, in its order and with its brushes.
void DrawExpectedCircles(CDC& dc, const RECT& centre, const std::array<RECT, 4>& outer,
                         const std::array<RECT, 4>& inner) {
    CBrush* pOld = dc.SelectObject(GetStockBrush(NULL_BRUSH));
    dc.Ellipse(&centre);
    for (const RECT& r : outer) {
        dc.Ellipse(&r);
    }
    dc.SelectObject(GetStockBrush(BLACK_BRUSH));
    for (const RECT& r : inner) {
        dc.Ellipse(&r);
    }
    dc.SelectObject(pOld);
}

bool SamePixels(const Surface& a, const Surface& b) {
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                ADD_FAILURE() << "first difference at (" << x << ", " << y << ")";
                return false;
            }
        }
    }
    return true;
}

struct CircleCase {
    int width;
    int height;
    RECT centre;
    std::array<RECT, 4> outer;
    std::array<RECT, 4> inner;
};

const CircleCase kCircleCases[] = {
    {1024,
     768,
     {128, 0, 896, 768},
     {{{0, 0, 187, 192}, {837, 0, 1024, 192}, {0, 575, 187, 768}, {837, 575, 1024, 768}}},
     {{{46, 47, 140, 144}, {883, 47, 977, 144}, {46, 623, 140, 720}, {883, 623, 977, 720}}}},
    {800,
     600,
     {100, 0, 700, 600},
     {{{0, 0, 146, 150}, {653, 0, 800, 150}, {0, 449, 146, 600}, {653, 449, 800, 600}}},
     {{{36, 37, 109, 113}, {690, 37, 763, 113}, {36, 486, 109, 562}, {690, 486, 763, 562}}}},
    {640,
     480,
     {80, 0, 560, 480},
     {{{0, 0, 117, 120}, {522, 0, 640, 120}, {0, 359, 117, 480}, {522, 359, 640, 480}}},
     {{{29, 29, 88, 90}, {551, 29, 610, 90}, {29, 389, 88, 450}, {551, 389, 610, 450}}}},
};

}  // namespace

TEST(CompositeCircles, CentreAndCornerCirclesOfTheWorkedScreens) {
    for (const CircleCase& c : kCircleCases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        Canvas canvas(c.width, c.height, kPen);
        canvas.picture.DrawCircles(&canvas.dc);
        Canvas expected(c.width, c.height, kPen);
        DrawExpectedCircles(expected.dc, c.centre, c.outer, c.inner);
        EXPECT_TRUE(SamePixels(canvas.surface, expected.surface));
        // The frame's black brush is selected again afterwards.
        EXPECT_EQ(canvas.dc.SelectObject(GetStockBrush(BLACK_BRUSH)), GetStockBrush(BLACK_BRUSH));
    }
}

TEST(CompositeCircles, CentreCircleTouchesTheShorterSides) {
    // Landscape: top and bottom edges; portrait: left and right edges.
    Canvas landscape(1024, 768, kPen);
    landscape.picture.DrawCircles(&landscape.dc);
    EXPECT_EQ(LitBounds(landscape.surface, {300, 0, 724, 768}).top, 0);
    EXPECT_EQ(LitBounds(landscape.surface, {300, 0, 724, 768}).bottom, 768);
    EXPECT_EQ(LitBounds(landscape.surface, {0, 250, 1024, 518}), (RECT{128, 250, 896, 518}));

    Canvas portrait(768, 1024, kPen);
    portrait.picture.DrawCircles(&portrait.dc);
    Canvas expected(768, 1024, kPen);
    CBrush* pOld = expected.dc.SelectObject(GetStockBrush(NULL_BRUSH));
    expected.dc.Ellipse(0, 128, 768, 896);
    expected.dc.SelectObject(pOld);
    // Between the corner blocks only the centre circle is drawn.
    const RECT middle{0, 260, 768, 760};
    EXPECT_EQ(LitBounds(portrait.surface, middle), (RECT{0, 260, 768, 760}));
    for (int y = middle.top; y < middle.bottom; ++y) {
        for (int x = 0; x < 768; ++x) {
            ASSERT_EQ(portrait.surface.Pixel(x, y), expected.surface.Pixel(x, y))
                << "(" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(LitBounds(portrait.surface, {300, 0, 468, 1024}), (RECT{300, 128, 468, 896}));
}

TEST(CompositeCircles, OddHeightEndsOnePixelAboveTheBottom) {
    Canvas canvas(1024, 767, kPen);
    canvas.picture.DrawCircles(&canvas.dc);
    // H div 2 = 383: the box is (129, 0, 895, 766).
    const RECT column{400, 0, 624, 767};
    EXPECT_EQ(LitBounds(canvas.surface, column).bottom, 766);
}

TEST(CompositeBands, ColourAndGreyFieldsOfTheWorkedScreens) {
    struct Case {
        int width;
        int height;
        std::array<std::array<int, 2>, 7> xs;
        std::array<int, 2> colorYs;
        std::array<int, 2> greyYs;
    };
    const Case cases[] = {
        {1024,
         768,
         {{{337, 383}, {387, 433}, {437, 484}, {488, 534}, {538, 585}, {589, 635}, {639, 686}}},
         {61, 178},
         {589, 706}},
        {800,
         600,
         {{{263, 300}, {302, 339}, {341, 378}, {380, 418}, {420, 457}, {459, 496}, {498, 536}}},
         {48, 140},
         {460, 552}},
        {640,
         480,
         {{{210, 239}, {241, 271}, {273, 302}, {304, 334}, {336, 365}, {367, 397}, {399, 429}}},
         {37, 112},
         {367, 442}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const WorkedBands& worked = kWorkedBands[i];
        ASSERT_EQ(worked.width, c.width);
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        Canvas canvas(c.width, c.height, kPen);
        // A lit screen shows which pixels the bands fill black.
        const RECT screen{0, 0, c.width, c.height};
        CBrush lit(kPen);
        canvas.dc.FillRect(&screen, &lit);
        canvas.picture.DrawColorBands(&canvas.dc);

        const auto& bars = canvas.picture.Bars();
        const auto& greys = canvas.picture.Greys();
        for (int j = 0; j < 7; ++j) {
            const RECT color{c.xs[j][0], c.colorYs[0], c.xs[j][1], c.colorYs[1]};
            const RECT grey{c.xs[j][0], c.greyYs[0], c.xs[j][1], c.greyYs[1]};
            EXPECT_TRUE(IsFieldOn(canvas.surface, color, bars[j], kBlack)) << "field " << j;
            EXPECT_TRUE(IsFieldOn(canvas.surface, grey, greys[j], kBlack)) << "field " << j;
        }
        // Each band is black around its fields and ends where the lit screen begins.
        for (const RECT& band : {worked.color, worked.grey}) {
            EXPECT_EQ(canvas.surface.PixelColor(band.left, band.top), kBlack);
            EXPECT_EQ(canvas.surface.PixelColor(band.right - 1, band.bottom - 1), kBlack);
            EXPECT_EQ(canvas.surface.PixelColor(band.left - 1, band.top), kPen);
            EXPECT_EQ(canvas.surface.PixelColor(band.right, band.top), kPen);
            EXPECT_EQ(canvas.surface.PixelColor(band.left, band.top - 1), kPen);
            EXPECT_EQ(canvas.surface.PixelColor(band.left, band.bottom), kPen);
        }
    }
}

TEST(CompositeBands, LastColourAndGreyFieldsAreWhite) {
    const CCompositePicture picture(false, 800, 600, 0);
    EXPECT_EQ(picture.Bars()[6], kWhite);
    EXPECT_EQ(picture.Greys()[6], kWhite);
}

TEST(CompositeGrating, FieldBarsAndGratingsOfTheWorkedScreens) {
    struct Grating {
        RECT area;
        int first;
        int second;
        int last;
    };
    struct Case {
        int width;
        int height;
        RECT greyField;
        RECT whiteBar;
        RECT blackBar;
        std::array<Grating, 3> gratings;
    };
    const Case cases[] = {
        {1024,
         768,
         {196, 201, 828, 258},
         {302, 212, 722, 223},
         {302, 234, 722, 245},
         {{{{196, 267, 396, 326}, 196, 198, 394},
           {{406, 267, 607, 326}, 406, 409, 604},
           {{617, 267, 828, 326}, 617, 621, 825}}}},
        {800,
         600,
         {153, 157, 646, 202},
         {235, 166, 563, 175},
         {235, 184, 563, 193},
         {{{{153, 209, 309, 255}, 153, 155, 307},
           {{317, 209, 473, 255}, 317, 320, 470},
           {{481, 209, 646, 255}, 481, 485, 645}}}},
        {640,
         480,
         {122, 125, 517, 161},
         {188, 132, 450, 139},
         {188, 146, 450, 153},
         {{{{122, 166, 247, 204}, 122, 124, 246},
           {{253, 166, 379, 204}, 253, 256, 376},
           {{385, 166, 517, 204}, 385, 389, 513}}}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const WorkedBands& worked = kWorkedBands[i];
        ASSERT_EQ(worked.width, c.width);
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        Canvas canvas(c.width, c.height, kPen);
        canvas.dc.FillRect(&worked.grating, GetStockBrush(BLACK_BRUSH));
        canvas.picture.DrawGratingField(&canvas.dc, &worked.grating);

        EXPECT_EQ(LitBounds(canvas.surface, worked.grating).top, c.greyField.top);
        EXPECT_TRUE(IsFilled(canvas.surface, c.whiteBar, kWhite));
        EXPECT_TRUE(IsFieldOn(canvas.surface, c.blackBar, kBlack, kGray));
        const RECT aboveWhite{c.greyField.left, c.greyField.top, c.greyField.right, c.whiteBar.top};
        EXPECT_TRUE(IsFilled(canvas.surface, aboveWhite, kGray));
        EXPECT_TRUE(IsFieldOn(canvas.surface, c.whiteBar, kWhite, kGray));
        EXPECT_EQ(LitBounds(canvas.surface, {worked.grating.left, worked.grating.top,
                                             worked.grating.right, c.gratings[0].area.top}),
                  c.greyField);

        for (int j = 0; j < 3; ++j) {
            const Grating& g = c.gratings[j];
            const int pitch = j + 2;
            EXPECT_EQ(g.second - g.first, pitch);
            EXPECT_EQ(LitBounds(canvas.surface, g.area),
                      (RECT{g.first, g.area.top, g.last + 1, g.area.bottom}))
                << "grating " << j;
            for (int x = g.area.left; x < g.area.right; ++x) {
                const bool line = x <= g.last && (x - g.first) % pitch == 0;
                const COLORREF want = line ? kPen : kBlack;
                EXPECT_TRUE(IsFilled(canvas.surface, {x, g.area.top, x + 1, g.area.bottom}, want))
                    << "grating " << j << " column " << x;
            }
        }
        // Nothing lit in the gaps between the gratings nor below them.
        for (int j = 0; j < 2; ++j) {
            const RECT gap{c.gratings[j].area.right, c.gratings[j].area.top,
                           c.gratings[j + 1].area.left, worked.grating.bottom};
            EXPECT_EQ(LitBounds(canvas.surface, gap), (RECT{0, 0, 0, 0})) << "gap " << j;
        }
        EXPECT_EQ(LitBounds(canvas.surface, {worked.grating.left, c.gratings[0].area.bottom,
                                             worked.grating.right, worked.grating.bottom}),
                  (RECT{0, 0, 0, 0}));
    }
}
