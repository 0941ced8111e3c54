// SPDX-License-Identifier: MIT
#include "gdi/ClipScope.h"

#include "gdi/CDC.h"

ClipScope::ClipScope(CDC& dc, const RECT& rect) : m_dc(dc), m_rcSaved(dc.m_rcClip) {
    IntersectRect(&dc.m_rcClip, &m_rcSaved, &rect);
}

ClipScope::~ClipScope() {
    m_dc.m_rcClip = m_rcSaved;
}
