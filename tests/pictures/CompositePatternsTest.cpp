// The pattern strips, their dot fields and the grey labels of the test card.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "CompositeCheck.h"

namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kGray = 0x808080;
constexpr COLORREF kDarkGray = 0x505050;
constexpr COLORREF kPen = 0x0000FF;

struct StripCase {
    int width;
    int height;
    RECT strip;                                // the first strip; the second follows below
    int rowStep;                               // how much lower the second strip's figures lie
    std::array<int, 2> markRows;               // of the first strip
    std::array<std::array<int, 3>, 6> markXs;  // cells 0, 1, 2, 7, 8, 9
    std::array<RECT, 3> dotFields;             // cells 3, 4 (double width), 6
};

const StripCase kStripCases[] = {
    {1024,
     768,
     {187, 432, 837, 479},
     48,
     {448, 457},
     {{{205, 219, 233},
       {270, 284, 298},
       {335, 349, 363},
       {660, 674, 688},
       {725, 739, 753},
       {790, 804, 818}}},
     {{{386, 448, 443, 462}, {451, 448, 573, 462}, {581, 448, 638, 462}}}},
    {800,
     600,
     {146, 337, 653, 374},
     37,
     {348, 357},
     {{{160, 171, 182},
       {210, 221, 232},
       {261, 272, 283},
       {514, 525, 536},
       {565, 576, 587},
       {616, 627, 638}}},
     {{{301, 348, 345, 362}, {351, 348, 447, 362}, {453, 348, 497, 362}}}},
    {640,
     480,
     {117, 270, 522, 299},
     30,
     {277, 286},
     {{{128, 137, 146},
       {168, 177, 186},
       {209, 218, 227},
       {411, 420, 429},
       {452, 461, 470},
       {492, 501, 510}}},
     {{{240, 277, 277, 291}, {281, 277, 358, 291}, {362, 277, 398, 291}}}},
};

// Mark size of cells 0, 1, 2, 7, 8, 9: pixel, 4-pixel circle, 5-pixel circle.
constexpr std::array<int, 6> kMarkSizes = {1, 4, 5, 5, 4, 1};

bool Inside(int x, int y, const RECT& r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

RECT Shifted(RECT r, int dy) {
    OffsetRect(&r, 0, dy);
    return r;
}

// Colour of pixel (x, y) of a dot field at F.left with pitch n: dot or field.
bool IsDot(int x, int y, const RECT& field, int pitch) {
    const int offset = (x - field.left) % pitch;
    return y % 2 != 0 ? offset == 0 : offset == pitch / 2;
}

testing::AssertionResult IsDotField(const Surface& surface, const RECT& field, int pitch,
                                    COLORREF dot, COLORREF ground) {
    for (int y = field.top; y < field.bottom; ++y) {
        for (int x = field.left; x < field.right; ++x) {
            const COLORREF want = IsDot(x, y, field, pitch) ? dot : ground;
            if (surface.PixelColor(x, y) != want) {
                return testing::AssertionFailure()
                       << "(" << x << ", " << y << ") of " << field << " is 0x" << std::hex
                       << surface.PixelColor(x, y) << ", not 0x" << want;
            }
        }
    }
    return testing::AssertionSuccess();
}

}  // namespace

TEST(CompositePatternStrip, MarksAndDotFieldsOfTheWorkedScreens) {
    for (const StripCase& c : kStripCases) {
        for (int s = 0; s < 2; ++s) {
            const COLORREF strip = s == 0 ? kGray : kWhite;
            const int dy = s * c.rowStep;
            SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " strip " << s);
            Canvas canvas(c.width, c.height, kPen);
            const RECT area = Shifted(c.strip, dy);
            canvas.picture.DrawPatternStrip(&canvas.dc, &area, strip);

            std::vector<RECT> expected;
            for (int cell = 0; cell < 6; ++cell) {
                const int size = kMarkSizes[cell];
                for (const int row : c.markRows) {
                    for (const int x : c.markXs[cell]) {
                        const int y = row + dy;
                        const RECT box{x, y, x + size, y + size};
                        expected.push_back(box);
                        const RECT window{x - 2, y - 2, x + size + 2, y + size + 2};
                        EXPECT_EQ(LitBounds(canvas.surface, window), box);
                        EXPECT_EQ(canvas.surface.PixelColor(x + size / 2, y), kPen);
                        if (size == 5) {
                            // A ring on the black brush: its middle is dark.
                            EXPECT_EQ(canvas.surface.PixelColor(x + 2, y + 2), kBlack);
                        }
                    }
                }
            }
            const RECT dots2 = Shifted(c.dotFields[0], dy);
            const RECT dots4 = Shifted(c.dotFields[1], dy);
            const RECT inverse4 = Shifted(c.dotFields[2], dy);
            EXPECT_TRUE(IsDotField(canvas.surface, dots2, 2, strip, kBlack));
            EXPECT_TRUE(IsDotField(canvas.surface, dots4, 4, strip, kBlack));
            EXPECT_TRUE(IsDotField(canvas.surface, inverse4, 4, kBlack, strip));
            expected.insert(expected.end(), {dots2, dots4, inverse4});

            int stray = 0;
            for (int y = area.top; y < area.bottom; ++y) {
                for (int x = area.left; x < area.right; ++x) {
                    bool known = false;
                    for (const RECT& r : expected) {
                        known = known || Inside(x, y, r);
                    }
                    stray += !known && canvas.surface.PixelColor(x, y) != kBlack;
                }
            }
            EXPECT_EQ(stray, 0);
        }
    }
}

