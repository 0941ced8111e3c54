// SPDX-License-Identifier: MIT
// The logo's box-filter scaler. Drawn larger than its units, a pixel whose
// column or row covers no whole unit takes the unit it lies in.
#include "intro/LogoRasterizer.h"

#include <algorithm>
#include <cmath>

namespace {

// Column 0 has no computed left edge: it starts one unit left of the logo,
// so that it counts the units 0 to E[1] and its value stays within 0..128.
constexpr WORD kColumnZeroLeftEdge = 0xFFFF;
constexpr BYTE kFullCoverage = 128;

// Adds the runs of one logo row to the coverage of the columns they touch and
// widens [smallest, largest] to those columns. edges[c] is the last unit of
// column c (E[c + 1]); columns that end before a run starts are passed over in
// one search, as they would add nothing.
void AccumulateRow(const WORD* run, const WORD* edges, std::int64_t n, DWORD* cov,
                   std::int64_t& smallest, std::int64_t& largest) {
    std::int64_t c = 0;
    std::int64_t firstTouched = -1;
    std::int64_t lastTouched = -1;
    for (; run[0] != LogoFile::kEndMark; run += 2) {
        std::uint32_t xs = run[0];
        const std::uint32_t xe = run[1];
        if (edges[c] < xs) {
            c = std::lower_bound(edges + c, edges + n, xs) - edges;
            if (c >= n) {
                break;
            }
        }
        if (firstTouched < 0) {
            firstTouched = c;
        }
        // Columns that end inside the run take all their units from xs on.
        while (edges[c] <= xe) {
            cov[c] += edges[c] - xs + 1;
            xs = edges[c] + 1;
            lastTouched = c;
            if (++c >= n) {
                break;
            }
        }
        if (c >= n) {
            break;
        }
        // The run ends inside column c; the next run may start there too.
        cov[c] += xe - xs + 1;
        lastTouched = c;
    }
    if (firstTouched >= 0) {
        smallest = std::min(smallest, firstTouched);
        largest = std::max(largest, lastTouched);
    }
}

// The same for a logo drawn wider than its units, where columns may end before
// the next unit starts (E[c + 1] == E[c]): such a column takes the unit it lies
// in, E[c + 1], which it shares with its neighbour. E holds E[0] to E[n].
void AccumulateRowEnlarged(const WORD* run, const WORD* E, std::int64_t n, DWORD* cov,
                           std::int64_t& smallest, std::int64_t& largest) {
    const auto firstUnit = [E](std::int64_t c) -> std::uint32_t {
        return c == 0 ? 0 : std::min<std::uint32_t>(E[c] + 1u, E[c + 1]);
    };
    std::int64_t c = 0;
    for (; run[0] != LogoFile::kEndMark; run += 2) {
        const std::uint32_t xs = run[0];
        const std::uint32_t xe = run[1];
        // The first column whose last unit reaches the run.
        c = std::lower_bound(E + 1 + c, E + 1 + n, xs) - (E + 1);
        for (std::int64_t k = c; k < n && firstUnit(k) <= xe; ++k) {
            cov[k] += std::min<std::uint32_t>(E[k + 1], xe) - std::max(firstUnit(k), xs) + 1;
            smallest = std::min(smallest, k);
            largest = std::max(largest, k);
        }
    }
}

}  // namespace

LogoRasterizer::LogoRasterizer(const LogoFile& logo, int width, int height)
    : m_logo(logo),
      m_rcImage{0, 0, width, height},
      m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0),
      m_columnEdges(static_cast<std::size_t>(width), 0),
      m_coverage(static_cast<std::size_t>(width), 0) {}

void LogoRasterizer::Clear() {
    std::fill(m_pixels.begin(), m_pixels.end(), BYTE{0});
}

