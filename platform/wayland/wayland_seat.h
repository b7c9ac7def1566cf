// The seat's pointer and keyboard: their events become input messages for the window under the
// pointer or with the keyboard focus; the pointer's image over our windows.
#pragma once

#include "platform/afx/window_backend.h"

#include <cstdint>
#include <map>
#include <memory>

struct wl_seat;
struct wl_pointer;
struct wl_keyboard;
struct wl_surface;
struct wl_buffer;
struct xkb_context;
struct xkb_keymap;
struct xkb_state;
class WaylandConnection;

class WaylandSeat {
public:
    // What the seat asks of the window backend.
    class Windows {
    public:
        virtual ~Windows() = default;
        // The window a surface belongs to; null for none of ours.
        virtual HWND WindowOfSurface(wl_surface* surface) = 0;
        // Buffer pixels per surface unit of the window.
        virtual int ScaleOf(HWND hwnd) = 0;
        // The pointer came over the window: its cursor is to be set (SetCursor).
        virtual void PointerEntered(HWND hwnd) = 0;
    };

    WaylandSeat(WaylandConnection& connection, Windows& windows);
    ~WaylandSeat();

    // The image over the window while the pointer is over it; null hides the pointer.
    void SetCursor(HWND hwnd, HCURSOR cursor);
    // Forgets a window that is going away.
    void Forget(HWND hwnd);

private:
    static void Capabilities(void* data, wl_seat* seat, uint32_t caps);
    void ApplyCursor();
    wl_buffer* CursorBuffer(HCURSOR cursor);
    // Whether a modifier (an XKB modifier name) is in effect on the keyboard.
    bool Held(const char* modifier) const;
    // The mouse-key flags of the buttons and modifiers held now.
    WPARAM Flags() const;

    // Pointer events.
    static void PointerEnter(void* data, wl_pointer*, uint32_t serial, wl_surface* surface, int32_t x, int32_t y);
    static void PointerLeave(void* data, wl_pointer*, uint32_t serial, wl_surface* surface);
    static void PointerMotion(void* data, wl_pointer*, uint32_t time, int32_t x, int32_t y);
    static void PointerButton(void* data, wl_pointer*, uint32_t serial, uint32_t time, uint32_t button, uint32_t state);
    // Keyboard events.
    static void Keymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size);
    static void KeyboardEnter(void* data, wl_keyboard*, uint32_t serial, wl_surface* surface, struct wl_array* keys);
    static void KeyboardLeave(void* data, wl_keyboard*, uint32_t serial, wl_surface* surface);
    static void Key(void* data, wl_keyboard*, uint32_t serial, uint32_t time, uint32_t key, uint32_t state);
    static void Modifiers(void* data, wl_keyboard*, uint32_t serial, uint32_t depressed, uint32_t latched,
                          uint32_t locked, uint32_t group);

    WaylandConnection& m_connection;
    Windows& m_windows;
    wl_pointer* m_pointer = nullptr;
    wl_keyboard* m_keyboard = nullptr;
    xkb_context* m_xkb = nullptr;
    xkb_keymap* m_keymap = nullptr;
    xkb_state* m_keyState = nullptr;

    HWND m_pointerWindow = nullptr;
    uint32_t m_enterSerial = 0;
    LPARAM m_pointerAt = 0;     // last position in the window's pixels
    WPARAM m_buttonsHeld = 0;   // MK_ bits
    HWND m_keyboardWindow = nullptr;

    std::map<HWND, HCURSOR> m_cursors; // the cursor each window asked for
    wl_surface* m_cursorSurface = nullptr;
    std::map<HCURSOR, wl_buffer*> m_cursorBuffers;
};
