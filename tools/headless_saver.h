// Runs the real saver window and animation on the framework's headless backends: windows in
// memory, a display of a fixed size, ticks sent one after another without waiting for the timer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct HeadlessRun {
    // The device drawn with; Default lets the saver's device search choose among the software
    // devices.
    enum class Device { Default, Rgb, Mono, Gl } device = Device::Default;
    unsigned seed = 1;
    int ticks = 100;
    int width = 640;
    int height = 480;
    std::string profile; // settings file; empty or missing: the defaults
};

struct HeadlessFrame {
    int width = 0, height = 0;
    bool hardware = false; // drawn by the GL device
    std::vector<uint32_t> pixels; // 0x00RRGGBB, rows top to bottom
};

// The frame after the ticks, or an empty frame when the saver could not start or the device
// asked for does not exist. The GL device draws offscreen (EGL without a surface).
HeadlessFrame RunHeadlessSaver(const HeadlessRun& run);
