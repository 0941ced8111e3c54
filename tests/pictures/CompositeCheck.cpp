#include "CompositeCheck.h"

#include <algorithm>
#include <ostream>

std::ostream& operator<<(std::ostream& os, const RECT& r) {
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

const WorkedBands kWorkedBands[3] = {
    {1024,
     768,
     {326, 48, 697, 191},
     {187, 192, 837, 335},
     {140, 336, 883, 383},
     {187, 432, 837, 575},
     {326, 576, 697, 719}},
    {800,
     600,
     {255, 38, 544, 150},
     {146, 150, 653, 262},
     {109, 263, 690, 300},
     {146, 337, 653, 449},
     {255, 450, 544, 562}},
    {640,
     480,
     {204, 30, 435, 119},
     {117, 120, 522, 209},
     {88, 210, 551, 239},
     {117, 270, 522, 359},
     {204, 360, 435, 449}},
};

namespace {

// Counts the pixels of r (clipped to the surface) whose colour differs from c.
int CountOther(const Surface& surface, const RECT& r, COLORREF c, COLORREF* found) {
    int others = 0;
    for (int y = std::max(0, r.top); y < std::min(surface.Height(), r.bottom); ++y) {
        for (int x = std::max(0, r.left); x < std::min(surface.Width(), r.right); ++x) {
            const COLORREF pixel = surface.PixelColor(x, y);
            if (pixel != c) {
                *found = pixel;
                ++others;
            }
        }
    }
    return others;
}

}  // namespace

testing::AssertionResult IsFilled(const Surface& surface, const RECT& r, COLORREF c) {
    COLORREF found = 0;
    const int others = CountOther(surface, r, c, &found);
    if (others == 0) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << others << " pixels of " << r << " are not 0x" << std::hex
                                       << c << " (one is 0x" << found << ")";
}

testing::AssertionResult IsFieldOn(const Surface& surface, const RECT& r, COLORREF c,
                                   COLORREF ring) {
    if (auto inside = IsFilled(surface, r, c); !inside) {
        return inside;
    }
    const RECT sides[] = {{r.left - 1, r.top - 1, r.right + 1, r.top},
                          {r.left - 1, r.bottom, r.right + 1, r.bottom + 1},
                          {r.left - 1, r.top, r.left, r.bottom},
                          {r.right, r.top, r.right + 1, r.bottom}};
    for (const RECT& side : sides) {
        if (auto outside = IsFilled(surface, side, ring); !outside) {
            return testing::AssertionFailure() << "ring of " << r << ": " << outside.message();
        }
    }
    return testing::AssertionSuccess();
}

RECT LitBounds(const Surface& surface, const RECT& window) {
    RECT bounds{0, 0, 0, 0};
    bool any = false;
    for (int y = std::max(0, window.top); y < std::min(surface.Height(), window.bottom); ++y) {
        for (int x = std::max(0, window.left); x < std::min(surface.Width(), window.right); ++x) {
            if (surface.PixelColor(x, y) == 0) {
                continue;
            }
            if (!any) {
                bounds = {x, y, x + 1, y + 1};
                any = true;
            }
            bounds = {std::min(bounds.left, x), std::min(bounds.top, y),
                      std::max(bounds.right, x + 1), std::max(bounds.bottom, y + 1)};
        }
    }
    return bounds;
}

std::array<RECT, 6> LabelWordRects(const CCompositePicture& picture, const RECT& strip) {
    std::array<RECT, 6> words;
    const CRectSplitter halves(&strip, 2, true);
    for (int h = 0; h < 2; ++h) {
        RECT half;
        halves.GetPart(h, &half);
        const CRectSplitter parts = picture.SplitLabelHalf(&half);
        for (int i = 0; i < 3; ++i) {
            parts.GetPart(i, &words[static_cast<std::size_t>(3 * h + i)]);
        }
    }
    return words;
}

Canvas::Canvas(int width, int height, COLORREF penColor)
    : surface(width, height, 32),
      pen(PS_SOLID, 1, penColor),
      dc(surface),
      picture(false, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 0) {
    const RECT screen{0, 0, width, height};
    dc.FillRect(&screen, GetStockBrush(BLACK_BRUSH));
    pOldPen = dc.SelectObject(&pen);
    pOldBrush = dc.SelectObject(GetStockBrush(BLACK_BRUSH));
}

Canvas::~Canvas() {
    dc.SelectObject(pOldPen);
    dc.SelectObject(pOldBrush);
}
