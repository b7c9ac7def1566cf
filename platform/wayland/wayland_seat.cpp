#include "platform/wayland/wayland_seat.h"

#include "platform/afx/msgqueue.h"
#include "platform/afx/resources.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_input.h"
#include "platform/wayland/wayland_shm.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

namespace {

WaylandSeat* Self(void* data) { return static_cast<WaylandSeat*>(data); }

// Releasing tells the compositor; seats older than version 3 can only forget.
void Drop(wl_pointer* pointer) {
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(pointer)) >= WL_POINTER_RELEASE_SINCE_VERSION)
        wl_pointer_release(pointer);
    else
        wl_pointer_destroy(pointer);
}

void Drop(wl_keyboard* keyboard) {
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(keyboard)) >= WL_KEYBOARD_RELEASE_SINCE_VERSION)
        wl_keyboard_release(keyboard);
    else
        wl_keyboard_destroy(keyboard);
}

} // namespace

WaylandSeat::WaylandSeat(WaylandConnection& connection, Windows& windows)
    : m_connection(connection), m_windows(windows), m_xkb(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {
    static const wl_seat_listener listener = {Capabilities, IgnoreEvent<wl_seat*, const char*>};
    if (connection.Seat()) wl_seat_add_listener(connection.Seat(), &listener, this);
}

WaylandSeat::~WaylandSeat() {
    for (auto& [cursor, buffer] : m_cursorBuffers) wl_buffer_destroy(buffer);
    if (m_cursorSurface) wl_surface_destroy(m_cursorSurface);
    if (m_pointer) Drop(m_pointer);
    if (m_keyboard) Drop(m_keyboard);
    if (m_keyState) xkb_state_unref(m_keyState);
    if (m_keymap) xkb_keymap_unref(m_keymap);
    if (m_xkb) xkb_context_unref(m_xkb);
}

void WaylandSeat::Capabilities(void* data, wl_seat* seat, uint32_t caps) {
    WaylandSeat* self = Self(data);
    static const wl_pointer_listener pointer = {
        .enter = PointerEnter,
        .leave = PointerLeave,
        .motion = PointerMotion,
        .button = PointerButton,
        .axis = IgnoreEvent<wl_pointer*, uint32_t, uint32_t, wl_fixed_t>, // the wheel closes nothing
        .frame = IgnoreEvent<wl_pointer*>,
        .axis_source = IgnoreEvent<wl_pointer*, uint32_t>,
        .axis_stop = IgnoreEvent<wl_pointer*, uint32_t, uint32_t>,
        .axis_discrete = IgnoreEvent<wl_pointer*, uint32_t, int32_t>,
        .axis_value120 = IgnoreEvent<wl_pointer*, uint32_t, int32_t>,
    };
    static const wl_keyboard_listener keyboard = {
        .keymap = Keymap,
        .enter = KeyboardEnter,
        .leave = KeyboardLeave,
        .key = Key,
        .modifiers = Modifiers,
        .repeat_info = IgnoreEvent<wl_keyboard*, int32_t, int32_t>,
    };
    const bool hasPointer = caps & WL_SEAT_CAPABILITY_POINTER, hasKeyboard = caps & WL_SEAT_CAPABILITY_KEYBOARD;
    if (hasPointer && !self->m_pointer) {
        self->m_pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(self->m_pointer, &pointer, self);
    } else if (!hasPointer && self->m_pointer) {
        Drop(self->m_pointer);
        self->m_pointer = nullptr;
        self->m_pointerWindow = nullptr;
    }
    if (hasKeyboard && !self->m_keyboard) {
        self->m_keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(self->m_keyboard, &keyboard, self);
    } else if (!hasKeyboard && self->m_keyboard) {
        Drop(self->m_keyboard);
        self->m_keyboard = nullptr;
        self->m_keyboardWindow = nullptr;
    }
}

void WaylandSeat::SetCursor(HWND hwnd, HCURSOR cursor) {
    m_cursors[hwnd] = cursor;
    if (hwnd == m_pointerWindow) ApplyCursor();
}

void WaylandSeat::Forget(HWND hwnd) {
    m_cursors.erase(hwnd);
    if (m_pointerWindow == hwnd) m_pointerWindow = nullptr;
    if (m_keyboardWindow == hwnd) m_keyboardWindow = nullptr;
}

wl_buffer* WaylandSeat::CursorBuffer(HCURSOR cursor) {
    if (auto it = m_cursorBuffers.find(cursor); it != m_cursorBuffers.end()) return it->second;
    const auto* image = reinterpret_cast<const AfxImageResource*>(cursor);
    const size_t size = static_cast<size_t>(image->width) * static_cast<size_t>(image->height) * 4;
    const int fd = CreateShmFile(size);
    if (fd < 0) return nullptr;
    wl_buffer* buffer = nullptr;
    void* memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory != MAP_FAILED) {
        auto* pixels = static_cast<uint32_t*>(memory);
        for (int i = 0; i < image->width * image->height; ++i) {
            // wl_shm's ARGB is premultiplied.
            const uint32_t p = image->argb[i], a = p >> 24;
            auto channel = [&](int shift) { return ((p >> shift & 0xFF) * a / 255) << shift; };
            pixels[i] = (a << 24) | channel(16) | channel(8) | channel(0);
        }
        munmap(memory, size);
        wl_shm_pool* pool = wl_shm_create_pool(m_connection.Shm(), fd, static_cast<int32_t>(size));
        buffer = wl_shm_pool_create_buffer(pool, 0, image->width, image->height, image->width * 4,
                                           WL_SHM_FORMAT_ARGB8888);
        wl_shm_pool_destroy(pool);
    }
    close(fd);
    if (buffer) m_cursorBuffers[cursor] = buffer;
    return buffer;
}

