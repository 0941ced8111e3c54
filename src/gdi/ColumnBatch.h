// SPDX-License-Identifier: MIT
// ColumnBatch: vertical lines and filled rectangles drawn through one drawing
// context, stored row by row. One column at a time touches a new cache line
// and memory page for every pixel, and rectangles side by side, each from top
// to bottom, write each row in pieces far apart in time; routines that draw
// many of them over the same rows open a batch for their scope. While it is
// open, the context's vertical lines (CDC::FillColumn) and rectangle fills
// (CDC::FillRectValue) are collected as runs of columns; they are stored when
// any other drawing through the context needs the pixels, when the rows
// change, and when the batch ends. Pixels read from the surface by other means
// while a batch is open may not show them yet.
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
    // Adds columns [x0, x1) over rows [y0, y1), inside the clip rectangle;
    // stores the columns held so far first when the rows differ or the batch
    // is full.
    void Add(int x0, int x1, int y0, int y1, std::uint32_t value);
    // Stores the columns in the order they were drawn, so a later one over an
    // earlier one wins.
    void Store();
    // Stores single columns, all within [left, right), as one masked row
    // write per row: cheaper than a store per column once they are this dense.
    void StoreOverlay(Surface& surface, int left, int right);
    static constexpr std::size_t kDenseShare = 4;  // one held column in 4 or more

    CDC& m_dc;
    bool m_bOpen;  // false for a batch inside another one
    // At most one screen width of runs is held.
    std::size_t m_nCapacity;
    int m_y0 = 0;
    int m_y1 = 0;
    bool m_bSideBySide = true;     // single columns x, x + 1, x + 2, ... in drawing order
    bool m_bSingleColumns = true;  // every run one column wide
    std::vector<int> m_x;          // each run's first column
    std::vector<int> m_xEnd;       // and the column after its last
    std::vector<std::uint32_t> m_value;
    std::vector<std::uint32_t> m_overlay;
    std::vector<std::uint32_t> m_mask;
};
