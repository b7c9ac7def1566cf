#include "platform/x11/xrandr_display_backend.h"

#include "platform/display/display.h"
#include "platform/x11/x11_error_trap.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <algorithm>
#include <cmath>

namespace {

struct FreeResources {
    void operator()(XRRScreenResources* p) const { XRRFreeScreenResources(p); }
};
struct FreeOutputInfo {
    void operator()(XRROutputInfo* p) const { XRRFreeOutputInfo(p); }
};
struct FreeCrtcInfo {
    void operator()(XRRCrtcInfo* p) const { XRRFreeCrtcInfo(p); }
};
using Resources = std::unique_ptr<XRRScreenResources, FreeResources>;
using OutputInfo = std::unique_ptr<XRROutputInfo, FreeOutputInfo>;
using CrtcInfo = std::unique_ptr<XRRCrtcInfo, FreeCrtcInfo>;

// The primary output and its CRTC as the server reports them now.
struct Head {
    Resources resources;
    OutputInfo output;
    CrtcInfo crtc;
};

struct ScreenSize {
    int width = 0, height = 0, mmWidth = 0, mmHeight = 0;
    bool SamePixels(const ScreenSize& o) const { return width == o.width && height == o.height; }
};

const XRRModeInfo* FindModeInfo(const XRRScreenResources& resources, RRMode id) {
    for (int i = 0; i < resources.nmode; ++i)
        if (resources.modes[i].id == id) return &resources.modes[i];
    return nullptr;
}

DWORD RefreshRate(const XRRModeInfo& mode) {
    double lines = static_cast<double>(mode.hTotal) * mode.vTotal;
    return lines > 0 ? static_cast<DWORD>(std::lround(mode.dotClock / lines)) : 0;
}

// Bits per pixel of images of the given depth: 24-bit screens store 32 bits per pixel.
DWORD PixmapBitsPerPixel(Display* display, int depth) {
    int count = 0;
    DWORD bits = static_cast<DWORD>(depth);
    if (XPixmapFormatValues* formats = XListPixmapFormats(display, &count)) {
        for (int i = 0; i < count; ++i)
            if (formats[i].depth == depth) bits = static_cast<DWORD>(formats[i].bits_per_pixel);
        XFree(formats);
    }
    return bits;
}

class XRandRDisplayBackend final : public DisplayBackend {
public:
    ~XRandRDisplayBackend() override {
        if (display_) XCloseDisplay(display_);
    }

    std::vector<DisplayMode> ListModes() override {
        std::vector<DisplayMode> modes;
        if (!Connect() || !randr_) return modes;
        X11ErrorTrap trap(display_);
        std::optional<Head> head = PrimaryHead();
        if (!head) return modes;
        for (int i = 0; i < head->output->nmode; ++i)
            if (const XRRModeInfo* info = FindModeInfo(*head->resources, head->output->modes[i]))
                modes.push_back(ToDisplayMode(*info));
        return modes;
    }

    std::optional<DisplayMode> CurrentMode() override {
        if (!Connect()) return std::nullopt;
        if (!randr_) {
            int screen = DefaultScreen(display_);
            return DisplayMode{static_cast<DWORD>(DisplayWidth(display_, screen)),
                               static_cast<DWORD>(DisplayHeight(display_, screen)), depth_, 0, 0};
        }
        X11ErrorTrap trap(display_);
        std::optional<Head> head = PrimaryHead();
        if (!head) return std::nullopt;
        const XRRModeInfo* info = FindModeInfo(*head->resources, head->crtc->mode);
        if (!info) return std::nullopt;
        return ToDisplayMode(*info);
    }

    LONG SetMode(const DisplayMode& wanted) override {
        if (!Connect() || !randr_) return DISP_CHANGE_FAILED;
        if (wanted.bitsPerPixel != depth_) return DISP_CHANGE_BADMODE;  // the server has one depth
        X11ErrorTrap trap(display_);
        std::optional<Head> head = PrimaryHead();
        if (!head) return DISP_CHANGE_FAILED;
        const XRRModeInfo* chosen = nullptr;
        for (int i = 0; i < head->output->nmode && !chosen; ++i) {
            const XRRModeInfo* info = FindModeInfo(*head->resources, head->output->modes[i]);
            if (info && info->width == wanted.width && info->height == wanted.height &&
                (wanted.frequency == 0 || RefreshRate(*info) == wanted.frequency))
                chosen = info;
        }
        if (!chosen) return DISP_CHANGE_BADMODE;

        ScreenSize target = ScreenFitting(*head, *chosen);
        if (!trap.Ok()) return DISP_CHANGE_FAILED;  // the server refused one of the look-ups
        ScreenSize before = CurrentScreen();
        if (head->crtc->mode == chosen->id && before.SamePixels(target)) return DISP_CHANGE_SUCCESSFUL;
        RRMode leaving = head->crtc->mode;
        LONG result = Apply(*head, chosen->id, target, trap);
        if (result == DISP_CHANGE_SUCCESSFUL && !saved_) saved_ = Saved{leaving, before};
        return result;
    }

    LONG Restore() override {
        if (!saved_) return DISP_CHANGE_SUCCESSFUL;
        X11ErrorTrap trap(display_);
        std::optional<Head> head = PrimaryHead();
        if (!head || !trap.Ok() || !FindModeInfo(*head->resources, saved_->mode)) return DISP_CHANGE_FAILED;
        LONG result = Apply(*head, saved_->mode, saved_->screen, trap);
        if (result == DISP_CHANGE_SUCCESSFUL) saved_.reset();
        return result;
    }

    DWORD Depth() override { return Connect() ? depth_ : 0; }

private:
    struct Saved {
        RRMode mode;
        ScreenSize screen;
    };

