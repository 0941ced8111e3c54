// SPDX-License-Identifier: MIT
#include "desktop/Monitors.h"

#include <algorithm>
#include <memory>
#include <string>

#include <gdk/gdk.h>
#ifdef GDK_WINDOWING_X11
#include <X11/extensions/Xrandr.h>
#include <gdk/gdkx.h>
#endif
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif

#include "desktop/RefreshRate.h"
#include "desktop/WaylandDesktop.h"

namespace {

#ifdef GDK_WINDOWING_X11
// The XRandR facts of the output that GDK names `name`: the refresh rate of
// its CRTC's mode and whether it is the screen's primary output.
struct OutputFacts {
    bool found = false;
    int refreshHz = 0;
    bool primary = false;
};

int CrtcRefreshRate(XRRScreenResources* resources, Display* display, RRCrtc crtc) {
    XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, crtc);
    if (info == nullptr) {
        return 0;
    }
    int rate = 0;
    for (int m = 0; m < resources->nmode; ++m) {
        const XRRModeInfo& mode = resources->modes[m];
        if (mode.id == info->mode) {
            rate = RefreshRateHz({mode.dotClock, mode.hTotal, mode.vTotal,
                                  (mode.modeFlags & RR_DoubleScan) != 0,
                                  (mode.modeFlags & RR_Interlace) != 0});
        }
    }
    XRRFreeCrtcInfo(info);
    return rate;
}

OutputFacts XRandROutput(Display* display, const std::string& name) {
    OutputFacts facts;
    const Window root = DefaultRootWindow(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (resources == nullptr) {
        return facts;
    }
    const RROutput primary = XRRGetOutputPrimary(display, root);
    for (int o = 0; o < resources->noutput; ++o) {
        XRROutputInfo* output = XRRGetOutputInfo(display, resources, resources->outputs[o]);
        if (output == nullptr) {
            continue;
        }
        if (std::string(output->name, static_cast<std::size_t>(output->nameLen)) == name) {
            facts.found = true;
            facts.primary = resources->outputs[o] == primary;
            if (output->crtc != None) {
                facts.refreshHz = CrtcRefreshRate(resources, display, output->crtc);
            }
        }
        XRRFreeOutputInfo(output);
    }
    XRRFreeScreenResources(resources);
    return facts;
}
#endif

// The connector or output name; GDK keeps it as the monitor's plug name.
std::string MonitorName(GdkDisplay* display, int index) {
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gchar* plug = gdk_screen_get_monitor_plug_name(gdk_display_get_default_screen(display), index);
    G_GNUC_END_IGNORE_DEPRECATIONS
    std::string name;
    if (plug != nullptr) {
        name = plug;
        g_free(plug);
    }
    if (name.empty()) {
        const char* model = gdk_monitor_get_model(gdk_display_get_monitor(display, index));
        name = model != nullptr ? model : "";
    }
    return name.empty() ? "monitor-" + std::to_string(index) : name;
}

// On Wayland the output's current mode is the monitor's physical size. The
// program shows the store through a buffer of its own where the compositor
// can show one: it reaches physical pixels at any scale, and the store goes
// to the screen without the toolkit's copy of it. Otherwise a scale the
// toolkit's whole one does not reach leaves the picture resampled.
// Through XWayland the X server's monitors are the compositor's outputs in
// its logical pixels, and the compositor scales what X11 programs show on an
// output whose mode is larger: the program cannot reach its pixels there.
void FollowOutputMode(MonitorInfo& info, const CWaylandDesktop& desktop, bool ownBuffer) {
    const WaylandOutput* output = desktop.OutputAt(info.logicalX, info.logicalY);
    if (output == nullptr || output->width < 1 || output->height < 1) {
        return;
    }
    if (output->logicalWidth > 0) {
        info.outputScale = static_cast<double>(output->width) / output->logicalWidth;
    }
    if (ownBuffer && desktop.CanShowPhysicalPixels()) {
        info.physicalWidth = output->width;
        info.physicalHeight = output->height;
    } else if (!info.ScaleReaches(output->width, output->height)) {
        info.scaledByDesktop = true;
    }
}

}  // namespace

std::vector<MonitorInfo> ReadMonitors(const CWaylandDesktop* wayland) {
    std::vector<MonitorInfo> monitors;
    GdkDisplay* display = gdk_display_get_default();
    if (display == nullptr) {
        return monitors;
    }
    const int count = gdk_display_get_n_monitors(display);
    for (int i = 0; i < count; ++i) {
        GdkMonitor* monitor = gdk_display_get_monitor(display, i);
        GdkRectangle area;
        gdk_monitor_get_geometry(monitor, &area);
        MonitorInfo info;
        info.name = MonitorName(display, i);
        info.logicalX = area.x;
        info.logicalY = area.y;
        info.logicalWidth = area.width;
        info.logicalHeight = area.height;
        info.scale = std::max(1, gdk_monitor_get_scale_factor(monitor));
        info.x = area.x;
        info.y = area.y;
        // Milli-hertz, rounded to whole hertz.
        info.refreshHz = (gdk_monitor_get_refresh_rate(monitor) + 500) / 1000;
#ifdef GDK_WINDOWING_X11
        if (GDK_IS_X11_DISPLAY(display)) {
            // GDK divides the X screen's pixels by its scale.
            info.x = area.x * info.scale;
            info.y = area.y * info.scale;
            // XRandR's own timings count double scan and interlace.
            const OutputFacts facts = XRandROutput(GDK_DISPLAY_XDISPLAY(display), info.name);
            if (facts.found) {
                info.refreshHz = facts.refreshHz;
                info.primary = facts.primary;
            }
        }
#endif
        if (wayland != nullptr) {
            // Xwayland names its monitors so; another X server's are not
            // the compositor's outputs.
            const bool xwayland = info.ThroughXWayland();
#ifdef GDK_WINDOWING_WAYLAND
            const bool ownBuffer = GDK_IS_WAYLAND_DISPLAY(display);
#else
            const bool ownBuffer = false;
#endif
            if (ownBuffer || xwayland) {
                FollowOutputMode(info, *wayland, ownBuffer);
            }
        }
        monitors.push_back(info);
    }
    return monitors;
}

int DisplayBitsPerPixel() {
    GdkScreen* screen = gdk_screen_get_default();
    return screen != nullptr ? gdk_visual_get_depth(gdk_screen_get_system_visual(screen)) : 0;
}

VisualKind DisplayVisualKind() {
    GdkScreen* screen = gdk_screen_get_default();
    if (screen == nullptr) {
        return VisualKind::kDirect;
    }
    switch (gdk_visual_get_visual_type(gdk_screen_get_system_visual(screen))) {
        case GDK_VISUAL_TRUE_COLOR:
        case GDK_VISUAL_DIRECT_COLOR:
            return VisualKind::kDirect;
        default:
            return VisualKind::kColorMapped;
    }
}
