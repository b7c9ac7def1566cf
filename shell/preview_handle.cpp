#include "shell/preview_handle.h"

#include <cstdint>

HWND ParsePreviewHandle(LPCSTR text) {
    if (!text) return nullptr;
    while (*text == ' ' || *text == '\t') ++text;
    if (*text == '+') ++text;
    uint64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + static_cast<uint64_t>(*text - '0');
        // Cut to a window id a larger number would name some other window.
        if (value > UINT32_MAX) return nullptr;
    }
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
}
