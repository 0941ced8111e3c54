// SPDX-License-Identifier: MIT
// How the test window's pixels reach its monitor, decided once per monitor
// before the window opens: the pixel store's size and depth, how its pixels
// map onto the window's (logical) pixels, and the presenter that shows them.
//
// - On Wayland, where the compositor can show a buffer of the program's own
//   in physical pixels (desktop/WaylandDesktop.h), the store is the output's
//   mode and lives in that buffer (CWaylandPresenter).
// - On X11, where the server takes shared-memory images of the screen's
//   default visual, the store lives in the shared segment (ShmPresenter).
// - Otherwise the toolkit paints the store at its whole scale; where that
//   scale does not reach the monitor's pixels, the desktop resamples the
//   picture and the presentation says so.
#pragma once

#include <memory>
#include <string>

#include "desktop/MonitorChoice.h"
#include "present/PixelPresenter.h"
#include "present/ViewRect.h"

class CWaylandDesktop;

struct Presentation {
    // The pixel store: physical pixels, at a depth the store knows.
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    // Store pixels per window pixel along each axis.
    ViewRatio xRatio{1, 1};
    ViewRatio yRatio{1, 1};
    // The toolkit's whole scale: store pixels per window pixel when the
    // toolkit paints.
    int toolkitScale = 1;
    // The desktop resamples the picture: what the user sees is not the store.
    bool scaledByDesktop = false;
    // Why the program's own buffer could not be made, where it was meant to
    // be (empty otherwise).
    std::string bufferFailure;
    // Null: the toolkit paints the store.
    std::unique_ptr<IPixelPresenter> presenter;

    int LogicalWidth() const { return xRatio.logical; }
    int LogicalHeight() const { return yRatio.logical; }
};

// wayland: the desktop's Wayland connection (null off Wayland), which must
// outlive the presentation's presenter.
Presentation MakePresentation(const MonitorInfo& monitor, int displayBitsPerPixel,
                              CWaylandDesktop* wayland);
