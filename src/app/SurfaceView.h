// CSurfaceView: the window area that shows the software display's pixel
// store 1:1 in physical pixels.
//
// The store is wrapped as a cairo image surface without a copy (direct colour
// is 0x00RRGGBB per pixel, which is cairo's RGB24) and given the desktop's
// scale as device scale, so on a scaled desktop each store pixel is one
// physical pixel and nothing is resampled. A paint first lets the owner draw
// the physical rectangle that the update region covers, then copies just
// that rectangle to the screen. Where the toolkit cannot show the monitor's
// pixels, a presenter of its own shows that rectangle instead.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "gdi/Surface.h"

#include <cairo.h>
#include <wx/window.h>

#include "app/MonitorChoice.h"
#include "app/ViewRect.h"
#include "app/WaylandPresenter.h"

class CSurfaceView : public wxWindow {
public:
    // draw(rect): bring the store up to date inside rect (physical pixels).
    // presenter: null where the toolkit shows the store.
    CSurfaceView(wxWindow* parent, Surface& surface, const MonitorInfo& monitor,
                 std::function<void(const RECT&)> draw,
                 std::unique_ptr<CWaylandPresenter> presenter);
    ~CSurfaceView() override;

    // Clicks on the picture must not take the focus from the panel (which
    // would raise the test window above it where no window manager stacks).
    bool AcceptsFocus() const override { return false; }

private:
    void OnPaint(wxPaintEvent& event);
    // Palette devices store indices: show their colours.
    void ConvertPaletteValues(const RECT& rect);

    Surface& m_surface;
    ViewRatio m_xRatio;
    ViewRatio m_yRatio;
    std::function<void(const RECT&)> m_draw;
    std::vector<std::uint32_t> m_converted;
    cairo_surface_t* m_pImage = nullptr;
    std::unique_ptr<CWaylandPresenter> m_pPresenter;
};
