// SPDX-License-Identifier: MIT
#include "present/ShmPresenter.h"

#include <algorithm>
#include <bit>
#include <chrono>

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <gdk/gdkx.h>
#endif

#include "desktop/ScreenVisual.h"

#ifdef GDK_WINDOWING_X11
namespace {

// The store's pixel words as the server must read them: 0x00RRGGBB in the
// host's byte order, 32 bits per pixel.
constexpr unsigned long kRedMask = 0xFF0000;
constexpr unsigned long kGreenMask = 0x00FF00;
constexpr unsigned long kBlueMask = 0x0000FF;
constexpr int kDepth = 24;
constexpr int kBitsPerPixel = 32;
constexpr int kHostByteOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
// The longest wait for the server's report that it has read an image.
constexpr std::chrono::milliseconds kCompletionWait{1000};

bool IsXrgbVisual(const Visual* visual, int depth) {
    return depth == kDepth && visual->c_class == TrueColor && visual->red_mask == kRedMask &&
           visual->green_mask == kGreenMask && visual->blue_mask == kBlueMask;
}

class CShmPresenter final : public IPixelPresenter {
public:
    // Takes over the image and the attached segment.
    CShmPresenter(Display* display, XImage* image, const XShmSegmentInfo& segment)
        : m_pDisplay(display),
          m_pImage(image),
          m_segment(segment),
          m_nCompletion(XShmGetEventBase(display) + ShmCompletion) {
        // The image names its segment through this pointer.
        m_pImage->obdata = reinterpret_cast<char*>(&m_segment);
        // Completions that GDK reads before the presenter waits for them.
        gdk_window_add_filter(nullptr, OnEvent, this);
    }

    ~CShmPresenter() override {
        gdk_window_remove_filter(nullptr, OnEvent, this);
        XShmDetach(m_pDisplay, &m_segment);
        if (m_gc != nullptr) {
            XFreeGC(m_pDisplay, m_gc);
        }
        XSync(m_pDisplay, False);
        m_pImage->data = nullptr;  // the segment is not the image's to free
        XDestroyImage(m_pImage);
        shmdt(m_segment.shmaddr);
    }

    // The pixels go to the view's own X window: realized now and made
    // native, so that the toolkit draws it on its own rather than through
    // its parent's double buffer, and with no buffer of its own, which would
    // be copied over the pixels at the end of a paint.
    void ShowOn(GtkWidget* view, std::function<void()> /*ready*/) override {
        m_pWidget = view;
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        gtk_widget_set_double_buffered(view, FALSE);
        G_GNUC_END_IGNORE_DEPRECATIONS
        gtk_widget_realize(view);
        gdk_window_ensure_native(gtk_widget_get_window(view));
    }

