// quorvel-trace: grows one pipe the way the animation driver does and prints where its pieces
// go. Colour channels are printed from the packed colour, as byte ÷ 255.

#include "pipes/pipe.h"
#include "pipes/pipe_random.h"
#include "tools/trace_options.h"

#include <cmath>
#include <cstdio>
#include <string_view>

namespace {
// %.4f, with a value that rounds to zero printed without its sign.
void PrintReal(double v) {
    if (std::fabs(v) < 0.00005) v = 0.0;
    std::printf(" %.4f", v);
}

class TracePrinter : public CPipeObserver {
public:
    int step = 0;

    void OnElbow(const ELBOWPARAMS& elbow) override {
        std::printf("%d elbow", step);
        PrintReal(elbow.x);
        PrintReal(elbow.y);
        PrintReal(elbow.z);
        std::printf("\n");
    }

    void OnCylinder(const CYLINDERPARAMS& cylinder) override {
        std::printf("%d cylinder", step);
        PrintReal(cylinder.fLength);
        PrintReal(cylinder.x);
        PrintReal(cylinder.y);
        PrintReal(cylinder.z);
        std::printf("\n");
    }
};

int Trace(const TraceOptions& o) {
    IDirect3DRM* rm = nullptr;
    if (Direct3DRMCreate(&rm) != S_OK) return 1;
    IDirect3DRMFrame* scene = nullptr;
    if (rm->CreateFrame(nullptr, &scene) != S_OK) {
        rm->Release();
        return 1;
    }

    PipeRandomSeed(o.seed);
    int result = 0;
    {
        CPipe pipe;
        pipe.SetParameters(o.length, 4.0f, 0.6f, 1.0f, 1.0f, o.fieldY, o.front, o.fieldZ);
        if (pipe.Create(rm, scene) && pipe.SetPosition(150.0f, 0.0f, 0.0f)) {
            std::printf("colour");
            PrintReal(D3DRMColorGetRed(pipe.GetColor()));
            PrintReal(D3DRMColorGetGreen(pipe.GetColor()));
            PrintReal(D3DRMColorGetBlue(pipe.GetColor()));
            std::printf("\nradius");
            PrintReal(pipe.GetRadius());
            std::printf("\n");

            TracePrinter printer;
            pipe.SetObserver(&printer);
            for (printer.step = 1; printer.step <= o.steps; ++printer.step) {
                if (!pipe.Grow(rm)) {
                    std::printf("%d refused\n", printer.step);
                    continue;
                }
                std::printf("%d head", printer.step);
                PrintReal(pipe.GetHead().x);
                PrintReal(pipe.GetHead().y);
                PrintReal(pipe.GetHead().z);
                std::printf(" %d\n", pipe.GetBackDir());
            }
        } else {
            result = 1;
        }
    }
    scene->Release();
    rm->Release();
    return result;
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fputs(kTraceUsage, stdout);
        return 0;
    }
    auto options = ParseTraceOptions(argc, argv);
    if (!options) {
        std::fputs(kTraceUsage, stderr);
        return 2;
    }
    return Trace(*options);
}
