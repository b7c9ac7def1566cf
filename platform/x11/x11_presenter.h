// Presents frames in an X window.
#pragma once

#include "platform/swr/presenter.h"

#include <memory>

namespace swr {

// Opens its own X connection and uses it only from the thread that renders, so Xlib needs no
// XInitThreads for it: no other thread ever touches this connection. Frames go through a shared-
// memory image (MIT-SHM) when the server offers it and attaching the segment works (it does not
// across a network), else through a plain XPutImage. The image is kept as the last frame, which
// Repaint puts again. The window's visual must be TrueColor; 32- and 24-bit visuals get the pixels
// as they are, 16-bit RGB565 visuals a packed copy, other layouts a per-pixel conversion.
// X errors on the connection go to the process's X error handler, as for any other connection
// (X11ErrorTrap tells the presenter which of its requests failed). Present and Repaint
// return once the server has taken the pixels.
class X11Presenter : public Presenter {
public:
    enum class Transfer { SharedMemoryIfAvailable, PlainOnly };

    // displayName null means $DISPLAY. Null when the display cannot be opened or the window does
    // not exist or has no TrueColor visual.
    static std::unique_ptr<X11Presenter> Create(const char* displayName, unsigned long window,
                                                Transfer transfer = Transfer::SharedMemoryIfAvailable);
    ~X11Presenter() override;

    bool Present(const FrameBuffer& frame, RECT damage) override;
    // False before the first Present.
    bool Repaint() override;
    // The image's pixels for 32-bit visuals with the frame buffer's layout.
    uint32_t* Surface(int width, int height) override;

    // True once frames go through shared memory (known after the first Present).
    bool UsesSharedMemory() const;

private:
    struct State;
    explicit X11Presenter(std::unique_ptr<State> state);

    std::unique_ptr<State> m_state;
};

struct SurfaceTarget;

// The X11 platform's presenter factory: an X11Presenter for an X11 surface, null otherwise.
std::unique_ptr<Presenter> MakeX11Presenter(const SurfaceTarget& target);

// Makes the installed platform present X11 surfaces through X11Presenter (for programs that
// install another platform and add X windows to it).
void InstallX11Presenters();

} // namespace swr
