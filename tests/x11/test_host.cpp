// test-host [--argb] [--vroot] X Y WIDTH HEIGHT: plays a screen-saver host. Creates a top-level window
// (override-redirect, so no window manager moves it), prints its id in hex, then obeys lines on
// its standard input: "resize W H" and "destroy", answering "done" to each. It ends when its
// input ends. With --argb the window has a 32-bit ARGB
// visual, as the window of a compositing host; with --vroot it announces itself as the virtual
// root, as some window managers do.
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    bool argb = false, vroot = false;
    for (; argc > 1 && argv[1][0] == '-' && argv[1][1] == '-'; ++argv, --argc) {
        argb |= !std::strcmp(argv[1], "--argb");
        vroot |= !std::strcmp(argv[1], "--vroot");
    }
    if (argc != 5) {
        std::fprintf(stderr, "usage: test-host [--argb] [--vroot] X Y WIDTH HEIGHT\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    const int screen = DefaultScreen(d);
    XSetWindowAttributes swa = {};
    unsigned long mask = CWBackPixel | CWBorderPixel | CWOverrideRedirect;
    swa.override_redirect = True;
    Visual* visual = DefaultVisual(d, screen);
    int depth = DefaultDepth(d, screen);
    if (argb) {
        XVisualInfo info;
        if (!XMatchVisualInfo(d, screen, 32, TrueColor, &info)) {
            std::fprintf(stderr, "test-host: no 32-bit TrueColor visual\n");
            return 1;
        }
        visual = info.visual;
        depth = 32;
        swa.colormap = XCreateColormap(d, RootWindow(d, screen), visual, AllocNone);
        mask |= CWColormap;
    }
    // A dark red host, so that a saver that draws nothing is told from one that draws black.
    swa.background_pixel = argb ? 0xFF400000 : (visual->red_mask & 0x40404040ul);
    Window w = XCreateWindow(d, RootWindow(d, screen), std::atoi(argv[1]), std::atoi(argv[2]),
                             static_cast<unsigned>(std::atoi(argv[3])), static_cast<unsigned>(std::atoi(argv[4])),
                             0, depth, InputOutput, visual, mask, &swa);
    if (vroot)
        XChangeProperty(d, w, XInternAtom(d, "__SWM_VROOT", False), XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&w), 1);
    XMapRaised(d, w);
    XSync(d, False);
    std::printf("0x%lx\n", w);
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string command;
        in >> command;
        if (command == "resize") {
            unsigned width = 0, height = 0;
            in >> width >> height;
            XResizeWindow(d, w, width, height);
        } else if (command == "destroy") {
            XDestroyWindow(d, w);
        }
        XSync(d, False);
        std::printf("done\n");
        std::fflush(stdout);
    }
    XCloseDisplay(d);
    return 0;
}
