// CWaylandPresenter: shows the software display in physical pixels on a
// Wayland desktop whose scale GTK cannot follow (a fractional one).
//
// The pixels go into a shared-memory buffer of the monitor's physical size
// on a sub-surface of the test window. The viewporter scales that buffer to
// the window's logical size, which the compositor scales back by the
// output's own factor: one buffer pixel is one physical pixel. The
// sub-surface is opaque and covers the whole window, so GTK's drawing
// underneath never shows; its input region is empty, so clicks fall through
// to the window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "gdi/GdiTypes.h"

typedef struct _GtkWidget GtkWidget;
struct wl_buffer;
struct wl_surface;
struct wl_subsurface;
struct wp_viewport;
class CWaylandDesktop;
class Surface;

class CWaylandPresenter {
public:
    // width x height: the store (physical pixels); logicalWidth x
    // logicalHeight: the window it covers. Throws std::runtime_error when
    // the buffer cannot be made.
    CWaylandPresenter(std::unique_ptr<CWaylandDesktop> desktop, int width, int height,
                      int logicalWidth, int logicalHeight);
    ~CWaylandPresenter();
    CWaylandPresenter(const CWaylandPresenter&) = delete;
    CWaylandPresenter& operator=(const CWaylandPresenter&) = delete;

    // Copies rect of the store (physical pixels, inside the store) to the
    // buffer and shows just that rectangle anew. window: the test window;
    // the sub-surface is made on its Wayland surface the first time.
    void Present(GtkWidget* window, const Surface& store, const RECT& rect);

private:
    void Attach(wl_surface* window);

    std::unique_ptr<CWaylandDesktop> m_pDesktop;
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
