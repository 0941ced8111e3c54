// SPDX-License-Identifier: MIT
// CWaylandDesktop: the program's own view of the Wayland compositor that GTK
// is connected to. GTK 3 knows integer scales only and keeps each output's
// current mode to itself, so the program asks the compositor directly: where
// each output lies on the desktop (logical pixels), its current mode
// (physical pixels), and whether the compositor can show a buffer of the
// program's own in physical pixels (a sub-surface sized by the viewporter).
//
// Its objects live on an event queue of their own on GTK's connection, so
// neither side dispatches the other's events.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct wl_compositor;
struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct wl_shm;
struct wl_subcompositor;
struct wp_viewporter;

struct WaylandOutput {
    std::string name;
    int logicalX = 0;
    int logicalY = 0;
    int logicalWidth = 0;
    int logicalHeight = 0;
    // The current mode, turned as the output shows it.
    int width = 0;
    int height = 0;
};

class CWaylandDesktop {
public:
    // Null when GTK does not run on Wayland.
    static std::unique_ptr<CWaylandDesktop> Connect();
    // A connection of its own to the compositor that WAYLAND_DISPLAY names,
    // for the facts of its outputs only: an X11 display inside a Wayland
    // session (XWayland) shows its monitors in the compositor's logical
    // pixels. Null when WAYLAND_DISPLAY names none that answers.
    static std::unique_ptr<CWaylandDesktop> ConnectToSession();
    ~CWaylandDesktop();
    CWaylandDesktop(const CWaylandDesktop&) = delete;
    CWaylandDesktop& operator=(const CWaylandDesktop&) = delete;

    const std::vector<WaylandOutput>& Outputs() const { return m_outputs; }
    // The output whose top-left corner lies at (x, y) on the desktop; null if none.
    const WaylandOutput* OutputAt(int x, int y) const;
    // A sub-surface with a buffer of physical size scaled to the logical size
    // can be shown: the compositor offers shared memory buffers and the
    // sub-surface and viewporter protocols.
    bool CanShowPhysicalPixels() const;
    // The compositor speaks gtk_shell1 (GNOME's mutter), over which GTK sends
    // a dialog's modal hint: such a compositor centres a modal dialog without
    // a parent on a monitor, one with a parent a third of the way down it.
    bool TakesModalHint() const;
    // The compositor is weston's desktop shell: it keeps full-screen windows
    // in a layer above all others, its bar included, but takes one out of
    // that layer while another window of its output has the keyboard. A
    // window shown inside the full-screen window's surface stays above.
    bool LowersUnfocusedFullScreen() const;

    wl_display* Display() const { return m_pDisplay; }
    wl_event_queue* Queue() const { return m_pQueue; }
    wl_compositor* Compositor() const;
    wl_subcompositor* Subcompositor() const;
    wl_shm* Shm() const;
    wp_viewporter* Viewporter() const;

    // The compositor's objects the program binds (the registry's listener fills them).
    struct Globals;

private:
    CWaylandDesktop(wl_display* display, bool own);

    wl_display* m_pDisplay;
    // The connection is the desktop's own, closed with it (else GTK's).
    bool m_bOwnDisplay;
    wl_event_queue* m_pQueue = nullptr;
    wl_registry* m_pRegistry = nullptr;
    std::unique_ptr<Globals> m_pGlobals;
    std::vector<WaylandOutput> m_outputs;
};
