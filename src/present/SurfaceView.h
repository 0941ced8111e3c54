// SPDX-License-Identifier: MIT
// CSurfaceView: the window area that shows the software display's pixel
// store 1:1 in physical pixels, and owns the store.
//
// It shows the store as the presentation made for its monitor says
// (present/Presentation.h): the view receives the presenter and never makes
// one. A paint first lets the owner draw the physical rectangle that the
// update region covers, then shows just that rectangle. With a presenter
// (X11 shared memory, or a Wayland buffer of the monitor's own pixels), a
// direct-colour store draws into the memory the presenter gives for each
// frame and the rectangle goes from there to the screen with no copy in
// between; a frame the presenter puts off (the screen still reads its
// memory) is drawn once it is ready, with the state of then. Otherwise the
// store is wrapped as a cairo image surface without a
// copy (direct colour is 0x00RRGGBB per pixel, which is cairo's RGB24) with
// the desktop's scale as device scale, so each store pixel is one physical
// pixel and nothing is resampled, and painted through the toolkit.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <cairo.h>
#include <wx/window.h>

#include "gdi/Surface.h"
#include "present/PixelPresenter.h"
#include "present/Presentation.h"
#include "present/ViewRect.h"

class wxPaintDC;

class CSurfaceView : public wxWindow {
public:
    // A store of the presentation's size and depth, shown over the window
    // area it names at the parent's origin. draw(rect): bring the store up
    // to date inside rect (physical pixels).
    CSurfaceView(wxWindow* parent, Presentation presentation,
                 std::function<void(const RECT&)> draw);
    ~CSurfaceView() override;

    Surface& Store() { return *m_pSurface; }
    // The view's rectangle (logical pixels) that covers rect (physical pixels).
    wxRect ToView(const RECT& rect) const;

    // The whole store drawn anew and shown as soon as the event being handled
    // is done: once however often it is asked until then, and ahead of the
    // toolkit's own drawing of that frame (the panel's), which would
    // otherwise come first. With a presenter the store goes to the screen
    // outside the toolkit's paint; without one the toolkit paints it.
    void RedrawSoon();

    // Clicks on the picture must not take the focus from the panel (which
    // would raise the test window above it where no window manager stacks).
    bool AcceptsFocus() const override { return false; }

private:
    void OnPaint(wxPaintEvent& event);
    void RedrawNow();
    // Draws rect, with whatever is still waiting, into the presenter's
    // memory and shows it; true when shown, or put off until the presenter
    // is ready. False when the presenter cannot reach the window: the store
    // is then drawn and the toolkit must show it.
    bool DrawAndPresent(const RECT& physical);
    // The store and what the window shows live in the presenter's memory.
    void UseMemory(std::span<std::uint32_t> memory);
    void PaintThroughToolkit(const RECT& physical, wxPaintDC& dc);
    // Palette devices store indices: the shown pixels are their colours.
    void ConvertPaletteValues(const RECT& rect);

    ViewRatio m_xRatio;
    ViewRatio m_yRatio;
    int m_nToolkitScale;
    std::function<void(const RECT&)> m_draw;
    // Declared before the store, which may live in its memory.
    std::unique_ptr<IPixelPresenter> m_pPresenter;
    std::unique_ptr<Surface> m_pSurface;
    // What the window shows, 0x00RRGGBB: the store itself on direct colour;
    // on a palette device the presenter's memory or m_converted.
    std::uint32_t* m_pShown = nullptr;
    std::vector<std::uint32_t> m_converted;
    cairo_surface_t* m_pImage = nullptr;
    // The main loop's source of the redraw asked for (0: none waiting).
    unsigned m_nRedrawSource = 0;
    // Physical pixels to draw and show once the presenter is ready.
    RECT m_waiting{};
};