    // The server reads the segment until it reports each image done: the
    // frame waits for the reports of the last one's images. A report that
    // never comes (an image the server refused) ends the wait after a
    // while with a round trip, after which the server reads no more.
    std::span<std::uint32_t> BeginFrame(const RECT& /*rect*/) override {
        const auto deadline = std::chrono::steady_clock::now() + kCompletionWait;
        XEvent event;
        while (m_nPending > 0) {
            if (XCheckIfEvent(m_pDisplay, &event, IsCompletion, reinterpret_cast<XPointer>(this))) {
                --m_nPending;
                continue;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd connection{ConnectionNumber(m_pDisplay), POLLIN, 0};
            if (left.count() <= 0 || poll(&connection, 1, static_cast<int>(left.count())) <= 0) {
                XSync(m_pDisplay, False);
                while (XCheckIfEvent(m_pDisplay, &event, IsCompletion,
                                     reinterpret_cast<XPointer>(this))) {
                }
                m_nPending = 0;
                break;
            }
            XEventsQueued(m_pDisplay, QueuedAfterReading);
        }
        return {reinterpret_cast<std::uint32_t*>(m_pImage->data),
                static_cast<std::size_t>(m_pImage->width) * m_pImage->height};
    }

    bool Present(const RECT& rect) override {
        GdkWindow* window = m_pWidget != nullptr ? gtk_widget_get_window(m_pWidget) : nullptr;
        if (window == nullptr) {
            return false;
        }
        // The view's own X window (made native once), in physical pixels
        // whatever the desktop's scale.
        const Window xid = gdk_x11_window_get_xid(window);
        if (m_gc == nullptr) {
            m_gc = XCreateGC(m_pDisplay, xid, 0, nullptr);
        }
        const int left = std::max<int>(rect.left, 0);
        const int top = std::max<int>(rect.top, 0);
        const int right = std::min<int>(rect.right, m_pImage->width);
        const int bottom = std::min<int>(rect.bottom, m_pImage->height);
        if (left < right && top < bottom) {
            XShmPutImage(m_pDisplay, xid, m_gc, m_pImage, left, top, left, top,
                         static_cast<unsigned>(right - left), static_cast<unsigned>(bottom - top),
                         True);
            ++m_nPending;
            XFlush(m_pDisplay);
        }
        return true;
    }

private:
    static Bool IsCompletion(Display* /*display*/, XEvent* event, XPointer self) {
        return reinterpret_cast<CShmPresenter*>(self)->IsOwnCompletion(*event);
    }

    bool IsOwnCompletion(const XEvent& event) const {
        return event.type == m_nCompletion &&
               reinterpret_cast<const XShmCompletionEvent&>(event).shmseg == m_segment.shmseg;
    }

    static GdkFilterReturn OnEvent(GdkXEvent* xevent, GdkEvent* /*event*/, gpointer data) {
        auto* self = static_cast<CShmPresenter*>(data);
        if (!self->IsOwnCompletion(*static_cast<XEvent*>(xevent))) {
            return GDK_FILTER_CONTINUE;
        }
        self->m_nPending = std::max(self->m_nPending - 1, 0);
        return GDK_FILTER_REMOVE;
    }

    GtkWidget* m_pWidget = nullptr;
    Display* m_pDisplay;
    XImage* m_pImage;
    XShmSegmentInfo m_segment;
    int m_nCompletion;
    // Images sent whose completion has not come yet.
    int m_nPending = 0;
    GC m_gc = nullptr;
};

}  // namespace

std::unique_ptr<IPixelPresenter> CreateShmPresenter(int width, int height) {
    GdkDisplay* gdkDisplay = gdk_display_get_default();
    GdkVisual* gdkVisual = ScreenDefaultVisual();
    if (gdkDisplay == nullptr || !GDK_IS_X11_DISPLAY(gdkDisplay) || gdkVisual == nullptr) {
        return nullptr;
    }
    Display* display = GDK_DISPLAY_XDISPLAY(gdkDisplay);
    Visual* visual = gdk_x11_visual_get_xvisual(gdkVisual);
    if (!XShmQueryExtension(display) || !IsXrgbVisual(visual, gdk_visual_get_depth(gdkVisual))) {
        return nullptr;
    }
    XShmSegmentInfo segment{};
    XImage* image = XShmCreateImage(display, visual, kDepth, ZPixmap, nullptr, &segment,
                                    static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (image == nullptr) {
        return nullptr;
    }
    if (image->bits_per_pixel != kBitsPerPixel || image->bytes_per_line != width * 4 ||
        image->byte_order != kHostByteOrder) {
        XDestroyImage(image);
        return nullptr;
    }
    const std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) * height;
    segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment.shmid < 0) {
        XDestroyImage(image);
        return nullptr;
    }
    segment.shmaddr = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    // Gone once both sides have detached, however the program ends.
    shmctl(segment.shmid, IPC_RMID, nullptr);
    if (segment.shmaddr == reinterpret_cast<char*>(-1)) {
        XDestroyImage(image);
        return nullptr;
    }
    segment.readOnly = True;
    // A server on another machine refuses the segment (BadAccess).
    gdk_x11_display_error_trap_push(gdkDisplay);
    XShmAttach(display, &segment);
    XSync(display, False);
    if (gdk_x11_display_error_trap_pop(gdkDisplay) != 0) {
        XDestroyImage(image);
        shmdt(segment.shmaddr);
        return nullptr;
    }
    image->data = segment.shmaddr;
    return std::make_unique<CShmPresenter>(display, image, segment);
}
#else
std::unique_ptr<IPixelPresenter> CreateShmPresenter(int /*width*/, int /*height*/) {
    return nullptr;
}
#endif
