// SPDX-License-Identifier: MIT
#include "present/WaylandPresenter.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include <sys/mman.h>
#include <unistd.h>

#include <gdk/gdkwayland.h>
#include <gtk/gtk.h>
#include <wayland-client.h>

#include "desktop/WaylandDesktop.h"
#include "gdi/PixelRun.h"
#include "gdi/Surface.h"
#include "viewporter-client-protocol.h"

namespace {

constexpr std::size_t kBytesPerPixel = 4;
// The padding byte of an XRGB pixel, set in what the compositor gets.
constexpr std::uint32_t kOpaquePadding = 0xFF000000u;

// Dispatches the presenter's event queue on every turn of the main loop:
// GTK reads the connection, so the events are there once its source has run.
struct QueueSource {
    GSource source;
    CWaylandPresenter* presenter;
};

gboolean PrepareQueue(GSource* source, gint* timeout) {
    *timeout = -1;
    return reinterpret_cast<QueueSource*>(source)->presenter->DispatchEvents();
}

gboolean CheckQueue(GSource* source) {
    return reinterpret_cast<QueueSource*>(source)->presenter->DispatchEvents();
}

gboolean DispatchQueue(GSource* source, GSourceFunc, gpointer) {
    reinterpret_cast<QueueSource*>(source)->presenter->Wake();
    return G_SOURCE_CONTINUE;
}

GSourceFuncs kQueueFuncs{PrepareQueue, CheckQueue, DispatchQueue, nullptr, nullptr, nullptr};

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
    // The store's limits keep each buffer's pool below 2^31 bytes, as wl_shm
    // needs.
    if (width < 1 || height < 1 || width > Surface::kMaxSide || height > Surface::kMaxSide) {
        throw std::runtime_error("screen size out of range");
    }
    m_nBytes = static_cast<std::size_t>(width) * height * kBytesPerPixel;
    try {
        for (int i = 0; i < 2; ++i) {
            m_buffers[i].owner = this;
            m_buffers[i].index = i;
            MakeBuffer(m_buffers[i]);
        }
    } catch (const std::runtime_error&) {
        for (Buffer& b : m_buffers) {
            if (b.buffer != nullptr) {
                wl_buffer_destroy(b.buffer);
                munmap(b.pixels, m_nBytes);
            }
        }
        throw;
    }
}

void CWaylandPresenter::MakeBuffer(Buffer& b) {
    static constexpr wl_buffer_listener kListener{OnRelease};
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
    b.pixels = static_cast<std::uint32_t*>(memory);
    wl_shm_pool* pool =
        wl_shm_create_pool(m_desktop.Shm(), fd, static_cast<std::int32_t>(m_nBytes));
    b.buffer = wl_shm_pool_create_buffer(pool, 0, m_nWidth, m_nHeight,
                                         static_cast<std::int32_t>(m_nWidth * kBytesPerPixel),
                                         WL_SHM_FORMAT_XRGB8888);
    wl_buffer_add_listener(b.buffer, &kListener, &b);
    wl_shm_pool_destroy(pool);
    close(fd);
}

CWaylandPresenter::~CWaylandPresenter() {
    Disconnect();
    if (m_pSource != nullptr) {
        g_source_destroy(m_pSource);
        g_source_unref(m_pSource);
    }
    if (m_pFrame != nullptr) {
        wl_callback_destroy(m_pFrame);
    }
    if (m_pViewport != nullptr) {
        wp_viewport_destroy(m_pViewport);
    }
    if (m_pSubsurface != nullptr) {
        wl_subsurface_destroy(m_pSubsurface);
    }
    if (m_pSurface != nullptr) {
        wl_surface_destroy(m_pSurface);
    }
    for (Buffer& b : m_buffers) {
        wl_buffer_destroy(b.buffer);
        munmap(b.pixels, m_nBytes);
    }
    wl_display_flush(m_desktop.Display());
}

void CWaylandPresenter::ShowOn(GtkWidget* view, std::function<void()> ready) {
    m_pView = view;
    m_ready = std::move(ready);
    m_pSource = g_source_new(&kQueueFuncs, sizeof(QueueSource));
    reinterpret_cast<QueueSource*>(m_pSource)->presenter = this;
    g_source_attach(m_pSource, nullptr);
    m_nDrawn = g_signal_connect_after(view, "draw", G_CALLBACK(OnViewDrawn), this);
}

int CWaylandPresenter::OnViewDrawn(GtkWidget* view, void* /*cairo*/, CWaylandPresenter* self) {
    if (self->m_nAfterPaint == 0) {
        self->m_pClock = gtk_widget_get_frame_clock(gtk_widget_get_toplevel(view));
        if (self->m_pClock != nullptr) {
            g_object_ref(self->m_pClock);
            self->m_nAfterPaint =
                g_signal_connect(self->m_pClock, "after-paint", G_CALLBACK(OnAfterPaint), self);
        }
    }
    return FALSE;
}

