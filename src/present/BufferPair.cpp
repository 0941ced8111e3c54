// SPDX-License-Identifier: MIT
#include "present/BufferPair.h"

#include "present/ViewRect.h"

std::optional<BufferPair::Frame> BufferPair::Acquire(const RECT& rect) {
    const int other = 1 - m_current;
    if (m_held[m_current]) {
        if (m_held[other]) {
            return std::nullopt;
        }
        const RECT lacking = m_missing[other];
        m_missing[other] = {};
        m_current = other;
        m_missing[1 - other] = BoundingRect(m_missing[1 - other], rect);
        return Frame{other, RectContains(rect, lacking) ? RECT{} : lacking};
    }
    m_missing[other] = BoundingRect(m_missing[other], rect);
    return Frame{m_current, {}};
}
