// SPDX-License-Identifier: MIT
// IPixelPresenter: shows the software display's pixels on the view's window
// straight from memory that the window system reads without a copy on the
// client side (shared memory), bypassing the toolkit's drawing and its
// double buffer. The pixel store draws into that memory itself. Presenters
// are made by the presentation factory (present/Presentation.h) before the
// window opens; the view hands them its widget.
#pragma once

#include <cstdint>
#include <span>

#include "gdi/GdiTypes.h"

typedef struct _GtkWidget GtkWidget;

class IPixelPresenter {
public:
    virtual ~IPixelPresenter() = default;

    // Width x height pixels, 0x00RRGGBB each, row after row without padding;
    // valid as long as the presenter.
    virtual std::span<std::uint32_t> Pixels() = 0;
    // The view whose window shows the pixels: given once, after the view's
    // widget exists and before it is first shown.
    virtual void ShowOn(GtkWidget* view) = 0;
    // Shows rect (physical pixels, inside the pixels) at the same place of
    // the window. Returns once the memory may be written again; false when
    // the window cannot be reached (then nothing was shown).
    virtual bool Present(const RECT& rect) = 0;
};