void CWaylandPresenter::OnAfterPaint(GdkFrameClock* /*clock*/, CWaylandPresenter* self) {
    GdkWindow* gdkWindow = gtk_widget_get_window(gtk_widget_get_toplevel(self->m_pView));
    wl_surface* parent =
        gdkWindow != nullptr ? gdk_wayland_window_get_wl_surface(gdkWindow) : nullptr;
    if (parent == nullptr) {
        return;
    }
    self->Disconnect();
    self->Attach(parent);
    // The buffer last drawn holds the whole picture: the sub-surface's first.
    self->Commit({0, 0, self->m_nWidth, self->m_nHeight});
    // The sub-surface shows from the window's next commit on: this one,
    // which brings nothing else since GDK has just committed its frame.
    wl_surface_commit(parent);
    wl_display_flush(self->m_desktop.Display());
}

void CWaylandPresenter::Disconnect() {
    if (m_nDrawn != 0) {
        g_signal_handler_disconnect(m_pView, m_nDrawn);
        m_nDrawn = 0;
    }
    if (m_nAfterPaint != 0) {
        g_signal_handler_disconnect(m_pClock, m_nAfterPaint);
        m_nAfterPaint = 0;
    }
    if (m_pClock != nullptr) {
        g_object_unref(m_pClock);
        m_pClock = nullptr;
    }
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

std::span<std::uint32_t> CWaylandPresenter::BeginFrame(const RECT& rect) {
    DispatchEvents();
    // Before the sub-surface shows, nothing reads the buffers.
    const bool paced = m_pSurface != nullptr && m_pFrame != nullptr;
    const auto frame = paced ? std::nullopt : m_pair.Acquire(rect);
    if (!frame) {
        m_bWaiting = true;
        return {};
    }
    std::uint32_t* pixels = m_buffers[frame->buffer].pixels;
    const RECT& copy = frame->copy;
    if (copy.left < copy.right && copy.top < copy.bottom) {
        const std::uint32_t* latest = m_buffers[1 - frame->buffer].pixels;
        for (int y = copy.top; y < copy.bottom; ++y) {
            const std::size_t at = static_cast<std::size_t>(y) * m_nWidth + copy.left;
            std::memcpy(pixels + at, latest + at, (copy.right - copy.left) * kBytesPerPixel);
        }
    }
    return {pixels, static_cast<std::size_t>(m_nWidth) * m_nHeight};
}

bool CWaylandPresenter::Present(const RECT& rect) {
    if (m_pSurface == nullptr) {
        return false;
    }
    Commit(rect);
    return true;
}

void CWaylandPresenter::Commit(const RECT& damage) {
    static constexpr wl_callback_listener kFrameListener{OnFrameDone};
    // The store leaves the padding byte 0, which XRGB means to be ignored;
    // but some readers of the compositor's screen take it for alpha (weston's
    // screenshots come out black): the pixels it gets are marked opaque. The
    // store itself ignores the byte.
    std::uint32_t* pixels = m_buffers[m_pair.Current()].pixels;
    for (int y = damage.top; y < damage.bottom; ++y) {
        SetPixelBits(pixels + static_cast<std::size_t>(y) * m_nWidth + damage.left,
                     static_cast<std::size_t>(damage.right - damage.left), kOpaquePadding);
    }
    wl_surface_attach(m_pSurface, m_buffers[m_pair.Current()].buffer, 0, 0);
    wl_surface_damage_buffer(m_pSurface, damage.left, damage.top, damage.right - damage.left,
                             damage.bottom - damage.top);
    if (m_pFrame == nullptr) {
        m_pFrame = wl_surface_frame(m_pSurface);
        wl_callback_add_listener(m_pFrame, &kFrameListener, this);
    }
    wl_surface_commit(m_pSurface);
    m_pair.Hold();
    wl_display_flush(m_desktop.Display());
}

void CWaylandPresenter::OnRelease(void* data, wl_buffer* /*buffer*/) {
    auto* b = static_cast<Buffer*>(data);
    b->owner->m_pair.Release(b->index);
    b->owner->WakeIfReady();
}

void CWaylandPresenter::OnFrameDone(void* data, wl_callback* callback, std::uint32_t /*time*/) {
    auto* self = static_cast<CWaylandPresenter*>(data);
    wl_callback_destroy(callback);
    self->m_pFrame = nullptr;
    self->WakeIfReady();
}

void CWaylandPresenter::WakeIfReady() {
    if (m_bWaiting && m_pFrame == nullptr && !(m_pair.Held(0) && m_pair.Held(1))) {
        m_bWake = true;
    }
}

bool CWaylandPresenter::DispatchEvents() {
    wl_display_dispatch_queue_pending(m_desktop.Display(), m_desktop.Queue());
    return m_bWake;
}

void CWaylandPresenter::Wake() {
    m_bWake = false;
    m_bWaiting = false;
    if (m_ready) {
        m_ready();
    }
}
