// SPDX-License-Identifier: MIT
#include "gdi/EllipseRows.h"

#include <algorithm>
#include <cmath>

EllipseWalk::EllipseWalk(std::int64_t a2, std::int64_t b2, std::int64_t sumY, std::int64_t y)
    : m_a2a2(a2 * a2), m_b2b2(b2 * b2) {
    const std::int64_t dy = 2 * y + 1 - sumY;
    m_limit = m_a2a2 * (m_b2b2 - dy * dy);
    m_limitStep = -m_a2a2 * (4 * dy + 4);
    // A square root starts the search near its end; Settle makes it exact.
    const std::int64_t guess =
        m_limit > 0 ? static_cast<std::int64_t>(
                          std::sqrt(static_cast<double>(m_limit) / static_cast<double>(m_b2b2)))
                    : 0;
    const std::int64_t smallest = (a2 - 1) & 1;
    m_dx = std::max(smallest, guess - ((guess ^ (a2 - 1)) & 1));
    m_reached = m_dx * m_dx * m_b2b2;
    m_step = (4 * m_dx + 4) * m_b2b2;
    Settle();
}

std::optional<EllipsePairs> EllipsePairs::Of(std::int64_t left, std::int64_t top,
                                             std::int64_t right, std::int64_t bottom,
                                             const RECT& clip) {
    if (right <= left || bottom <= top || right - left > kMaxEllipseSide ||
        bottom - top > kMaxEllipseSide || left < INT32_MIN || top < INT32_MIN ||
        right > INT32_MAX || bottom > INT32_MAX) {
        return std::nullopt;
    }
    const std::int64_t sumY = top + bottom;
    const std::int64_t upperEnd = top + (bottom - top + 1) / 2;
    const std::int64_t yFirst =
        std::max<std::int64_t>(top, std::min<std::int64_t>(clip.top, sumY - clip.bottom));
    std::int64_t yEnd =
        std::min<std::int64_t>(upperEnd, std::max<std::int64_t>(clip.bottom, sumY - clip.top));
    if (bottom <= clip.top || top >= clip.bottom) {
        yEnd = yFirst;
    }
    return EllipsePairs(left + right, sumY,
                        EllipseWalk(right - left, bottom - top, sumY, yFirst - 1),
                        static_cast<int>(yFirst), static_cast<int>(yEnd));
}

EllipsePairs::EllipsePairs(std::int64_t sumX, std::int64_t sumY, const EllipseWalk& walk,
                           int yFirst, int yEnd)
    : m_sumX(sumX), m_sumY(sumY), m_walk(walk), m_yFirst(yFirst), m_yEnd(yEnd) {
    m_above = m_walk.HalfWidth();
    m_walk.Down();
    m_current = m_walk.HalfWidth();
}
