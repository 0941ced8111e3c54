// SPDX-License-Identifier: MIT
// CWaylandPresenter: shows the software display in physical pixels on a
// Wayland desktop, at scales GTK cannot follow (fractional ones) too, and
// without GTK's copy of the picture into a buffer of its own.
//
// The store draws into one of two shared-memory buffers of the monitor's
// physical size, shown on a sub-surface of the test window. The viewporter
// scales the buffer to the window's logical size, which the compositor
// scales back by the output's own factor: one buffer pixel is one physical
// pixel. The sub-surface is opaque and covers the whole window, so GTK's
// drawing underneath never shows; its input region is empty, so clicks fall
// through to the window.
//
// A buffer is drawn into only while the compositor does not hold it (a
// compositor that reads the buffer when it renders holds it until the next
// one replaces it), and a frame only after the compositor has shown the one
// before (frame callbacks): each frame it shows holds one picture, and
// changes come at its frames' pace. The sub-surface joins the window only
// after the window has committed its first buffer, since a compositor may
// leave a window that shows a child before its own picture unshown.
//
// It speaks through the desktop's Wayland connection and event queue
// (desktop/WaylandDesktop.h), which outlive it; the main loop dispatches
// that queue's events.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "present/BufferPair.h"
#include "present/PixelPresenter.h"

struct wl_buffer;
struct wl_callback;
struct wl_surface;
struct wl_subsurface;
struct wp_viewport;
typedef struct _GSource GSource;
typedef struct _GdkFrameClock GdkFrameClock;
class CWaylandDesktop;

class CWaylandPresenter : public IPixelPresenter {
public:
    // width x height: the store (physical pixels); logicalWidth x
    // logicalHeight: the window it covers. Throws std::runtime_error when
    // the buffers cannot be made.
    CWaylandPresenter(CWaylandDesktop& desktop, int width, int height, int logicalWidth,
                      int logicalHeight);
    ~CWaylandPresenter() override;
    CWaylandPresenter(const CWaylandPresenter&) = delete;
    CWaylandPresenter& operator=(const CWaylandPresenter&) = delete;

    void ShowOn(GtkWidget* view, std::function<void()> ready) override;
    std::span<std::uint32_t> BeginFrame(const RECT& rect) override;
    // Commits the frame's buffer with rect as its damage; false before the
    // sub-surface has joined the window.
    bool Present(const RECT& rect) override;

    // For the main loop's source: dispatches the queue's events; true when
    // the view's ready call is due.
    bool DispatchEvents();
    void Wake();

    struct Buffer {
        CWaylandPresenter* owner = nullptr;
        int index = 0;
        wl_buffer* buffer = nullptr;
        std::uint32_t* pixels = nullptr;
    };

private:
    void MakeBuffer(Buffer& buffer);
    // The view was drawn into the window's buffer, which the window commits
    // after the frame's paint (GDK's own after-paint handler, connected
    // before this one): then the sub-surface joins it.
    static int OnViewDrawn(GtkWidget* view, void* cairo, CWaylandPresenter* self);
    static void OnAfterPaint(GdkFrameClock* clock, CWaylandPresenter* self);
    void Disconnect();
    void Attach(wl_surface* window);
    void Commit(const RECT& damage);
    // Tells the view once a frame it was refused may be drawn.
    void WakeIfReady();
    static void OnRelease(void* data, wl_buffer* buffer);
    static void OnFrameDone(void* data, wl_callback* callback, std::uint32_t time);

    CWaylandDesktop& m_desktop;
    GtkWidget* m_pView = nullptr;
    std::function<void()> m_ready;
    int m_nWidth;
    int m_nHeight;
    int m_nLogicalWidth;
    int m_nLogicalHeight;
    std::size_t m_nBytes = 0;
    Buffer m_buffers[2];
    BufferPair m_pair;
    // A frame was refused: the view waits for ready.
    bool m_bWaiting = false;
    // ready is due at the main loop's next dispatch.
    bool m_bWake = false;
    GSource* m_pSource = nullptr;
    GdkFrameClock* m_pClock = nullptr;
    unsigned long m_nAfterPaint = 0;
    unsigned long m_nDrawn = 0;
    wl_callback* m_pFrame = nullptr;
    wl_surface* m_pSurface = nullptr;
    wl_subsurface* m_pSubsurface = nullptr;
    wp_viewport* m_pViewport = nullptr;
};