void WaylandSeat::ApplyCursor() {
    if (!m_pointer || !m_pointerWindow) return;
    const HCURSOR cursor = m_cursors[m_pointerWindow];
    wl_buffer* buffer = cursor ? CursorBuffer(cursor) : nullptr;
    if (!buffer) {
        wl_pointer_set_cursor(m_pointer, m_enterSerial, nullptr, 0, 0); // hidden
        return;
    }
    if (!m_cursorSurface) m_cursorSurface = wl_compositor_create_surface(m_connection.Compositor());
    const auto* image = reinterpret_cast<const AfxImageResource*>(cursor);
    wl_surface_attach(m_cursorSurface, buffer, 0, 0);
    wl_surface_damage_buffer(m_cursorSurface, 0, 0, image->width, image->height);
    wl_surface_commit(m_cursorSurface);
    wl_pointer_set_cursor(m_pointer, m_enterSerial, m_cursorSurface, image->hotspotX, image->hotspotY);
}

bool WaylandSeat::Held(const char* modifier) const {
    return m_keyState && xkb_state_mod_name_is_active(m_keyState, modifier, XKB_STATE_MODS_EFFECTIVE) > 0;
}

WPARAM WaylandSeat::Flags() const {
    return WaylandMouseKeyFlags(m_buttonsHeld, Held(XKB_MOD_NAME_SHIFT), Held(XKB_MOD_NAME_CTRL));
}

void WaylandSeat::PointerEnter(void* data, wl_pointer*, uint32_t serial, wl_surface* surface, int32_t x, int32_t y) {
    WaylandSeat* self = Self(data);
    self->m_pointerWindow = self->m_windows.WindowOfSurface(surface);
    self->m_enterSerial = serial;
    if (!self->m_pointerWindow) return;
    // Where the pointer is, without a move: entering is no motion of the user's.
    self->m_pointerAt = TranslateWaylandMotion(nullptr, x, y, self->m_windows.ScaleOf(self->m_pointerWindow), 0).lParam;
    self->m_windows.PointerEntered(self->m_pointerWindow);
}

void WaylandSeat::PointerLeave(void* data, wl_pointer*, uint32_t, wl_surface*) {
    Self(data)->m_pointerWindow = nullptr;
}

void WaylandSeat::PointerMotion(void* data, wl_pointer*, uint32_t, int32_t x, int32_t y) {
    WaylandSeat* self = Self(data);
    if (!self->m_pointerWindow) return;
    const MSG msg = TranslateWaylandMotion(self->m_pointerWindow, x, y, self->m_windows.ScaleOf(self->m_pointerWindow),
                                           self->Flags());
    self->m_pointerAt = msg.lParam;
    AfxQueueMouseMove(msg);
}

void WaylandSeat::PointerButton(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state) {
    WaylandSeat* self = Self(data);
    const bool pressed = state == WL_POINTER_BUTTON_STATE_PRESSED;
    if (pressed)
        self->m_buttonsHeld |= MouseKeyOfButton(button);
    else
        self->m_buttonsHeld &= ~MouseKeyOfButton(button);
    if (!self->m_pointerWindow) return;
    MSG msg;
    if (TranslateWaylandButton(self->m_pointerWindow, button, pressed,
                               self->Flags(), self->m_pointerAt, &msg))
        AfxQueueInput(msg);
}

void WaylandSeat::Keymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
    WaylandSeat* self = Self(data);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && self->m_xkb) {
        void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (text != MAP_FAILED) {
            xkb_keymap* keymap = xkb_keymap_new_from_string(self->m_xkb, static_cast<const char*>(text),
                                                            XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
            munmap(text, size);
            if (keymap) {
                if (self->m_keyState) xkb_state_unref(self->m_keyState);
                if (self->m_keymap) xkb_keymap_unref(self->m_keymap);
                self->m_keymap = keymap;
                self->m_keyState = xkb_state_new(keymap);
            }
        }
    }
    close(fd);
}

void WaylandSeat::KeyboardEnter(void* data, wl_keyboard*, uint32_t, wl_surface* surface, wl_array*) {
    WaylandSeat* self = Self(data);
    self->m_keyboardWindow = self->m_windows.WindowOfSurface(surface);
}

void WaylandSeat::KeyboardLeave(void* data, wl_keyboard*, uint32_t, wl_surface*) {
    Self(data)->m_keyboardWindow = nullptr;
}

void WaylandSeat::Key(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
    WaylandSeat* self = Self(data);
    if (!self->m_keyboardWindow) return;
    uint32_t sym = 0;
    if (self->m_keymap) {
        // The key's symbol without modifiers, as the window system's virtual keys are.
        const xkb_keysym_t* syms = nullptr;
        if (xkb_keymap_key_get_syms_by_level(self->m_keymap, key + 8, 0, 0, &syms) > 0) sym = syms[0];
    }
    AfxQueueInput(TranslateWaylandKey(self->m_keyboardWindow, key, sym, state == WL_KEYBOARD_KEY_STATE_PRESSED,
                                      self->Held(XKB_MOD_NAME_ALT)));
}

void WaylandSeat::Modifiers(void* data, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched,
                            uint32_t locked, uint32_t group) {
    WaylandSeat* self = Self(data);
    if (self->m_keyState) xkb_state_update_mask(self->m_keyState, depressed, latched, locked, 0, 0, group);
}
