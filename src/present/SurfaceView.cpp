// SPDX-License-Identifier: MIT
#include "present/SurfaceView.h"

#include <gtk/gtk.h>
#include <wx/dcclient.h>
#include <wx/graphics.h>

CSurfaceView::CSurfaceView(wxWindow* parent, Presentation presentation,
                           std::function<void(const RECT&)> draw)
    : wxWindow(parent, wxID_ANY, wxPoint(0, 0),
               wxSize(presentation.LogicalWidth(), presentation.LogicalHeight()), wxBORDER_NONE),
      m_xRatio(presentation.xRatio),
      m_yRatio(presentation.yRatio),
      m_nToolkitScale(presentation.toolkitScale),
      m_draw(std::move(draw)),
      m_pPresenter(std::move(presentation.presenter)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    const int width = presentation.width;
    const int height = presentation.height;
    const int bitsPerPixel = presentation.bitsPerPixel;
    const bool palette = bitsPerPixel <= 8;
    if (m_pPresenter != nullptr) {
        m_pPresenter->ShowOn(m_wxwindow, [this] {
            if (!DrawAndPresent({})) {
                Refresh(false);
            }
        });
        const std::span<std::uint32_t> memory = m_pPresenter->BeginFrame({});
        m_pSurface = palette ? std::make_unique<Surface>(width, height, bitsPerPixel)
                             : std::make_unique<Surface>(width, height, bitsPerPixel, memory);
        UseMemory(memory);
    } else {
        m_pSurface = std::make_unique<Surface>(width, height, bitsPerPixel);
        if (palette) {
            m_converted.assign(static_cast<std::size_t>(width) * height, 0);
            UseMemory(m_converted);
        } else {
            UseMemory({m_pSurface->Pixels(), static_cast<std::size_t>(width) * height});
        }
    }
    Bind(wxEVT_PAINT, &CSurfaceView::OnPaint, this);
}

CSurfaceView::~CSurfaceView() {
    if (m_nRedrawSource != 0) {
        g_source_remove(m_nRedrawSource);
    }
    cairo_surface_destroy(m_pImage);
}

void CSurfaceView::UseMemory(std::span<std::uint32_t> memory) {
    if (memory.data() == m_pShown) {
        return;
    }
    const int width = m_pSurface->Width();
    const int height = m_pSurface->Height();
    if (!m_pSurface->IsPaletteDevice() && m_pSurface->Pixels() != memory.data()) {
        *m_pSurface = Surface(width, height, m_pSurface->BitsPerPixel(), memory);
    }
    m_pShown = memory.data();
    if (m_pImage != nullptr) {
        cairo_surface_destroy(m_pImage);
    }
    m_pImage = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(m_pShown),
                                                   CAIRO_FORMAT_RGB24, width, height, width * 4);
    cairo_surface_set_device_scale(m_pImage, m_nToolkitScale, m_nToolkitScale);
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
        if (DrawAndPresent({0, 0, m_pSurface->Width(), m_pSurface->Height()})) {
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
    if (m_pPresenter != nullptr && DrawAndPresent(physical)) {
        return;
    }
    if (m_pPresenter == nullptr) {
        cairo_surface_flush(m_pImage);
        m_draw(physical);
        if (m_pSurface->IsPaletteDevice()) {
            ConvertPaletteValues(physical);
        }
    }
    PaintThroughToolkit(physical, dc);
}

bool CSurfaceView::DrawAndPresent(const RECT& physical) {
    m_waiting = BoundingRect(m_waiting, physical);
    if (IsRectEmpty(&m_waiting)) {
        return true;
    }
    const std::span<std::uint32_t> memory = m_pPresenter->BeginFrame(m_waiting);
    if (memory.empty()) {
        return true;
    }
    const RECT frame = m_waiting;
    m_waiting = {};
    UseMemory(memory);
    m_draw(frame);
    if (m_pSurface->IsPaletteDevice()) {
        ConvertPaletteValues(frame);
    }
    return m_pPresenter->Present(frame);
}

void CSurfaceView::PaintThroughToolkit(const RECT& physical, wxPaintDC& dc) {
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
