#include "platform/x11/x11_presenter.h"

#include "platform/d3drm/window_presenter.h"
#include "platform/platform.h"
#include "platform/swr/pixel_format.h"
#include "platform/x11/x11_error_trap.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace swr {
namespace {

enum class PixelLayout { Direct32, Rgb565, Generic };

} // namespace

struct X11Presenter::State {
    Display* display = nullptr;
    Window window = 0;
    Visual* visual = nullptr;
    int depth = 0;
    GC gc = nullptr;
    bool allowShm = true;

    XImage* image = nullptr;
    bool shared = false;
    XShmSegmentInfo segment{};
    PixelFormat format{0, 0, 0};
    PixelLayout layout = PixelLayout::Generic;

    ~State() {
        FreeImage();
        if (gc) XFreeGC(display, gc);
        if (display) XCloseDisplay(display);
    }

    void FreeImage() {
        if (!image) return;
        if (shared) {
            XShmDetach(display, &segment);
            XSync(display, False);
            image->data = nullptr;
            XDestroyImage(image);
            shmdt(segment.shmaddr);
        } else {
            XDestroyImage(image); // frees the pixel memory too
        }
        image = nullptr;
        shared = false;
    }

    bool CreateSharedImage(int width, int height) {
        int major = 0, minor = 0;
        Bool pixmaps = False;
        if (!XShmQueryExtension(display) || !XShmQueryVersion(display, &major, &minor, &pixmaps)) return false;
        segment = {};
        image = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &segment,
                                static_cast<unsigned>(width), static_cast<unsigned>(height));
        if (!image) return false;
        segment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height),
                               IPC_CREAT | 0600);
        if (segment.shmid < 0) {
            XDestroyImage(image);
            image = nullptr;
            return false;
        }
        void* address = shmat(segment.shmid, nullptr, 0);
        bool attached = false;
        if (address != reinterpret_cast<void*>(-1)) {
            segment.shmaddr = image->data = static_cast<char*>(address);
            segment.readOnly = False;
            X11ErrorTrap trap(display);
            attached = XShmAttach(display, &segment) && trap.Ok();
        }
        // Marked for removal now, so the segment disappears with the last detach even after a crash.
        shmctl(segment.shmid, IPC_RMID, nullptr);
        if (!attached) {
            if (address != reinterpret_cast<void*>(-1)) shmdt(address);
            image->data = nullptr;
            XDestroyImage(image);
            image = nullptr;
            return false;
        }
        shared = true;
        return true;
    }

    bool CreatePlainImage(int width, int height) {
        image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                             static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
        if (!image) return false;
        image->data = static_cast<char*>(std::calloc(static_cast<size_t>(image->bytes_per_line), static_cast<size_t>(height)));
        if (!image->data) {
            XDestroyImage(image);
            image = nullptr;
            return false;
        }
        return true;
    }

    bool MakeImage(int width, int height) {
        FreeImage();
        if (width <= 0 || height <= 0) return false;
        if (!(allowShm && CreateSharedImage(width, height)) && !CreatePlainImage(width, height)) return false;
        const bool littleEndian = image->byte_order == LSBFirst && std::endian::native == std::endian::little;
        layout = PixelLayout::Generic;
        if (littleEndian && image->bits_per_pixel == 32 && format.IsXrgb8888()) {
            layout = PixelLayout::Direct32;
        } else if (littleEndian && image->bits_per_pixel == 16 && format.IsRgb565()) {
            layout = PixelLayout::Rgb565;
        }
        return true;
    }

    void Convert(const FrameBuffer& frame, int left, int top, int right, int bottom) {
        const size_t stride = static_cast<size_t>(frame.Width());
        for (int y = top; y < bottom; ++y) {
            const uint32_t* source = frame.Pixels() + static_cast<size_t>(y) * stride;
            char* row = image->data + static_cast<ptrdiff_t>(y) * image->bytes_per_line;
            switch (layout) {
            case PixelLayout::Direct32:
                std::memcpy(row + static_cast<ptrdiff_t>(left) * 4, source + left,
                            static_cast<size_t>(right - left) * 4);
                break;
            case PixelLayout::Rgb565: {
                auto* out = reinterpret_cast<uint16_t*>(row);
                for (int x = left; x < right; ++x) out[x] = PackRgb565(source[x]);
                break;
            }
            case PixelLayout::Generic:
                for (int x = left; x < right; ++x) XPutPixel(image, x, y, format.Pack(source[x]));
                break;
            }
        }
    }

    void Put(int left, int top, int width, int height) {
        if (shared) {
            XShmPutImage(display, window, gc, image, left, top, left, top, static_cast<unsigned>(width),
                         static_cast<unsigned>(height), False);
        } else {
            XPutImage(display, window, gc, image, left, top, left, top, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
        }
        // Waits until the server has the pixels: the next frame must not overwrite the shared
        // segment early, and rendering must not run ahead of a slow server.
        XSync(display, False);
    }
};

