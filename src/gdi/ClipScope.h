// SPDX-License-Identifier: MIT
// ClipScope: narrows a drawing context's clip rectangle to its intersection
// with a rectangle while the scope lasts, then gives the old one back. A
// routine draws its shapes in pieces this way, leaving out parts of the
// screen that it draws otherwise.
#pragma once

#include "gdi/GdiTypes.h"

class CDC;

class ClipScope {
public:
    ClipScope(CDC& dc, const RECT& rect);
    ~ClipScope();
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    CDC& m_dc;
    RECT m_rcSaved;
};
