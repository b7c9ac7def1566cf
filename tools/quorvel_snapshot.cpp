// quorvel-snapshot: runs the saver headless for a number of ticks and saves the frame as PNG.
#include "tools/headless_saver.h"
#include "tools/option_values.h"
#include "tools/png_writer.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
    "usage: quorvel-snapshot [--seed N] [--ticks N] [--width W] [--height H] [--profile FILE]"
    " [--device rgb|mono|gl] --out FILE.png\n"
    "Runs the saver without a display for N timer ticks from the random seed N and writes the\n"
    "last frame to FILE.png. Settings come from FILE (defaults when absent). --device draws with\n"
    "that device only (gl: OpenGL offscreen, also on a software driver); without it the saver's\n"
    "device search chooses a software device.\n";

bool Parse(int argc, char** argv, HeadlessRun* run, const char** out) {
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc) return false;
        const char* name = argv[i];
        const char* value = argv[i + 1];
        long n = 0;
        if (std::strcmp(name, "--seed") == 0 && ParseLong(value, 0, UINT_MAX, &n))
            run->seed = static_cast<unsigned>(n);
        else if (std::strcmp(name, "--ticks") == 0 && ParseLong(value, 0, 10000000, &n))
            run->ticks = static_cast<int>(n);
        else if (std::strcmp(name, "--width") == 0 && ParseLong(value, 1, 16384, &n))
            run->width = static_cast<int>(n);
        else if (std::strcmp(name, "--height") == 0 && ParseLong(value, 1, 16384, &n))
            run->height = static_cast<int>(n);
        else if (std::strcmp(name, "--profile") == 0)
            run->profile = value;
        else if (std::strcmp(name, "--device") == 0 && std::strcmp(value, "rgb") == 0)
            run->device = HeadlessRun::Device::Rgb;
        else if (std::strcmp(name, "--device") == 0 && std::strcmp(value, "mono") == 0)
            run->device = HeadlessRun::Device::Mono;
        else if (std::strcmp(name, "--device") == 0 && std::strcmp(value, "gl") == 0)
            run->device = HeadlessRun::Device::Gl;
        else if (std::strcmp(name, "--out") == 0)
            *out = value;
        else
            return false;
    }
    return *out != nullptr;
}

} // namespace

int main(int argc, char** argv) {
    HeadlessRun run;
    const char* out = nullptr;
    if (!Parse(argc, argv, &run, &out)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    HeadlessFrame frame = RunHeadlessSaver(run);
    if (frame.pixels.empty()) {
        std::fputs(run.device == HeadlessRun::Device::Gl
                       ? "quorvel-snapshot: no OpenGL context can be made here\n"
                       : "quorvel-snapshot: the saver could not start\n",
                   stderr);
        return 1;
    }
    if (run.device == HeadlessRun::Device::Gl && !frame.hardware) {
        std::fputs("quorvel-snapshot: the GL device failed; the frame was not drawn with it\n", stderr);
        return 1;
    }
    if (!WritePng(out, frame.pixels.data(), frame.width, frame.height)) {
        std::fprintf(stderr, "quorvel-snapshot: cannot write %s\n", out);
        return 1;
    }
    return 0;
}
