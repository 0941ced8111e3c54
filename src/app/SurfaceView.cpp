#include "app/SurfaceView.h"

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/graphics.h>
#include <wx/toplevel.h>

CSurfaceView::CSurfaceView(wxWindow* parent, Surface& surface, const MonitorInfo& monitor,
                           std::function<void(const RECT&)> draw,
                           std::unique_ptr<CWaylandPresenter> presenter)
    : wxWindow(parent, wxID_ANY, wxPoint(0, 0), wxSize(monitor.logicalWidth, monitor.logicalHeight),
               wxBORDER_NONE),
      m_surface(surface),
      m_xRatio{surface.Width(), monitor.logicalWidth},
      m_yRatio{surface.Height(), monitor.logicalHeight},
      m_draw(std::move(draw)),
      m_pPresenter(std::move(presenter)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CSurfaceView::OnPaint, this);
    if (m_pPresenter != nullptr) {
        return;
    }
    std::uint32_t* pixels = surface.Pixels();
    if (surface.IsPaletteDevice()) {
        m_converted.assign(static_cast<std::size_t>(surface.Width()) * surface.Height(), 0);
        pixels = m_converted.data();
    }
    m_pImage = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels),
                                                   CAIRO_FORMAT_RGB24, surface.Width(),
                                                   surface.Height(), surface.Width() * 4);
    cairo_surface_set_device_scale(m_pImage, monitor.scale, monitor.scale);
}

CSurfaceView::~CSurfaceView() {
    if (m_pImage != nullptr) {
        cairo_surface_destroy(m_pImage);
    }
}

void CSurfaceView::OnPaint(wxPaintEvent& /*event*/) {
    wxPaintDC dc(this);
    const wxRect box = GetUpdateRegion().GetBox();
    const RECT logical{box.x, box.y, box.GetRight() + 1, box.GetBottom() + 1};
    RECT physical = LogicalToPhysical(logical, m_xRatio, m_yRatio);
    const RECT store{0, 0, m_surface.Width(), m_surface.Height()};
    if (!IntersectRect(&physical, &physical, &store)) {
        return;
    }
    if (m_pPresenter != nullptr) {
        m_draw(physical);
        m_pPresenter->Present(static_cast<GtkWidget*>(wxGetTopLevelParent(this)->GetHandle()),
                              m_surface, physical);
        return;
    }
    cairo_surface_flush(m_pImage);
    m_draw(physical);
    if (m_surface.IsPaletteDevice()) {
        ConvertPaletteValues(physical);
    }
    cairo_surface_mark_dirty_rectangle(m_pImage, physical.left, physical.top,
                                       physical.right - physical.left,
                                       physical.bottom - physical.top);

    wxGraphicsContext* gc = dc.GetGraphicsContext();
    auto* cr = static_cast<cairo_t*>(gc != nullptr ? gc->GetNativeContext() : nullptr);
    if (cr == nullptr) {
        return;
    }
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
    for (int y = rect.top; y < rect.bottom; ++y) {
        const std::uint32_t* source = m_surface.Row(y);
        std::uint32_t* target =
            m_converted.data() + static_cast<std::size_t>(y) * m_surface.Width();
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF c = m_surface.ValueToColor(source[x]);
            target[x] = static_cast<std::uint32_t>(GetRValue(c)) << 16 |
                        static_cast<std::uint32_t>(GetGValue(c)) << 8 | GetBValue(c);
        }
    }
}
