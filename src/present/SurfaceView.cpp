// SPDX-License-Identifier: MIT
#include "present/SurfaceView.h"

#include <algorithm>

#include <gtk/gtk.h>
#include <wx/dcclient.h>
#include <wx/graphics.h>

CSurfaceView::CSurfaceView(wxWindow* parent, Presentation presentation,
                           std::function<void(const RECT&)> draw)
    : wxWindow(parent, wxID_ANY, wxPoint(0, 0),
               wxSize(presentation.LogicalWidth(), presentation.LogicalHeight()), wxBORDER_NONE),
      m_xRatio(presentation.xRatio),
      m_yRatio(presentation.yRatio),
      m_draw(std::move(draw)),
      m_pPresenter(std::move(presentation.presenter)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    const int width = presentation.width;
    const int height = presentation.height;
    const int bitsPerPixel = presentation.bitsPerPixel;
    if (m_pPresenter != nullptr) {
        m_pPresenter->ShowOn(m_wxwindow);
    }
    const bool palette = bitsPerPixel <= 8;
    if (m_pPresenter != nullptr && !palette) {
        m_pSurface = std::make_unique<Surface>(width, height, bitsPerPixel, m_pPresenter->Pixels());
    } else {
        m_pSurface = std::make_unique<Surface>(width, height, bitsPerPixel);
    }
    if (!palette) {
        m_pShown = m_pSurface->Pixels();
    } else if (m_pPresenter != nullptr) {
        m_pShown = m_pPresenter->Pixels().data();
    } else {
        m_converted.assign(static_cast<std::size_t>(width) * height, 0);
        m_pShown = m_converted.data();
    }
    m_pImage = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(m_pShown),
                                                   CAIRO_FORMAT_RGB24, width, height, width * 4);
    cairo_surface_set_device_scale(m_pImage, presentation.toolkitScale, presentation.toolkitScale);
    Bind(wxEVT_PAINT, &CSurfaceView::OnPaint, this);
}

CSurfaceView::~CSurfaceView() {
    if (m_nRedrawSource != 0) {
        g_source_remove(m_nRedrawSource);
    }
    cairo_surface_destroy(m_pImage);
}

wxRect CSurfaceView::ToView(const RECT& rect) const {
    const RECT r = PhysicalToLogical(rect, m_xRatio, m_yRatio);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void CSurfaceView::RedrawSoon() {
    if (m_nRedrawSource != 0) {
        return;
    }
    // The toolkit draws its windows at a lower priority than input events;
    // this runs right after the events already waiting.
    m_nRedrawSource = g_idle_add_full(
        G_PRIORITY_DEFAULT,
        [](gpointer data) -> gboolean {
            auto* view = static_cast<CSurfaceView*>(data);
            view->m_nRedrawSource = 0;
            view->RedrawNow();
            return G_SOURCE_REMOVE;
        },
        this, nullptr);
}

void CSurfaceView::RedrawNow() {
    if (m_pPresenter != nullptr && gtk_widget_get_mapped(m_wxwindow)) {
        const RECT store{0, 0, m_pSurface->Width(), m_pSurface->Height()};
        m_draw(store);
        if (PresentRect(store)) {
            return;
        }
    }
    Refresh(false);
}

void CSurfaceView::OnPaint(wxPaintEvent& /*event*/) {
    wxPaintDC dc(this);
    const wxRect box = GetUpdateRegion().GetBox();
    const RECT logical{box.x, box.y, box.GetRight() + 1, box.GetBottom() + 1};
    RECT physical = LogicalToPhysical(logical, m_xRatio, m_yRatio);
    const RECT store{0, 0, m_pSurface->Width(), m_pSurface->Height()};
    if (!IntersectRect(&physical, &physical, &store)) {
        return;
    }
    cairo_surface_flush(m_pImage);
    m_draw(physical);
    ShowRect(physical, dc);
}

bool CSurfaceView::PresentRect(const RECT& physical) {
    if (m_pSurface->IsPaletteDevice()) {
        ConvertPaletteValues(physical);
    }
    return m_pPresenter != nullptr && m_pPresenter->Present(physical);
}

void CSurfaceView::ShowRect(const RECT& physical, wxPaintDC& dc) {
    if (PresentRect(physical)) {
        return;
    }
    cairo_surface_mark_dirty_rectangle(m_pImage, physical.left, physical.top,
                                       physical.right - physical.left,
                                       physical.bottom - physical.top);
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    auto* cr = static_cast<cairo_t*>(gc != nullptr ? gc->GetNativeContext() : nullptr);
    if (cr == nullptr) {
        return;
    }
    const RECT logical = PhysicalToLogical(physical, m_xRatio, m_yRatio);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, m_pImage, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, logical.left, logical.top, logical.right - logical.left,
                    logical.bottom - logical.top);
    cairo_fill(cr);
    cairo_restore(cr);
}

void CSurfaceView::ConvertPaletteValues(const RECT& rect) {
    const int width = m_pSurface->Width();
    for (int y = rect.top; y < rect.bottom; ++y) {
        const std::uint32_t* source = m_pSurface->Row(y);
        std::uint32_t* target = m_pShown + static_cast<std::size_t>(y) * width;
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF c = m_pSurface->ValueToColor(source[x]);
            target[x] = static_cast<std::uint32_t>(GetRValue(c)) << 16 |
                        static_cast<std::uint32_t>(GetGValue(c)) << 8 | GetBValue(c);
        }
    }
}
