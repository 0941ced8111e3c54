// SPDX-License-Identifier: MIT
#include "present/Presentation.h"

#include <stdexcept>

#include "gdi/Surface.h"
#include "present/ShmPresenter.h"
#include "present/WaylandPresenter.h"

namespace {

// The store at the toolkit's whole scale over the monitor's logical area.
void SizeForToolkitScale(Presentation& p, const MonitorInfo& monitor) {
    p.width = monitor.logicalWidth * monitor.scale;
    p.height = monitor.logicalHeight * monitor.scale;
}

}  // namespace

Presentation MakePresentation(const MonitorInfo& monitor, int displayBitsPerPixel,
                              CWaylandDesktop* wayland) {
    Presentation p;
    p.bitsPerPixel = Surface::DepthFor(displayBitsPerPixel);
    p.toolkitScale = monitor.scale;
    p.scaledByDesktop = monitor.scaledByDesktop;
    p.width = monitor.Width();
    p.height = monitor.Height();
    if (monitor.OwnBuffer()) {
        try {
            if (wayland == nullptr) {
                throw std::runtime_error("no Wayland connection for the screen buffer");
            }
            p.presenter = std::make_unique<CWaylandPresenter>(
                *wayland, p.width, p.height, monitor.logicalWidth, monitor.logicalHeight);
        } catch (const std::runtime_error& error) {
            // The toolkit shows the store then, at its own scale, which
            // reaches the monitor's pixels only where its size stays.
            p.bufferFailure = error.what();
            p.scaledByDesktop =
                !monitor.ScaleReaches(monitor.physicalWidth, monitor.physicalHeight);
            SizeForToolkitScale(p, monitor);
        }
    } else {
        p.presenter = CreateShmPresenter(p.width, p.height);
    }
    p.xRatio = {p.width, monitor.logicalWidth};
    p.yRatio = {p.height, monitor.logicalHeight};
    return p;
}
