// The software display counts physical pixels; the view on a scaled desktop
// counts logical ones, each scale x scale physical pixels.
#pragma once

#include "gdi/GdiTypes.h"

namespace view_rect_detail {

constexpr int FloorDiv(int a, int b) {
    return a / b - (a % b != 0 && a < 0 ? 1 : 0);
}

constexpr int CeilDiv(int a, int b) {
    return a / b + (a % b != 0 && a > 0 ? 1 : 0);
}

}  // namespace view_rect_detail

// The smallest logical rectangle that covers rect (physical pixels); a scale
// below 1 counts as 1.
constexpr RECT PhysicalToLogical(const RECT& rect, int scale) {
    using view_rect_detail::CeilDiv;
    using view_rect_detail::FloorDiv;
    const int s = scale < 1 ? 1 : scale;
    return {FloorDiv(rect.left, s), FloorDiv(rect.top, s), CeilDiv(rect.right, s),
            CeilDiv(rect.bottom, s)};
}
