// The test card's words: the caption and the grey labels put their text
// pixels inside their own rectangles only.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "CompositeCheck.h"
#include "support/TestSupport.h"

namespace {

// True when the display draws text at all: a word in a scratch context lights pixels.
bool TextIsDrawn() {
    Surface surface(64, 32, 32);
    CDC dc(surface);
    RECT rect{0, 0, 64, 32};
    dc.DrawText("Gray", 4, &rect, CCompositePicture::kTextFormat);
    return LitBounds(surface, rect) != RECT{0, 0, 0, 0};
}

// Pixels of window whose colour differs between the two screens.
RECT ChangedBounds(const Surface& a, const Surface& b, const RECT& window) {
    RECT bounds{0, 0, 0, 0};
    bool any = false;
    for (int y = window.top; y < window.bottom; ++y) {
        for (int x = window.left; x < window.right; ++x) {
            if (a.Pixel(x, y) == b.Pixel(x, y)) {
                continue;
            }
            bounds = any ? RECT{std::min(bounds.left, x), std::min(bounds.top, y),
                                std::max(bounds.right, x + 1), std::max(bounds.bottom, y + 1)}
                         : RECT{x, y, x + 1, y + 1};
            any = true;
        }
    }
    return bounds;
}

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

TEST(CompositeText, CaptionTextLiesInsideItsBand) {
    if (!TextIsDrawn()) {
        GTEST_SKIP() << "this display draws no text";
    }
    for (const WorkedBands& c : kWorkedBands) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        Screen screen(c.width, c.height);
        screen.Paint(12);
        const RECT text = LitBounds(screen.surface, c.caption);
        EXPECT_NE(text, (RECT{0, 0, 0, 0}));
        EXPECT_TRUE(Contains(c.caption, text)) << text;
        // Centred: as much room on the left as on the right, within a pixel.
        EXPECT_NEAR(text.left - c.caption.left, c.caption.right - text.right, 2);
    }
}

TEST(CompositeText, CaptionStatesTheRefreshRate) {
    if (!TextIsDrawn()) {
        GTEST_SKIP() << "this display draws no text";
    }
    const WorkedBands& c = kWorkedBands[0];
    Screen none(c.width, c.height);
    none.Paint(12);
    Screen sixty(c.width, c.height);
    sixty.wnd.SetRefreshRate(60);
    sixty.Paint(12);
    const RECT screen{0, 0, c.width, c.height};
    const RECT changed = ChangedBounds(none.surface, sixty.surface, screen);
    EXPECT_NE(changed, (RECT{0, 0, 0, 0}));
    EXPECT_TRUE(Contains(c.caption, changed)) << changed;
}

TEST(CompositeText, LabelWordsLieInsideTheirRectangles) {
    if (!TextIsDrawn()) {
        GTEST_SKIP() << "this display draws no text";
    }
    constexpr std::array<COLORREF, 3> kLabelColors = {0x505050, 0x808080, 0xFFFFFF};
    for (const WorkedBands& c : kWorkedBands) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        Canvas canvas(c.width, c.height);
        const CRectSplitter strips(&c.patterns, 3, false);
        RECT strip;
        strips.GetPart(2, &strip);
        canvas.picture.DrawGreyLabels(&canvas.dc, &strip);

        // The same strip without words: black on the left, three fields on the right.
        Canvas blank(c.width, c.height);
        const auto parts = LabelWordRects(canvas.picture, strip);
        for (int i = 0; i < 3; ++i) {
            CBrush field(kLabelColors[i]);
            blank.dc.FillRect(&parts[3 + i], &field);
        }

        for (const RECT& part : parts) {
            EXPECT_NE(ChangedBounds(canvas.surface, blank.surface, part), (RECT{0, 0, 0, 0}))
                << "no word in " << part;
        }
        int outside = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                if (canvas.surface.Pixel(x, y) == blank.surface.Pixel(x, y)) {
                    continue;
                }
                bool inside = false;
                for (const RECT& part : parts) {
                    inside = inside || Contains(part, {x, y, x + 1, y + 1});
                }
                outside += !inside;
            }
        }
        EXPECT_EQ(outside, 0);
    }
}
