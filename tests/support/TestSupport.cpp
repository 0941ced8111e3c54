#include "support/TestSupport.h"

#include <algorithm>
#include <unordered_set>

namespace {

// Calls visit(x, y) for every pixel of r that lies on the surface.
template <typename Visit>
void ForEachPixel(const Surface& surface, const RECT& r, Visit visit) {
    for (int y = std::max(0, r.top); y < std::min(surface.Height(), r.bottom); ++y) {
        for (int x = std::max(0, r.left); x < std::min(surface.Width(), r.right); ++x) {
            visit(x, y);
        }
    }
}

RECT Whole(const Surface& surface) {
    return {0, 0, surface.Width(), surface.Height()};
}

}  // namespace

std::vector<int> LitColumnsInRow(const Surface& surface, int y) {
    std::vector<int> xs;
    ForEachPixel(surface, {0, y, surface.Width(), y + 1}, [&](int x, int) {
        if (surface.PixelColor(x, y) != 0) {
            xs.push_back(x);
        }
    });
    return xs;
}

std::vector<int> LitRowsInColumn(const Surface& surface, int x) {
    std::vector<int> ys;
    ForEachPixel(surface, {x, 0, x + 1, surface.Height()}, [&](int, int y) {
        if (surface.PixelColor(x, y) != 0) {
            ys.push_back(y);
        }
    });
    return ys;
}

std::size_t DistinctColors(const Surface& surface) {
    std::unordered_set<COLORREF> colors;
    ForEachPixel(surface, Whole(surface),
                 [&](int x, int y) { colors.insert(surface.PixelColor(x, y)); });
    return colors.size();
}

RECT LitBounds(const Surface& surface, const RECT& window) {
    RECT bounds{0, 0, 0, 0};
    bool any = false;
    ForEachPixel(surface, window, [&](int x, int y) {
        if (surface.PixelColor(x, y) == 0) {
            return;
        }
        bounds = any ? RECT{std::min(bounds.left, x), std::min(bounds.top, y),
                            std::max(bounds.right, x + 1), std::max(bounds.bottom, y + 1)}
                     : RECT{x, y, x + 1, y + 1};
        any = true;
    });
    return bounds;
}

bool IsFilled(const Surface& surface, const RECT& r, COLORREF c) {
    bool filled = true;
    ForEachPixel(surface, r,
                 [&](int x, int y) { filled = filled && surface.PixelColor(x, y) == c; });
    return filled;
}

bool SamePixels(const Surface& a, const Surface& b) {
    bool same = a.Width() == b.Width() && a.Height() == b.Height();
    ForEachPixel(a, same ? Whole(a) : RECT{},
                 [&](int x, int y) { same = same && a.PixelColor(x, y) == b.PixelColor(x, y); });
    return same;
}

std::ostream& operator<<(std::ostream& os, const RECT& r) {
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
