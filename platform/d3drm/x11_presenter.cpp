#include "platform/d3drm/x11_presenter.h"

#include "platform/d3drm/window_presenter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace swr {
namespace {

// Catches the errors of one display while it lives. Xlib's error handler is process-wide, so
// errors of other connections are passed to the handler that was there before.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : m_lock(s_mutex) {
        s_display = display;
        s_failed = false;
        s_previous = XSetErrorHandler(&ErrorTrap::Handle);
    }
    ~ErrorTrap() {
        XSetErrorHandler(s_previous);
        s_display = nullptr;
    }
    // Waits for the server to answer everything sent so far; true if any of it failed.
    bool SyncFailed() {
        XSync(s_display, False);
        return s_failed;
    }

private:
    static int Handle(Display* display, XErrorEvent* event) {
        if (display == s_display) {
            s_failed = true;
            return 0;
        }
        return s_previous ? s_previous(display, event) : 0;
    }

    std::lock_guard<std::mutex> m_lock;
    static inline std::mutex s_mutex;
    static inline Display* s_display = nullptr;
    static inline bool s_failed = false;
    static inline XErrorHandler s_previous = nullptr;
};

enum class PixelLayout { Direct32, Rgb565, Generic };

uint32_t Rgb565(uint32_t argb) {
    return ((argb >> 8) & 0xF800u) | ((argb >> 5) & 0x07E0u) | ((argb >> 3) & 0x001Fu);
}

// Puts an 8-bit channel into the bits of mask: its top bits for a narrower field, the byte
// repeated for a wider one.
unsigned long ToMask(uint32_t channel, unsigned long mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    unsigned long value = channel;
    if (bits <= 8) {
        value >>= 8 - bits;
    } else {
        for (int filled = 8; filled < bits; filled += 8) value = (value << 8) | channel;
        value >>= (bits + 7) / 8 * 8 - bits;
    }
    return value << shift;
}

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
            ErrorTrap trap(display);
            attached = XShmAttach(display, &segment) && !trap.SyncFailed();
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
        if (littleEndian && image->bits_per_pixel == 32 && visual->red_mask == 0xFF0000 &&
            visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF) {
            layout = PixelLayout::Direct32;
        } else if (littleEndian && image->bits_per_pixel == 16 && visual->red_mask == 0xF800 &&
                   visual->green_mask == 0x07E0 && visual->blue_mask == 0x001F) {
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
                for (int x = left; x < right; ++x) out[x] = static_cast<uint16_t>(Rgb565(source[x]));
                break;
            }
            case PixelLayout::Generic:
                for (int x = left; x < right; ++x) {
                    const uint32_t p = source[x];
                    XPutPixel(image, x, y,
                              ToMask((p >> 16) & 0xFF, visual->red_mask) | ToMask((p >> 8) & 0xFF, visual->green_mask) |
                                  ToMask(p & 0xFF, visual->blue_mask));
                }
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
        ErrorTrap trap(state->display);
        if (!XGetWindowAttributes(state->display, window, &attributes) || trap.SyncFailed()) return nullptr;
    }
    if (!attributes.visual || attributes.visual->c_class != TrueColor) return nullptr;
    state->visual = attributes.visual;
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

void InstallX11Presenters() {
    SetX11PresenterMaker([](const char* displayName, unsigned long window) -> std::unique_ptr<Presenter> {
        return X11Presenter::Create(displayName, window);
    });
}

} // namespace swr
