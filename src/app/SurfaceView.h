// CSurfaceView: the window area that shows the software display's pixel
// store 1:1 in physical pixels, and owns the store.
//
// A paint first lets the owner draw the physical rectangle that the update
// region covers, then shows just that rectangle. Where a pixel presenter
// applies (IPixelPresenter), a direct-colour store draws into the
// presenter's memory and the rectangle goes from there to the window with
// no copy in between: the toolkit's double buffer is off for this view.
// Otherwise the store is wrapped as a cairo image surface without a copy
// (direct colour is 0x00RRGGBB per pixel, which is cairo's RGB24) with the
// desktop's scale as device scale, so each store pixel is one physical pixel
// and nothing is resampled, and painted through the toolkit.
#pragma once

#include <functional>
#include <memory>
#include <vector>

// Project headers come before the toolkit's: the toolkit defines TRUE and
// FALSE as macros unless they are defined already.
#include "app/PixelPresenter.h"
#include "gdi/Surface.h"

#include <cairo.h>
#include <wx/window.h>

class wxPaintDC;

class CSurfaceView : public wxWindow {
public:
    // A store of width x height physical pixels at bitsPerPixel.
    // draw(rect): bring the store up to date inside rect (physical pixels).
    CSurfaceView(wxWindow* parent, int width, int height, int bitsPerPixel, int scale,
                 std::function<void(const RECT&)> draw);
    ~CSurfaceView() override;

    Surface& Store() { return *m_pSurface; }

    // Clicks on the picture must not take the focus from the panel (which
    // would raise the test window above it where no window manager stacks).
    bool AcceptsFocus() const override { return false; }

private:
    void OnPaint(wxPaintEvent& event);
    void ShowRect(const RECT& physical, wxPaintDC& dc);
    // Palette devices store indices: the shown pixels are their colours.
    void ConvertPaletteValues(const RECT& rect);

    int m_nScale;
    std::function<void(const RECT&)> m_draw;
    // Declared before the store, which may live in its memory.
    std::unique_ptr<IPixelPresenter> m_pPresenter;
    std::unique_ptr<Surface> m_pSurface;
    // What the window shows, 0x00RRGGBB: the store itself on direct colour;
    // on a palette device the presenter's memory or m_converted.
    std::uint32_t* m_pShown = nullptr;
    std::vector<std::uint32_t> m_converted;
    cairo_surface_t* m_pImage = nullptr;
};
