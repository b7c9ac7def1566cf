// xrandr-hold-modes: gives the X server's primary output extra display modes for tests.
//
// Usage: xrandr-hold-modes [WIDTHxHEIGHT[@RATE]...]
//   (no sizes: 1280x720 1024x768 800x600; RATE defaults to 60 Hz)
//
// Connects to $DISPLAY, creates each mode with reduced-blanking timings whose refresh rate
// comes out at exactly RATE, and adds it to the primary output (the first connected output
// with a CRTC when none is primary); sizes the output already lists at that rate are skipped.
// Then prints "ready" on a line of its own to standard output and waits until standard input
// reaches end of file or a signal ends it. The modes belong to this connection, so keep the
// helper running until the display has been switched back.
// Exit status: 0 after end of input, 1 when the display or its outputs cannot be used,
// 2 for a malformed size.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Size {
    unsigned width, height, rate;
};

bool g_failed = false;

int ReportError(Display* display, XErrorEvent* event) {
    char text[256];
    XGetErrorText(display, event->error_code, text, sizeof text);
    std::fprintf(stderr, "xrandr-hold-modes: X error: %s (request %d.%d)\n", text, event->request_code,
                 event->minor_code);
    g_failed = true;
    return 0;
}

bool ParseSize(const char* text, Size& size) {
    size.rate = 60;
    int end = 0;
    if (std::sscanf(text, "%ux%u%n", &size.width, &size.height, &end) != 2) return false;
    const char* rest = text + end;
    if (*rest == '@') {
        end = 0;
        if (std::sscanf(rest, "@%u%n", &size.rate, &end) != 1) return false;
        rest += end;
    }
    return *rest == '\0' && size.width > 0 && size.height > 0 && size.rate > 0;
}

XRRModeInfo Timings(const Size& size, std::string& name) {
    XRRModeInfo mode{};
    mode.width = size.width;
    mode.height = size.height;
    mode.hSyncStart = size.width + 48;
    mode.hSyncEnd = size.width + 80;
    mode.hTotal = size.width + 160;
    mode.vSyncStart = size.height + 3;
    mode.vSyncEnd = size.height + 7;
    mode.vTotal = size.height + 23 + size.height / 40;
    mode.dotClock = static_cast<unsigned long>(mode.hTotal) * mode.vTotal * size.rate;
    mode.modeFlags = RR_HSyncPositive | RR_VSyncNegative;
    name = "hold-" + std::to_string(size.width) + "x" + std::to_string(size.height) + "@" + std::to_string(size.rate);
    mode.name = name.data();
    mode.nameLength = static_cast<unsigned>(name.size());
    return mode;
}

bool Listed(const XRRScreenResources& resources, const XRROutputInfo& output, const Size& size) {
    for (int i = 0; i < output.nmode; ++i)
        for (int j = 0; j < resources.nmode; ++j) {
            const XRRModeInfo& m = resources.modes[j];
            if (m.id != output.modes[i] || m.width != size.width || m.height != size.height) continue;
            double lines = static_cast<double>(m.hTotal) * m.vTotal;
            if (lines > 0 && static_cast<unsigned>(m.dotClock / lines + 0.5) == size.rate) return true;
        }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<Size> sizes;
    for (int i = 1; i < argc; ++i) {
        Size size;
        if (!ParseSize(argv[i], size)) {
            std::fprintf(stderr, "usage: xrandr-hold-modes [WIDTHxHEIGHT[@RATE]...]\n");
            return 2;
        }
        sizes.push_back(size);
    }
    if (sizes.empty()) sizes = {{1280, 720, 60}, {1024, 768, 60}, {800, 600, 60}};

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xrandr-hold-modes: cannot open display\n");
        return 1;
    }
    XSetErrorHandler(ReportError);
    Window root = DefaultRootWindow(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (!resources) {
        std::fprintf(stderr, "xrandr-hold-modes: no RandR screen resources\n");
        return 1;
    }
    RROutput target = XRRGetOutputPrimary(display, root);
    for (int i = 0; target == None && i < resources->noutput; ++i) {
        XRROutputInfo* info = XRRGetOutputInfo(display, resources, resources->outputs[i]);
        if (info && info->connection == RR_Connected && info->crtc != None) target = resources->outputs[i];
        if (info) XRRFreeOutputInfo(info);
    }
    XRROutputInfo* output = target != None ? XRRGetOutputInfo(display, resources, target) : nullptr;
    if (!output) {
        std::fprintf(stderr, "xrandr-hold-modes: no connected output\n");
        return 1;
    }
    for (const Size& size : sizes) {
        if (Listed(*resources, *output, size)) continue;
        std::string name;
        XRRModeInfo mode = Timings(size, name);
        RRMode id = XRRCreateMode(display, root, &mode);
        XRRAddOutputMode(display, target, id);
    }
    XRRFreeOutputInfo(output);
    XRRFreeScreenResources(resources);
    XSync(display, False);
    if (g_failed) return 1;

    std::puts("ready");
    std::fflush(stdout);
    char buffer[256];
    while (read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
    XCloseDisplay(display);
    return 0;
}
