// SPDX-License-Identifier: MIT
// EllipseRows: the rows of the ellipse inscribed in a box, as the drawing
// context draws them.
//
// Pixel (x, y) belongs to the ellipse in the box [l, r) x [t, b) when its
// centre lies inside the ellipse or on it. With doubled distances from the
// box's centre, dx = 2x + 1 - (l + r) and dy = 2y + 1 - (t + b), and the
// doubled axes a2 = r - l, b2 = b - t, that is
//     dx^2 * b2^2 <= a2^2 * (b2^2 - dy^2),
// exact in 64-bit integers while both sides are at most kMaxEllipseSide.
// A row's pixels are those with |dx| <= its half width (doubled, as dx).
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "gdi/GdiTypes.h"

// Boxes larger than this in either direction draw nothing: the exact test
// would overflow 64 bits.
constexpr std::int64_t kMaxEllipseSide = 1 << 15;

// The half widths of an ellipse's rows, one row after the next. Both sides of
// the inequality move from a row to the next by differences, so a row costs
// a few additions rather than a search.
class EllipseWalk {
public:
    // Starts at row y of the ellipse with doubled axes a2, b2 (each 1 to
    // kMaxEllipseSide) and the given centre sum t + b.
    EllipseWalk(std::int64_t a2, std::int64_t b2, std::int64_t sumY, std::int64_t y);

    // The current row's doubled half width; negative when the row is empty.
    std::int64_t HalfWidth() const { return m_reached <= m_limit ? m_dx : -1; }

    // Moves to the next row down.
    void Down() {
        m_limit += m_limitStep;
        m_limitStep -= 8 * m_a2a2;
        Settle();
    }

private:
    // Doubled distances have the parity of a2 - 1, so dx moves two at a time:
    // to the largest dx >= 0 of that parity with dx^2 * b2^2 <= m_limit, or to
    // the smallest when none is.
    void Settle() {
        while (m_dx > 1 && m_reached > m_limit) {
            m_step -= 8 * m_b2b2;
            m_reached -= m_step;
            m_dx -= 2;
        }
        while (m_reached + m_step <= m_limit) {
            m_reached += m_step;
            m_step += 8 * m_b2b2;
            m_dx += 2;
        }
    }

    std::int64_t m_a2a2;
    std::int64_t m_b2b2;
    std::int64_t m_limit;      // a2^2 * (b2^2 - dy^2)
    std::int64_t m_limitStep;  // m_limit's change to the next row: -a2^2 * (4 dy + 4)
    std::int64_t m_dx;
    std::int64_t m_reached;  // m_dx^2 * b2^2
    std::int64_t m_step;     // (4 m_dx + 4) * b2^2, from m_reached to that of m_dx + 2
};

// One row of an ellipse by doubled half widths around its centre: the pen's
// pixels reach outer (none when negative), the brush's inner (none when
// negative): a pixel is inside when it and its four neighbours belong.
struct EllipseRow {
    std::int64_t outer, inner;
};

// An ellipse visited a pair of mirror rows at a time, from its top row towards
// its middle: row y and its mirror row top + bottom - 1 - y have the same
// pixels and the same two neighbours (swapped), so each pair is worked out
// once and drawn twice.
class EllipsePairs {
public:
    // Nothing when the box draws nothing: it is empty, or too large for the
    // exact test.
    static std::optional<EllipsePairs> Of(std::int64_t left, std::int64_t top, std::int64_t right,
                                          std::int64_t bottom, const RECT& clip);

    // The upper rows [First(), End()) are those whose row or mirror row lies
    // inside the clip rectangle (none when First() >= End()).
    int First() const { return m_yFirst; }
    int End() const { return m_yEnd; }
    std::int64_t Mirror(int y) const { return m_sumY - 1 - y; }
    // The pixels [first, last] a half width reaches in a row (the sums are
    // even: a shift divides them exactly).
    int FirstPixel(std::int64_t halfWidth) const {
        return static_cast<int>((m_sumX - halfWidth - 1) >> 1);
    }
    int LastPixel(std::int64_t halfWidth) const {
        return static_cast<int>((m_sumX + halfWidth - 1) >> 1);
    }

    // The next upper row, from First() on.
    EllipseRow Next() {
        // Inside: one pixel in from the row's own ends and within both
        // neighbours'. Towards the middle rows reach no less far, so the row
        // below never reaches less than the row itself.
        const EllipseRow row{m_current, std::min(m_current - 2, m_above)};
        m_above = m_current;
        m_walk.Down();
        m_current = m_walk.HalfWidth();
        return row;
    }

private:
    EllipsePairs(std::int64_t sumX, std::int64_t sumY, const EllipseWalk& walk, int yFirst,
                 int yEnd);

    std::int64_t m_sumX, m_sumY;  // l + r, t + b
    EllipseWalk m_walk;           // at the row Next gives next
    int m_yFirst, m_yEnd;
    std::int64_t m_above, m_current;
};