TEST(CompositeDotPattern, CheckerboardAndLatticeFollowTheDeviceRow) {
    for (const int top : {40, 41}) {
        SCOPED_TRACE(testing::Message() << "top " << top);
        Canvas canvas(200, 100, kPen);
        const RECT checker{10, top, 31, top + 14};
        const RECT lattice{50, top, 83, top + 14};
        canvas.picture.FillDotPattern(&canvas.dc, &checker, kWhite, kBlack, 2);
        canvas.picture.FillDotPattern(&canvas.dc, &lattice, kBlack, kGray, 4);
        EXPECT_TRUE(IsDotField(canvas.surface, checker, 2, kWhite, kBlack));
        EXPECT_TRUE(IsDotField(canvas.surface, lattice, 4, kBlack, kGray));
        // An odd top row starts at the left edge, an even one half a pitch later.
        const bool oddTop = top % 2 != 0;
        EXPECT_EQ(canvas.surface.PixelColor(lattice.left, top), oddTop ? kBlack : kGray);
        EXPECT_EQ(canvas.surface.PixelColor(lattice.left + 2, top), oddTop ? kGray : kBlack);
        EXPECT_EQ(canvas.surface.PixelColor(checker.left, top), oddTop ? kWhite : kBlack);
        EXPECT_EQ(LitBounds(canvas.surface, {0, 0, 200, 100}),
                  (RECT{checker.left, top, lattice.right, top + 14}));
        // The frame's pen is selected again.
        EXPECT_EQ(canvas.dc.SelectObject(&canvas.pen), &canvas.pen);
    }
}

TEST(CompositeDotPattern, NoPitchOrInvertedFieldDrawsNoDots) {
    Canvas canvas(100, 60, kPen);
    const RECT field{10, 10, 40, 24};
    for (const int pitch : {0, -4}) {
        canvas.picture.FillDotPattern(&canvas.dc, &field, kWhite, kGray, pitch);
        EXPECT_TRUE(IsFilled(canvas.surface, field, kGray));
    }
    const RECT inverted{80, 30, 60, 44};
    canvas.picture.FillDotPattern(&canvas.dc, &inverted, kWhite, kGray, 2);
    EXPECT_EQ(LitBounds(canvas.surface, {41, 0, 100, 60}), (RECT{0, 0, 0, 0}));
}

TEST(CompositeLabels, WordRectanglesAndFieldsOfTheWorkedScreens) {
    struct Case {
        int width;
        int height;
        RECT strip;
        std::array<RECT, 3> left;
        std::array<RECT, 3> right;
    };
    const Case cases[] = {
        {1024,
         768,
         {187, 527, 837, 575},
         {{{233, 531, 310, 571}, {310, 531, 388, 571}, {388, 531, 466, 571}}},
         {{{558, 531, 635, 571}, {635, 531, 713, 571}, {713, 531, 791, 571}}}},
        {800,
         600,
         {146, 411, 653, 449},
         {{{182, 414, 242, 446}, {242, 414, 302, 446}, {302, 414, 363, 446}}},
         {{{435, 414, 495, 446}, {495, 414, 556, 446}, {556, 414, 617, 446}}}},
        {640,
         480,
         {117, 329, 522, 359},
         {{{146, 331, 194, 357}, {194, 331, 242, 357}, {242, 331, 290, 357}}},
         {{{348, 331, 396, 357}, {396, 331, 444, 357}, {444, 331, 493, 357}}}},
    };
    constexpr std::array<COLORREF, 3> kLabelColors = {kDarkGray, kGray, kWhite};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        Canvas canvas(c.width, c.height, kPen);
        const auto words = LabelWordRects(canvas.picture, c.strip);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(words[i], c.left[i]);
            EXPECT_EQ(words[3 + i], c.right[i]);
        }

        canvas.picture.DrawGreyLabels(&canvas.dc, &c.strip);
        // The right half: three fields in the label greys, each a word rectangle.
        for (int i = 0; i < 3; ++i) {
            const RECT& r = c.right[i];
            EXPECT_TRUE(
                IsFilled(canvas.surface, {r.left, r.top, r.right, r.top + 2}, kLabelColors[i]));
            EXPECT_TRUE(IsFilled(canvas.surface, {r.left, r.bottom - 2, r.right, r.bottom},
                                 kLabelColors[i]));
        }
        const RECT rightWhole{c.right[0].left, c.right[0].top, c.right[2].right, c.right[0].bottom};
        // Nothing but the words lights the left half.
        EXPECT_EQ(LitBounds(canvas.surface, {c.left[2].right, 0, c.width, c.height}), rightWhole);
        EXPECT_TRUE(IsFilled(canvas.surface, {0, 0, c.width, c.left[0].top}, kBlack));
        EXPECT_TRUE(IsFilled(canvas.surface, {0, c.left[0].top, c.left[0].left, c.height}, kBlack));
        // Black words on the last field; the colours stay set.
        EXPECT_EQ(canvas.dc.GetTextColor(), kBlack);
        EXPECT_EQ(canvas.dc.GetBkColor(), kWhite);
    }
}
