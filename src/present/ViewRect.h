// SPDX-License-Identifier: MIT
// The software display counts physical pixels; the view on a scaled desktop
// counts logical ones. Along each axis a physical size spans a logical size:
// scale x scale physical pixels per logical one on an integer scale, a
// fraction such as 1920 over 1280 on a fractional one.
#pragma once

#include <cstdint>

#include "gdi/GdiTypes.h"

// Physical pixels per logical pixel along one axis, as a ratio of two sizes.
struct ViewRatio {
    int physical;
    int logical;
};

namespace view_rect_detail {

constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && a < 0 ? 1 : 0);
}

constexpr std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return a / b + (a % b != 0 && a > 0 ? 1 : 0);
}

// A ratio with a side below 1 counts as 1:1.
constexpr ViewRatio Sane(ViewRatio r) {
    return r.physical < 1 || r.logical < 1 ? ViewRatio{1, 1} : r;
}

// The edges of [low, high) in the other unit, widened to whole pixels there.
constexpr void Cover(int& low, int& high, std::int64_t to, std::int64_t from) {
    low = static_cast<int>(FloorDiv(low * to, from));
    high = static_cast<int>(CeilDiv(high * to, from));
}

}  // namespace view_rect_detail

// The smallest logical rectangle that covers rect (physical pixels).
constexpr RECT PhysicalToLogical(const RECT& rect, ViewRatio x, ViewRatio y) {
    using view_rect_detail::Sane;
    x = Sane(x);
    y = Sane(y);
    RECT r = rect;
    view_rect_detail::Cover(r.left, r.right, x.logical, x.physical);
    view_rect_detail::Cover(r.top, r.bottom, y.logical, y.physical);
    return r;
}

// The smallest physical rectangle that covers rect (logical pixels): the
// same cover with the ratios the other way round.
constexpr RECT LogicalToPhysical(const RECT& rect, ViewRatio x, ViewRatio y) {
    return PhysicalToLogical(rect, {x.logical, x.physical}, {y.logical, y.physical});
}

// The same on an integer scale; a scale below 1 counts as 1.
constexpr RECT PhysicalToLogical(const RECT& rect, int scale) {
    return PhysicalToLogical(rect, {scale, 1}, {scale, 1});
}

// The smallest rectangle that covers both; an empty one adds nothing.
constexpr RECT BoundingRect(const RECT& a, const RECT& b) {
    const auto empty = [](const RECT& r) { return r.left >= r.right || r.top >= r.bottom; };
    if (empty(a)) {
        return empty(b) ? RECT{} : b;
    }
    if (empty(b)) {
        return a;
    }
    return {a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
            a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
}

// Every pixel of inner lies in outer (an empty inner always does).
constexpr bool RectContains(const RECT& outer, const RECT& inner) {
    return inner.left >= inner.right || inner.top >= inner.bottom ||
           (outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
            outer.bottom >= inner.bottom);
}
