// SPDX-License-Identifier: MIT
#include "desktop/WaylandDesktop.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <gdk/gdk.h>
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif
#include <wayland-client.h>

#include "viewporter-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace {

// The versions the program speaks: surface damage in buffer pixels needs
// wl_compositor 4; the output's name comes with zxdg_output_v1 2.
constexpr std::uint32_t kCompositorVersion = 4;
constexpr std::uint32_t kOutputVersion = 2;
constexpr std::uint32_t kXdgOutputVersion = 2;
// GNOME's own protocol, which carries GTK's modal hint; only its presence counts.
constexpr const char* kGtkShellInterface = "gtk_shell1";
// weston's desktop shell lists its own protocol to every client (and refuses
// the bind to all but its panel): only its presence counts.
constexpr const char* kWestonDesktopShellInterface = "weston_desktop_shell";

// An output as it is being described; the description counts once its done
// event arrived.
struct OutputProxy {
    wl_output* output = nullptr;
    zxdg_output_v1* xdgOutput = nullptr;
    WaylandOutput facts;
    bool turned = false;
};

bool IsTurned(std::int32_t transform) {
    switch (transform) {
        case WL_OUTPUT_TRANSFORM_90:
        case WL_OUTPUT_TRANSFORM_270:
        case WL_OUTPUT_TRANSFORM_FLIPPED_90:
        case WL_OUTPUT_TRANSFORM_FLIPPED_270:
            return true;
        default:
            return false;
    }
}

void OnGeometry(void* data, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                std::int32_t, const char*, const char*, std::int32_t transform) {
    static_cast<OutputProxy*>(data)->turned = IsTurned(transform);
}

void OnMode(void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height,
            std::int32_t) {
    if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) {
        auto* proxy = static_cast<OutputProxy*>(data);
        proxy->facts.width = width;
        proxy->facts.height = height;
    }
}

void OnOutputDone(void*, wl_output*) {}
void OnScale(void*, wl_output*, std::int32_t) {}
void OnOutputName(void*, wl_output*, const char*) {}
void OnOutputDescription(void*, wl_output*, const char*) {}

constexpr wl_output_listener kOutputListener{OnGeometry, OnMode,       OnOutputDone,
                                             OnScale,    OnOutputName, OnOutputDescription};

void OnLogicalPosition(void* data, zxdg_output_v1*, std::int32_t x, std::int32_t y) {
    auto* proxy = static_cast<OutputProxy*>(data);
    proxy->facts.logicalX = x;
    proxy->facts.logicalY = y;
}

void OnLogicalSize(void* data, zxdg_output_v1*, std::int32_t width, std::int32_t height) {
    auto* proxy = static_cast<OutputProxy*>(data);
    proxy->facts.logicalWidth = width;
    proxy->facts.logicalHeight = height;
}

void OnXdgDone(void*, zxdg_output_v1*) {}

void OnName(void* data, zxdg_output_v1*, const char* name) {
    static_cast<OutputProxy*>(data)->facts.name = name;
}

void OnDescription(void*, zxdg_output_v1*, const char*) {}

constexpr zxdg_output_v1_listener kXdgOutputListener{OnLogicalPosition, OnLogicalSize, OnXdgDone,
                                                     OnName, OnDescription};

}  // namespace

struct CWaylandDesktop::Globals {
    wl_compositor* compositor = nullptr;
    wl_subcompositor* subcompositor = nullptr;
    wl_shm* shm = nullptr;
    wp_viewporter* viewporter = nullptr;
    zxdg_output_manager_v1* xdgOutputManager = nullptr;
    bool gtkShell = false;
    bool westonDesktopShell = false;
    std::vector<std::unique_ptr<OutputProxy>> outputs;
};

namespace {

template <typename T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface& interface,
        std::uint32_t offered, std::uint32_t wanted) {
    return static_cast<T*>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t version) {
    auto* g = static_cast<CWaylandDesktop::Globals*>(data);
    const auto is = [interface](const wl_interface& i) {
        return std::strcmp(interface, i.name) == 0;
    };
    if (is(wl_compositor_interface) && version >= kCompositorVersion) {
        g->compositor = Bind<wl_compositor>(registry, name, wl_compositor_interface, version,
                                            kCompositorVersion);
    } else if (is(wl_subcompositor_interface)) {
        g->subcompositor =
            Bind<wl_subcompositor>(registry, name, wl_subcompositor_interface, version, 1);
    } else if (is(wl_shm_interface)) {
        g->shm = Bind<wl_shm>(registry, name, wl_shm_interface, version, 1);
    } else if (is(wp_viewporter_interface)) {
        g->viewporter = Bind<wp_viewporter>(registry, name, wp_viewporter_interface, version, 1);
    } else if (is(zxdg_output_manager_v1_interface) && version >= kXdgOutputVersion) {
        g->xdgOutputManager = Bind<zxdg_output_manager_v1>(
            registry, name, zxdg_output_manager_v1_interface, version, kXdgOutputVersion);
    } else if (is(wl_output_interface) && version >= kOutputVersion) {
        auto proxy = std::make_unique<OutputProxy>();
        proxy->output =
            Bind<wl_output>(registry, name, wl_output_interface, version, kOutputVersion);
        wl_output_add_listener(proxy->output, &kOutputListener, proxy.get());
        g->outputs.push_back(std::move(proxy));
    } else if (std::strcmp(interface, kGtkShellInterface) == 0) {
        g->gtkShell = true;
    } else if (std::strcmp(interface, kWestonDesktopShellInterface) == 0) {
        g->westonDesktopShell = true;
    }
}

