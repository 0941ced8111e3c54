// SPDX-License-Identifier: MIT
// ColumnBatch: vertical lines drawn through one drawing context, stored row
// by row. One column at a time touches a new cache line and memory page for
// every pixel; routines that draw many vertical lines over the same rows open
// a batch for their scope. While it is open, the context's vertical lines
// (CDC::FillColumn) are collected; they are stored when any other drawing
// through the context needs the pixels, when the rows change, and when the
// batch ends. Pixels read from the surface by other means while a batch is
// open may not show them yet.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CDC;
class Surface;

class ColumnBatch {
public:
    // Opens a batch on dc. Inside another batch on the same context this one
    // adds nothing: the outer batch keeps collecting.
    explicit ColumnBatch(CDC& dc);
    // Stores the collected columns and closes the batch.
    ~ColumnBatch();
    ColumnBatch(const ColumnBatch&) = delete;
    ColumnBatch& operator=(const ColumnBatch&) = delete;

private:
    friend class CDC;

    bool IsEmpty() const { return m_x.empty(); }
    // Adds column x over rows [y0, y1) of the clip rectangle; stores the
    // columns held so far first when the rows differ or the batch is full.
    void Add(int x, int y0, int y1, std::uint32_t value);
    // Stores the columns in the order they were drawn, so a later one over an
    // earlier one wins.
    void Store();
    // Stores the columns, all within [left, right), as one masked row write
    // per row: cheaper than a store per column once they are this dense.
    void StoreOverlay(Surface& surface, int left, int right);
    static constexpr std::size_t kDenseShare = 4;  // one held column in 4 or more

    CDC& m_dc;
    bool m_bOpen;  // false for a batch inside another one
    // At most one screen width of columns is held.
    std::size_t m_nCapacity;
    int m_y0 = 0;
    int m_y1 = 0;
    bool m_bSideBySide = true;  // x, x + 1, x + 2, ... in drawing order
    std::vector<int> m_x;
    std::vector<std::uint32_t> m_value;
    std::vector<std::uint32_t> m_overlay;
    std::vector<std::uint32_t> m_mask;
};
