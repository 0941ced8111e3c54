// SPDX-License-Identifier: MIT
// CWaylandPresenter: shows the software display in physical pixels on a
// Wayland desktop, at scales GTK cannot follow (fractional ones) too, and
// without GTK's copy of the picture into a buffer of its own.
//
// The store draws into a shared-memory buffer of the monitor's physical size
// on a sub-surface of the test window. The viewporter scales that buffer to
// the window's logical size, which the compositor scales back by the
// output's own factor: one buffer pixel is one physical pixel. The
// sub-surface is opaque and covers the whole window, so GTK's drawing
// underneath never shows; its input region is empty, so clicks fall through
// to the window. It speaks through the desktop's Wayland connection
// (desktop/WaylandDesktop.h), which outlives it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "present/PixelPresenter.h"

struct wl_buffer;
struct wl_surface;
struct wl_subsurface;
struct wp_viewport;
class CWaylandDesktop;

class CWaylandPresenter : public IPixelPresenter {
public:
    // width x height: the store (physical pixels); logicalWidth x
    // logicalHeight: the window it covers. Throws std::runtime_error when
    // the buffer cannot be made.
    CWaylandPresenter(CWaylandDesktop& desktop, int width, int height, int logicalWidth,
                      int logicalHeight);
    ~CWaylandPresenter() override;
    CWaylandPresenter(const CWaylandPresenter&) = delete;
    CWaylandPresenter& operator=(const CWaylandPresenter&) = delete;

    std::span<std::uint32_t> Pixels() override;
    // The sub-surface joins the Wayland surface of the view's top-level
    // window once that exists.
    void ShowOn(GtkWidget* view) override { m_pView = view; }
    // Shows rect anew; false before the test window has its Wayland surface.
    bool Present(const RECT& rect) override;

private:
    void Attach(wl_surface* window);

    CWaylandDesktop& m_desktop;
    GtkWidget* m_pView = nullptr;
    int m_nWidth;
    int m_nHeight;
    int m_nLogicalWidth;
    int m_nLogicalHeight;
    std::uint32_t* m_pPixels = nullptr;
    std::size_t m_nBytes = 0;
    wl_buffer* m_pBuffer = nullptr;
    wl_surface* m_pSurface = nullptr;
    wl_subsurface* m_pSubsurface = nullptr;
    wp_viewport* m_pViewport = nullptr;
};
