// SPDX-License-Identifier: MIT
#include "gdi/GdiTypes.h"

#include <algorithm>

void InflateRect(RECT* rect, int dx, int dy) {
    rect->left -= dx;
    rect->top -= dy;
    rect->right += dx;
    rect->bottom += dy;
}

void OffsetRect(RECT* rect, int dx, int dy) {
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
}

bool IsRectEmpty(const RECT* rect) {
    return rect->right <= rect->left || rect->bottom <= rect->top;
}

bool IntersectRect(RECT* out, const RECT* a, const RECT* b) {
    const RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                 std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        *out = {0, 0, 0, 0};
        return false;
    }
    *out = r;
    return true;
}