    bool Connect() {
        if (connectTried_) return display_ != nullptr;
        connectTried_ = true;
        display_ = XOpenDisplay(nullptr);
        if (!display_) return false;
        int screen = DefaultScreen(display_);
        depth_ = PixmapBitsPerPixel(display_, DefaultDepth(display_, screen));
        // Physical sizes of later screen sizes keep the density found now (96 dpi if unknown).
        int mmWidth = DisplayWidthMM(display_, screen), mmHeight = DisplayHeightMM(display_, screen);
        pixelsPerMmX_ = mmWidth > 0 ? DisplayWidth(display_, screen) / static_cast<double>(mmWidth) : 96 / 25.4;
        pixelsPerMmY_ = mmHeight > 0 ? DisplayHeight(display_, screen) / static_cast<double>(mmHeight) : 96 / 25.4;
        int eventBase, errorBase, major = 0;
        randr_ = XRRQueryExtension(display_, &eventBase, &errorBase) &&
                 XRRQueryVersion(display_, &major, &minor_) && (major > 1 || minor_ >= 2);
        if (major > 1) minor_ = 99;
        return true;
    }

    Window Root() const { return DefaultRootWindow(display_); }

    DisplayMode ToDisplayMode(const XRRModeInfo& info) const {
        return DisplayMode{info.width, info.height, depth_, RefreshRate(info), 0};
    }

    // The primary output, or when there is none the first connected output showing a picture.
    std::optional<Head> PrimaryHead() {
        Resources resources(XRRGetScreenResourcesCurrent(display_, Root()));
        if (!resources) return std::nullopt;
        auto lit = [&](RROutput id) {
            OutputInfo info(XRRGetOutputInfo(display_, resources.get(), id));
            if (info && (info->connection != RR_Connected || info->crtc == None)) info.reset();
            return info;
        };
        OutputInfo output;
        if (RROutput primary = minor_ >= 3 ? XRRGetOutputPrimary(display_, Root()) : None; primary != None)
            output = lit(primary);
        for (int i = 0; i < resources->noutput && !output; ++i) output = lit(resources->outputs[i]);
        if (!output) return std::nullopt;
        CrtcInfo crtc(XRRGetCrtcInfo(display_, resources.get(), output->crtc));
        if (!crtc) return std::nullopt;
        return Head{std::move(resources), std::move(output), std::move(crtc)};
    }

    ScreenSize CurrentScreen() {
        Window root;
        int x, y;
        unsigned width = 0, height = 0, border, depth;
        XGetGeometry(display_, Root(), &root, &x, &y, &width, &height, &border, &depth);
        return ScreenSized(static_cast<int>(width), static_cast<int>(height));
    }

    ScreenSize ScreenSized(int width, int height) const {
        return ScreenSize{width, height, static_cast<int>(std::lround(width / pixelsPerMmX_)),
                          static_cast<int>(std::lround(height / pixelsPerMmY_))};
    }

    // The screen that holds the primary CRTC showing `mode` and every other lit CRTC.
    ScreenSize ScreenFitting(const Head& head, const XRRModeInfo& mode) {
        bool sideways = head.crtc->rotation & (RR_Rotate_90 | RR_Rotate_270);
        int right = head.crtc->x + static_cast<int>(sideways ? mode.height : mode.width);
        int bottom = head.crtc->y + static_cast<int>(sideways ? mode.width : mode.height);
        for (int i = 0; i < head.resources->ncrtc; ++i) {
            if (head.resources->crtcs[i] == head.output->crtc) continue;
            CrtcInfo other(XRRGetCrtcInfo(display_, head.resources.get(), head.resources->crtcs[i]));
            if (!other || other->mode == None) continue;
            right = std::max(right, other->x + static_cast<int>(other->width));
            bottom = std::max(bottom, other->y + static_cast<int>(other->height));
        }
        return ScreenSized(right, bottom);
    }

    // Switches the primary CRTC to `mode` and the screen to `target`. The screen must hold the
    // CRTC at every step: grow it first, switch, then shrink it. A refused step puts the CRTC
    // and the screen back as they were.
    LONG Apply(const Head& head, RRMode mode, const ScreenSize& target, X11ErrorTrap& trap) {
        ScreenSize before = CurrentScreen();
        ScreenSize grown = ScreenSized(std::max(before.width, target.width), std::max(before.height, target.height));
        const XRRCrtcInfo& crtc = *head.crtc;
        auto setCrtc = [&](RRMode m) {
            return XRRSetCrtcConfig(display_, head.resources.get(), head.output->crtc, CurrentTime, crtc.x, crtc.y,
                                    m, crtc.rotation, crtc.outputs, crtc.noutput) == RRSetConfigSuccess;
        };
        auto setScreen = [&](const ScreenSize& s) {
            XRRSetScreenSize(display_, Root(), s.width, s.height, s.mmWidth, s.mmHeight);
            return trap.Ok();
        };

        XGrabServer(display_);  // other clients see the change as one step
        bool ok = grown.SamePixels(before) || setScreen(grown);
        ok = ok && setCrtc(mode) && trap.Ok();
        ok = ok && (target.SamePixels(grown) || setScreen(target));
        if (!ok) {
            setCrtc(crtc.mode);
            setScreen(before);
        }
        XUngrabServer(display_);
        XSync(display_, False);
        return ok ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_FAILED;
    }

    Display* display_ = nullptr;
    bool connectTried_ = false;
    bool randr_ = false;
    int minor_ = 0;
    DWORD depth_ = 0;
    double pixelsPerMmX_ = 1, pixelsPerMmY_ = 1;
    std::optional<Saved> saved_;
};

} // namespace

std::unique_ptr<DisplayBackend> MakeXRandRDisplayBackend() { return std::make_unique<XRandRDisplayBackend>(); }
