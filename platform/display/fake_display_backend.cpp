#include "platform/display/fake_display_backend.h"

FakeDisplayBackend::FakeDisplayBackend(std::vector<DisplayMode> modes, size_t current)
    : modes_(std::move(modes)), current_(current) {}

void FakeDisplayBackend::Refuse(DWORD width, DWORD height, DWORD bitsPerPixel, LONG result) {
    refusals_.push_back({width, height, bitsPerPixel, result});
}

LONG FakeDisplayBackend::SetMode(const DisplayMode& wanted) {
    LONG result = Switch(wanted);
    log_.push_back({false, wanted, result});
    return result;
}

LONG FakeDisplayBackend::Switch(const DisplayMode& wanted) {
    for (const Refusal& r : refusals_)
        if (r.width == wanted.width && r.height == wanted.height && r.bitsPerPixel == wanted.bitsPerPixel)
            return r.result;
    for (size_t i = 0; i < modes_.size(); ++i) {
        const DisplayMode& m = modes_[i];
        if (m.width == wanted.width && m.height == wanted.height && m.bitsPerPixel == wanted.bitsPerPixel &&
            (wanted.frequency == 0 || m.frequency == wanted.frequency)) {
            if (!saved_ && i != current_) saved_ = current_;
            current_ = i;
            return DISP_CHANGE_SUCCESSFUL;
        }
    }
    return DISP_CHANGE_BADMODE;
}

LONG FakeDisplayBackend::Restore() {
    if (saved_) current_ = *saved_;
    saved_.reset();
    log_.push_back({true, {}, DISP_CHANGE_SUCCESSFUL});
    return DISP_CHANGE_SUCCESSFUL;
}
