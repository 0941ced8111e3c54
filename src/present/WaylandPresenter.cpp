// SPDX-License-Identifier: MIT
#include "present/WaylandPresenter.h"

#include <stdexcept>

#include <sys/mman.h>
#include <unistd.h>

#include <gdk/gdkwayland.h>
#include <gtk/gtk.h>
#include <wayland-client.h>

#include "desktop/WaylandDesktop.h"
#include "gdi/Surface.h"
#include "viewporter-client-protocol.h"

namespace {

constexpr std::size_t kBytesPerPixel = 4;

}  // namespace

CWaylandPresenter::CWaylandPresenter(CWaylandDesktop& desktop, int width, int height,
                                     int logicalWidth, int logicalHeight)
    : m_desktop(desktop),
      m_nWidth(width),
      m_nHeight(height),
      m_nLogicalWidth(logicalWidth),
      m_nLogicalHeight(logicalHeight) {
    if (!m_desktop.CanShowPhysicalPixels()) {
        throw std::runtime_error("the desktop cannot show physical pixels");
    }
    // The store's limits keep the pool below 2^31 bytes, as wl_shm needs.
    if (width < 1 || height < 1 || width > Surface::kMaxSide || height > Surface::kMaxSide) {
        throw std::runtime_error("screen size out of range");
    }
    m_nBytes = static_cast<std::size_t>(width) * height * kBytesPerPixel;
    const int fd = memfd_create("zynmon-screen", MFD_CLOEXEC);
    if (fd < 0) {
        throw std::runtime_error("no memory for the screen buffer");
    }
    void* memory = MAP_FAILED;
    if (ftruncate(fd, static_cast<off_t>(m_nBytes)) == 0) {
        memory = mmap(nullptr, m_nBytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    }
    if (memory == MAP_FAILED) {
        close(fd);
        throw std::runtime_error("no memory for the screen buffer");
    }
    m_pPixels = static_cast<std::uint32_t*>(memory);
    wl_shm_pool* pool =
        wl_shm_create_pool(m_desktop.Shm(), fd, static_cast<std::int32_t>(m_nBytes));
    m_pBuffer = wl_shm_pool_create_buffer(pool, 0, width, height,
                                          static_cast<std::int32_t>(width * kBytesPerPixel),
                                          WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
}

CWaylandPresenter::~CWaylandPresenter() {
    if (m_pViewport != nullptr) {
        wp_viewport_destroy(m_pViewport);
    }
    if (m_pSubsurface != nullptr) {
        wl_subsurface_destroy(m_pSubsurface);
    }
    if (m_pSurface != nullptr) {
        wl_surface_destroy(m_pSurface);
    }
    wl_buffer_destroy(m_pBuffer);
    munmap(m_pPixels, m_nBytes);
    wl_display_flush(m_desktop.Display());
}

void CWaylandPresenter::Attach(wl_surface* window) {
    wl_compositor* compositor = m_desktop.Compositor();
    m_pSurface = wl_compositor_create_surface(compositor);
    m_pSubsurface = wl_subcompositor_get_subsurface(m_desktop.Subcompositor(), m_pSurface, window);
    wl_subsurface_set_position(m_pSubsurface, 0, 0);
    // Its pictures show when it commits them, not with GTK's next frame.
    wl_subsurface_set_desync(m_pSubsurface);
    m_pViewport = wp_viewporter_get_viewport(m_desktop.Viewporter(), m_pSurface);
    wp_viewport_set_destination(m_pViewport, m_nLogicalWidth, m_nLogicalHeight);

    wl_region* opaque = wl_compositor_create_region(compositor);
    wl_region_add(opaque, 0, 0, m_nLogicalWidth, m_nLogicalHeight);
    wl_surface_set_opaque_region(m_pSurface, opaque);
    wl_region_destroy(opaque);
    wl_region* noInput = wl_compositor_create_region(compositor);
    wl_surface_set_input_region(m_pSurface, noInput);
    wl_region_destroy(noInput);
}

std::span<std::uint32_t> CWaylandPresenter::Pixels() {
    return {m_pPixels, static_cast<std::size_t>(m_nWidth) * m_nHeight};
}

bool CWaylandPresenter::Present(const RECT& rect) {
    if (m_pSurface == nullptr) {
        GdkWindow* gdkWindow =
            m_pView != nullptr ? gtk_widget_get_window(gtk_widget_get_toplevel(m_pView)) : nullptr;
        wl_surface* parent =
            gdkWindow != nullptr ? gdk_wayland_window_get_wl_surface(gdkWindow) : nullptr;
        if (parent == nullptr) {
            return false;
        }
        Attach(parent);
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    // One buffer, attached again with each change: the store draws only
    // inside the rectangle it then commits, so a compositor that reads the
    // buffer while holding it sees at worst that rectangle half done for one
    // frame, and the commit right after completes it.
    wl_surface_attach(m_pSurface, m_pBuffer, 0, 0);
    wl_surface_damage_buffer(m_pSurface, rect.left, rect.top, width, height);
    wl_surface_commit(m_pSurface);
    // Events for the program's objects (buffer releases, surface enters)
    // need no answer: drop them so they do not pile up.
    wl_display_dispatch_queue_pending(m_desktop.Display(), m_desktop.Queue());
    wl_display_flush(m_desktop.Display());
    return true;
}