RECT LogoRasterizer::Draw(const TargetRect& target) {
    const std::span<const WORD* const> rows = m_logo.Rows();
    const RECT& rcLogo = m_logo.Rect();
    const RECT& rcImage = m_rcImage;
    const std::span<BYTE> image = m_pixels;
    const std::span<WORD> columnEdges = m_columnEdges;
    const std::span<DWORD> coverage = m_coverage;
    const float T = target.top;
    const float L = target.left;
    const float Bt = target.bottom;
    const float Rt = target.right;
    RECT out{0, 0, 0, 0};
    // Beyond this the rectangle cannot lie in any image; it also keeps the
    // conversions below defined.
    constexpr float kLimit = 1 << 24;
    if (!(std::fabs(T) < kLimit && std::fabs(L) < kLimit && std::fabs(Bt) < kLimit &&
          std::fabs(Rt) < kLimit)) {
        return out;
    }

    // 1. The integer extent.
    out = {static_cast<std::int32_t>(std::floor(L)), static_cast<std::int32_t>(std::floor(T)),
           static_cast<std::int32_t>(std::ceil(Rt)), static_cast<std::int32_t>(std::ceil(Bt))};

    // 2. Columns, rows and the logo units per pixel.
    const float targetWidth = Rt - L;
    const float targetHeight = Bt - T;
    std::int64_t n = static_cast<std::int64_t>(targetWidth);
    const std::int64_t m = static_cast<std::int64_t>(targetHeight);
    const std::int64_t A = std::int64_t{rcLogo.right} - rcLogo.left;
    const std::int64_t B = std::int64_t{rcLogo.bottom} - rcLogo.top;
    if (n <= 0 || m <= 0 || A <= 0 || B <= 0) {
        return out;
    }
    const double sx = static_cast<double>(A) / static_cast<double>(targetWidth);
    const double sy = static_cast<double>(B) / static_cast<double>(targetHeight);
    // Below one unit per pixel some columns (rows) cover no whole unit; at or
    // above it every one does, and the reduction's pixels stay as they are.
    const bool enlargesColumns = sx < 1.0;
    const bool enlargesRows = sy < 1.0;

    // 3. The image is bottom-up: the top output row goes to the highest scan
    // line of the out rectangle. Rows and columns outside the image are skipped.
    const std::int64_t stride = std::int64_t{rcImage.right} - rcImage.left;
    const std::int64_t imageRows =
        stride > 0 ? std::min<std::int64_t>(std::int64_t{rcImage.bottom} - rcImage.top,
                                            static_cast<std::int64_t>(image.size()) / stride)
                   : 0;
    n = std::min({n, static_cast<std::int64_t>(columnEdges.size()) - 1,
                  static_cast<std::int64_t>(coverage.size())});
    if (n <= 0 || imageRows <= 0) {
        return out;
    }
    const std::int64_t outLeft = out.left;

    // 4. Column edges, accumulated: column c covers the units E[c] + 1 to E[c + 1].
    WORD* E = columnEdges.data();
    E[0] = kColumnZeroLeftEdge;
    double x = static_cast<double>(std::floor(L) - L) * sx;
    for (std::int64_t c = 0; c < n; ++c) {
        x = x + sx;
        E[c + 1] = static_cast<WORD>(static_cast<std::int64_t>(x));
    }

    // 5. One output row at a time.
    const std::uint32_t logoRows = static_cast<std::uint32_t>(
        std::min<std::int64_t>(B, static_cast<std::int64_t>(rows.size())));
    DWORD* cov = coverage.data();
    std::fill(cov, cov + n, 0);
    double yTop = static_cast<double>(std::floor(T) - T) * sy;
    double yBottom = yTop;
    for (std::int64_t r = 0; r < m; ++r) {
        yBottom = yBottom + sy;
        // Rows outside the image are not worked out: nothing of them is written.
        const std::int64_t scan = std::int64_t{out.bottom} - 1 - r;
        if (scan < 0) {
            break;
        }
        if (scan >= imageRows) {
            yTop = yBottom;
            continue;
        }
        const auto first = static_cast<std::int32_t>(static_cast<std::int64_t>(yTop));
        auto last = static_cast<std::int32_t>(static_cast<std::int64_t>(yBottom));
        if (enlargesRows && last == first) {
            last = first + 1;
        }
        std::int64_t smallest = 0x7FFF;
        std::int64_t largest = 0;

        const std::uint32_t rowEnd = std::min(static_cast<std::uint32_t>(last), logoRows);
        for (std::uint32_t j = static_cast<std::uint32_t>(first); j < rowEnd; ++j) {
            if (rows[j] == nullptr) {
                continue;
            }
            if (enlargesColumns) {
                AccumulateRowEnlarged(rows[j], E, n, cov, smallest, largest);
            } else {
                AccumulateRow(rows[j], E + 1, n, cov, smallest, largest);
            }
        }
        if (smallest > largest) {
            yTop = yBottom;
            continue;
        }

        BYTE* out = image.data() + scan * stride;
        const auto rowsCovered = static_cast<std::uint64_t>(std::int64_t{last} - first);
        // Touched columns that lie inside the image.
        const std::int64_t cBegin = std::max(smallest, -outLeft);
        const std::int64_t cEnd = std::min(largest + 1, stride - outLeft);
        for (std::int64_t c = cBegin; c < cEnd; ++c) {
            const DWORD covered = cov[c];
            WORD columnWidth = static_cast<WORD>(E[c + 1] - E[c]);
            if (enlargesColumns && columnWidth == 0) {
                columnWidth = 1;
            }
            const std::uint64_t units = std::uint64_t{columnWidth} * rowsCovered;
            if (covered == 0 || units == 0) {
                continue;
            }
            if (covered == units) {
                out[outLeft + c] = kFullCoverage;
            } else {
                out[outLeft + c] =
                    static_cast<BYTE>(covered * std::uint64_t{kFullCoverage} / units);
            }
        }
        // Only the touched columns hold coverage; the next row starts from 0.
        std::fill(cov + smallest, cov + largest + 1, 0);
        yTop = yBottom;
    }
    return out;
}