void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}

constexpr wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemove};

}  // namespace

std::unique_ptr<CWaylandDesktop> CWaylandDesktop::Connect() {
#ifdef GDK_WINDOWING_WAYLAND
    GdkDisplay* display = gdk_display_get_default();
    if (display == nullptr || !GDK_IS_WAYLAND_DISPLAY(display)) {
        return nullptr;
    }
    return std::unique_ptr<CWaylandDesktop>(
        new CWaylandDesktop(gdk_wayland_display_get_wl_display(display), false));
#else
    return nullptr;
#endif
}

std::unique_ptr<CWaylandDesktop> CWaylandDesktop::ConnectToSession() {
    // Without WAYLAND_DISPLAY the library would try a default name and,
    // without XDG_RUNTIME_DIR, say so on stderr.
    const char* name = std::getenv("WAYLAND_DISPLAY");
    wl_display* display = name != nullptr && *name != '\0' ? wl_display_connect(nullptr) : nullptr;
    return display != nullptr ? std::unique_ptr<CWaylandDesktop>(new CWaylandDesktop(display, true))
                              : nullptr;
}

CWaylandDesktop::CWaylandDesktop(wl_display* display, bool own)
    : m_pDisplay(display), m_bOwnDisplay(own), m_pGlobals(std::make_unique<Globals>()) {
    m_pQueue = wl_display_create_queue(display);
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), m_pQueue);
    m_pRegistry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    wl_registry_add_listener(m_pRegistry, &kRegistryListener, m_pGlobals.get());
    // First the globals, then what the outputs say about themselves.
    wl_display_roundtrip_queue(display, m_pQueue);
    if (m_pGlobals->xdgOutputManager != nullptr) {
        for (auto& proxy : m_pGlobals->outputs) {
            proxy->xdgOutput =
                zxdg_output_manager_v1_get_xdg_output(m_pGlobals->xdgOutputManager, proxy->output);
            zxdg_output_v1_add_listener(proxy->xdgOutput, &kXdgOutputListener, proxy.get());
        }
    }
    wl_display_roundtrip_queue(display, m_pQueue);
    for (const auto& proxy : m_pGlobals->outputs) {
        WaylandOutput facts = proxy->facts;
        if (proxy->turned) {
            std::swap(facts.width, facts.height);
        }
        m_outputs.push_back(facts);
    }
}

CWaylandDesktop::~CWaylandDesktop() {
    for (auto& proxy : m_pGlobals->outputs) {
        if (proxy->xdgOutput != nullptr) {
            zxdg_output_v1_destroy(proxy->xdgOutput);
        }
        wl_output_destroy(proxy->output);
    }
    if (m_pGlobals->xdgOutputManager != nullptr) {
        zxdg_output_manager_v1_destroy(m_pGlobals->xdgOutputManager);
    }
    if (m_pGlobals->viewporter != nullptr) {
        wp_viewporter_destroy(m_pGlobals->viewporter);
    }
    if (m_pGlobals->shm != nullptr) {
        wl_shm_destroy(m_pGlobals->shm);
    }
    if (m_pGlobals->subcompositor != nullptr) {
        wl_subcompositor_destroy(m_pGlobals->subcompositor);
    }
    if (m_pGlobals->compositor != nullptr) {
        wl_compositor_destroy(m_pGlobals->compositor);
    }
    wl_registry_destroy(m_pRegistry);
    wl_event_queue_destroy(m_pQueue);
    if (m_bOwnDisplay) {
        wl_display_disconnect(m_pDisplay);
    }
}

const WaylandOutput* CWaylandDesktop::OutputAt(int x, int y) const {
    const auto found = std::find_if(m_outputs.begin(), m_outputs.end(), [x, y](const auto& o) {
        return o.logicalX == x && o.logicalY == y;
    });
    return found != m_outputs.end() ? &*found : nullptr;
}

bool CWaylandDesktop::CanShowPhysicalPixels() const {
    return Compositor() != nullptr && Subcompositor() != nullptr && Shm() != nullptr &&
           Viewporter() != nullptr;
}

bool CWaylandDesktop::TakesModalHint() const {
    return m_pGlobals->gtkShell;
}

bool CWaylandDesktop::LowersUnfocusedFullScreen() const {
    return m_pGlobals->westonDesktopShell;
}

wl_compositor* CWaylandDesktop::Compositor() const {
    return m_pGlobals->compositor;
}

wl_subcompositor* CWaylandDesktop::Subcompositor() const {
    return m_pGlobals->subcompositor;
}

wl_shm* CWaylandDesktop::Shm() const {
    return m_pGlobals->shm;
}

wp_viewporter* CWaylandDesktop::Viewporter() const {
    return m_pGlobals->viewporter;
}
