#include "app/DisplayMode.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <gdk/gdk.h>
#ifdef GDK_WINDOWING_X11
#include <X11/extensions/Xrandr.h>
#include <gdk/gdkx.h>
#endif
#include <wx/display.h>
#include <wx/gdicmn.h>
#include <wx/window.h>

#include "app/RefreshRate.h"
#include "app/WaylandDesktop.h"

namespace {

#ifdef GDK_WINDOWING_X11
// The mode of the primary output's CRTC (or of the first active CRTC).
int XRandRRefreshRate(Display* display) {
    const Window root = DefaultRootWindow(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (resources == nullptr) {
        return 0;
    }
    RRCrtc crtc = None;
    const RROutput primary = XRRGetOutputPrimary(display, root);
    if (primary != None) {
        if (XRROutputInfo* output = XRRGetOutputInfo(display, resources, primary)) {
            crtc = output->crtc;
            XRRFreeOutputInfo(output);
        }
    }
    int rate = 0;
    for (int c = 0; c < resources->ncrtc && rate == 0; ++c) {
        const RRCrtc candidate = crtc != None ? crtc : resources->crtcs[c];
        XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, candidate);
        if (info == nullptr) {
            continue;
        }
        for (int m = 0; m < resources->nmode; ++m) {
            const XRRModeInfo& mode = resources->modes[m];
            if (mode.id == info->mode) {
                rate = RefreshRateHz({mode.dotClock, mode.hTotal, mode.vTotal,
                                      (mode.modeFlags & RR_DoubleScan) != 0,
                                      (mode.modeFlags & RR_Interlace) != 0});
            }
        }
        XRRFreeCrtcInfo(info);
        if (crtc != None) {
            break;
        }
    }
    XRRFreeScreenResources(resources);
    return rate;
}
#endif

int RefreshRate() {
    GdkDisplay* display = gdk_display_get_default();
    if (display == nullptr) {
        return 0;
    }
#ifdef GDK_WINDOWING_X11
    if (GDK_IS_X11_DISPLAY(display)) {
        return XRandRRefreshRate(GDK_DISPLAY_XDISPLAY(display));
    }
#endif
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (monitor == nullptr) {
        monitor = gdk_display_get_monitor(display, 0);
    }
    // Milli-hertz, rounded to whole hertz.
    return monitor != nullptr ? (gdk_monitor_get_refresh_rate(monitor) + 500) / 1000 : 0;
}

// On Wayland the output's current mode is the screen's physical size. Where
// the toolkit's integer scale does not reach it, the store takes that size
// and is shown through a buffer of its own, if the compositor can show one.
void FollowOutputMode(DisplayMode& mode, int x, int y) {
    const std::unique_ptr<CWaylandDesktop> desktop = CWaylandDesktop::Connect();
    const WaylandOutput* output = desktop != nullptr ? desktop->OutputAt(x, y) : nullptr;
    if (output == nullptr || output->width < 1 || output->height < 1 ||
        (output->width == mode.width && output->height == mode.height)) {
        return;
    }
    if (desktop->CanShowPhysicalPixels()) {
        mode.width = output->width;
        mode.height = output->height;
        mode.ownBuffer = true;
    } else {
        mode.scaledByDesktop = true;
    }
}

}  // namespace

DisplayMode ReadDisplayMode(const wxWindow& window) {
    const wxRect geometry = wxDisplay(0u).GetGeometry();
    const int scale = std::max(1, static_cast<int>(std::lround(window.GetContentScaleFactor())));
    DisplayMode mode{geometry.width,         geometry.height, scale,
                     wxDisplayDepth(),       RefreshRate(),   geometry.width * scale,
                     geometry.height * scale};
    FollowOutputMode(mode, geometry.x, geometry.y);
    return mode;
}
