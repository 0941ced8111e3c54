// SPDX-License-Identifier: MIT
#include "gdi/ColumnBatch.h"

#include <algorithm>

#include "gdi/CDC.h"
#include "gdi/PixelRun.h"

ColumnBatch::ColumnBatch(CDC& dc)
    : m_dc(dc),
      m_bOpen(dc.m_pColumns == nullptr),
      m_nCapacity(static_cast<std::size_t>(dc.GetSurface().Width())) {
    if (m_bOpen) {
        dc.m_pColumns = this;
    }
}

ColumnBatch::~ColumnBatch() {
    if (m_bOpen) {
        Store();
        m_dc.m_pColumns = nullptr;
    }
}

void ColumnBatch::Add(int x0, int x1, int y0, int y1, std::uint32_t value) {
    const std::size_t count = m_x.size();
    const bool joins = count > 0 && count < m_nCapacity && y0 == m_y0 && y1 == m_y1;
    if (!joins) {
        Store();
        // Reserved once, so that adding a run never fails half way.
        m_x.reserve(m_nCapacity);
        m_xEnd.reserve(m_nCapacity);
        m_value.reserve(m_nCapacity);
        m_y0 = y0;
        m_y1 = y1;
        m_bSideBySide = true;
        m_bSingleColumns = true;
    }
    m_bSingleColumns = m_bSingleColumns && x1 == x0 + 1;
    m_bSideBySide = m_bSideBySide && m_bSingleColumns && (m_x.empty() || x0 == m_x.back() + 1);
    m_x.push_back(x0);
    m_xEnd.push_back(x1);
    m_value.push_back(value);
}

void ColumnBatch::Store() {
    const std::size_t count = m_x.size();
    if (count == 0) {
        return;
    }
    Surface& surface = m_dc.GetSurface();
    if (m_bSideBySide) {
        for (int y = m_y0; y < m_y1; ++y) {
            std::copy_n(m_value.data(), count, surface.Row(y) + m_x.front());
        }
    } else if (const auto [first, last] = std::minmax_element(m_x.begin(), m_x.end());
               m_bSingleColumns &&
               count * kDenseShare >= static_cast<std::size_t>(*last - *first + 1)) {
        StoreOverlay(surface, *first, *last + 1);
    } else {
        for (int y = m_y0; y < m_y1; ++y) {
            std::uint32_t* row = surface.Row(y);
            for (std::size_t i = 0; i < count; ++i) {
                FillPixels(row + m_x[i], static_cast<std::size_t>(m_xEnd[i] - m_x[i]), m_value[i]);
            }
        }
    }
    m_x.clear();
    m_xEnd.clear();
    m_value.clear();
}

void ColumnBatch::StoreOverlay(Surface& surface, int left, int right) {
    const auto width = static_cast<std::size_t>(right - left);
    // Columns [left, right) of one row: the held values (0 elsewhere), and all
    // ones where a column is held. Later columns over earlier ones win, as in
    // drawing order.
    m_overlay.assign(width, 0);
    m_mask.assign(width, 0);
    for (std::size_t i = 0; i < m_x.size(); ++i) {
        m_overlay[static_cast<std::size_t>(m_x[i] - left)] = m_value[i];
        m_mask[static_cast<std::size_t>(m_x[i] - left)] = ~std::uint32_t{0};
    }
    for (int y = m_y0; y < m_y1; ++y) {
        std::uint32_t* row = surface.Row(y) + left;
        for (std::size_t x = 0; x < width; ++x) {
            row[x] = (row[x] & ~m_mask[x]) | m_overlay[x];
        }
    }
}