std::unique_ptr<X11Presenter> X11Presenter::Create(const char* displayName, unsigned long window, Transfer transfer) {
    auto state = std::make_unique<State>();
    state->display = XOpenDisplay(displayName);
    if (!state->display) return nullptr;
    state->window = window;
    state->allowShm = transfer == Transfer::SharedMemoryIfAvailable;
    XWindowAttributes attributes{};
    {
        X11ErrorTrap trap(state->display);
        if (!XGetWindowAttributes(state->display, window, &attributes) || !trap.Ok()) return nullptr;
    }
    if (!attributes.visual || attributes.visual->c_class != TrueColor) return nullptr;
    state->visual = attributes.visual;
    state->format = PixelFormat(attributes.visual->red_mask, attributes.visual->green_mask,
                                attributes.visual->blue_mask);
    state->depth = attributes.depth;
    state->gc = XCreateGC(state->display, window, 0, nullptr);
    if (!state->gc) return nullptr;
    return std::unique_ptr<X11Presenter>(new X11Presenter(std::move(state)));
}

X11Presenter::X11Presenter(std::unique_ptr<State> state) : m_state(std::move(state)) {}

X11Presenter::~X11Presenter() = default;

bool X11Presenter::Present(const FrameBuffer& frame, RECT damage) {
    State& s = *m_state;
    if (!s.image || s.image->width != frame.Width() || s.image->height != frame.Height()) {
        if (!s.MakeImage(frame.Width(), frame.Height())) return false;
    }
    const int left = std::max<int>(damage.left, 0), top = std::max<int>(damage.top, 0);
    const int right = std::min<int>(damage.right, frame.Width()), bottom = std::min<int>(damage.bottom, frame.Height());
    if (left >= right || top >= bottom) return true;
    if (frame.Pixels() != reinterpret_cast<const uint32_t*>(s.image->data)) s.Convert(frame, left, top, right, bottom);
    s.Put(left, top, right - left, bottom - top);
    return true;
}

bool X11Presenter::Repaint() {
    State& s = *m_state;
    if (!s.image) return false;
    s.Put(0, 0, s.image->width, s.image->height);
    return true;
}

uint32_t* X11Presenter::Surface(int width, int height) {
    State& s = *m_state;
    if (!s.image || s.image->width != width || s.image->height != height) {
        if (!s.MakeImage(width, height)) return nullptr;
    }
    if (s.layout != PixelLayout::Direct32 || s.image->bytes_per_line != width * 4) return nullptr;
    return reinterpret_cast<uint32_t*>(s.image->data);
}

bool X11Presenter::UsesSharedMemory() const { return m_state->shared; }

std::unique_ptr<Presenter> MakeX11Presenter(const SurfaceTarget& target) {
    if (target.kind != WindowSurface::Kind::X11) return nullptr;
    return X11Presenter::Create(target.displayName.empty() ? nullptr : target.displayName.c_str(),
                                target.xid);
}

void InstallX11Presenters() { ThePlatform().presenters = MakeX11Presenter; }

} // namespace swr
