// quorvel-make-bitmap: renders the picture of pipes that the preview and the About box show
// (200 × 200, 8-bit palette) and the program's icon (32 × 32) with the saver itself, and beside
// the icon the other sizes of the Windows icon: <icon>_16.bmp, <icon>_48.bmp, <icon>_256.bmp.
//   quorvel-make-bitmap <picture.bmp> <icon.bmp>
#include "tools/headless_saver.h"
#include "tools/palette_image.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: quorvel-make-bitmap PICTURE.bmp ICON.bmp\n", stderr);
        return 2;
    }
    // A set of five pipes growing in turn, well into its cycle. The middle of an 800 × 800
    // frame is reduced to the picture's size: the pipes come out thicker and with smooth edges.
    HeadlessRun run;
    run.seed = 3;
    run.ticks = 150;
    run.width = 800;
    run.height = 800;
    run.profile = QUORVEL_PICTURE_PROFILE;
    HeadlessFrame frame = RunHeadlessSaver(run);
    if (frame.pixels.empty()) {
        std::fputs("quorvel-make-bitmap: the saver could not start\n", stderr);
        return 1;
    }
    auto middle = Crop(frame.pixels.data(), frame.width, 200, 200, 400, 400);
    auto picture = Downscale(middle.data(), 400, 400, 200, 200);
    auto icon = Downscale(middle.data(), 400, 400, 32, 32);
    if (!WriteBmp8(argv[1], QuantizeToPalette(picture.data(), 200, 200)) ||
        !WriteBmp8(argv[2], QuantizeToPalette(icon.data(), 32, 32))) {
        std::fputs("quorvel-make-bitmap: cannot write the pictures\n", stderr);
        return 1;
    }
    std::string stem = argv[2];
    if (stem.size() > 4 && stem.compare(stem.size() - 4, 4, ".bmp") == 0) stem.resize(stem.size() - 4);
    for (int size : {16, 48, 256}) {
        auto image = Downscale(middle.data(), 400, 400, size, size);
        const std::string path = stem + "_" + std::to_string(size) + ".bmp";
        if (!WriteBmp8(path, QuantizeToPalette(image.data(), size, size))) {
            std::fprintf(stderr, "quorvel-make-bitmap: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
