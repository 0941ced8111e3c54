// SPDX-License-Identifier: MIT
// IPixelPresenter: shows the software display's pixels on the view's window
// straight from memory that the window system reads without a copy on the
// client side (shared memory), bypassing the toolkit's drawing and its
// double buffer. The pixel store draws into that memory itself, one frame at
// a time, and only while the window system does not read it: a frame the
// screen shows never holds parts of two pictures. Presenters are made by the
// presentation factory (present/Presentation.h) before the window opens; the
// view hands them its widget.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "gdi/GdiTypes.h"

typedef struct _GtkWidget GtkWidget;

class IPixelPresenter {
public:
    virtual ~IPixelPresenter() = default;

    // The view whose window shows the pixels: given once, after the view's
    // widget exists and before it is first shown. ready is called from the
    // main loop when a frame that BeginFrame put off may be drawn.
    virtual void ShowOn(GtkWidget* view, std::function<void()> ready) = 0;
    // The memory for a frame that draws rect (physical pixels) anew: width x
    // height pixels, 0x00RRGGBB each, row after row without padding, holding
    // the picture last shown. It stays the same until the next BeginFrame,
    // which may give other memory. Empty while the window system still
    // reads every buffer or has not shown the last frame yet: then ready
    // follows once a frame may be drawn.
    virtual std::span<std::uint32_t> BeginFrame(const RECT& rect) = 0;
    // Shows rect (inside the frame's rectangle) at the same place of the
    // window; false when the window cannot be reached (then nothing was
    // shown).
    virtual bool Present(const RECT& rect) = 0;
};
