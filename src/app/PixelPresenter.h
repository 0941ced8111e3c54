// SPDX-License-Identifier: MIT
// IPixelPresenter: shows the software display's pixels on the view's window
// straight from memory that the window system reads without a copy on the
// client side (shared memory), bypassing the toolkit's drawing and its
// double buffer. The pixel store draws into that memory itself.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "gdi/GdiTypes.h"

class wxWindow;

class IPixelPresenter {
public:
    virtual ~IPixelPresenter() = default;

    // Width x height pixels, 0x00RRGGBB each, row after row without padding;
    // valid as long as the presenter.
    virtual std::span<std::uint32_t> Pixels() = 0;
    // Shows rect (physical pixels, inside the pixels) at the same place of
    // the window. Returns once the memory may be written again; false when
    // the window cannot be reached (then nothing was shown).
    virtual bool Present(const RECT& rect) = 0;
};

// The presenter for the window system the view runs on, for a view of
// width x height physical pixels; nullptr where none applies (no shared
// memory, a remote display, a visual that is not 32-bit XRGB): the view then
// draws through the toolkit.
std::unique_ptr<IPixelPresenter> CreatePixelPresenter(wxWindow& view, int width, int height);
