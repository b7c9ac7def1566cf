#include "platform/win32/native.h"

#include <windows.h>

#include <glad/gl.h>
#include <glad/wgl.h>

namespace w32 {

struct GlContext {
    HWND window;
    HDC dc;
    HGLRC context;
};

namespace {

// The window keeps its pixel format for life: a format set before (by an earlier device) is used.
bool UsePixelFormat(HDC dc, GlFormat* format) {
    int index = GetPixelFormat(dc);
    if (index == 0) {
        PIXELFORMATDESCRIPTOR wanted{};
        wanted.nSize = sizeof wanted;
        wanted.nVersion = 1;
        wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        wanted.iPixelType = PFD_TYPE_RGBA;
        wanted.cColorBits = 24;
        wanted.cDepthBits = 24;
        wanted.iLayerType = PFD_MAIN_PLANE;
        index = ChoosePixelFormat(dc, &wanted);
        PIXELFORMATDESCRIPTOR chosen{};
        if (index == 0 || !DescribePixelFormat(dc, index, sizeof chosen, &chosen) ||
            !SetPixelFormat(dc, index, &chosen))
            return false;
    }
    PIXELFORMATDESCRIPTOR pfd{};
    if (!DescribePixelFormat(dc, index, sizeof pfd, &pfd)) return false;
    format->red = pfd.cRedBits;
    format->green = pfd.cGreenBits;
    format->blue = pfd.cBlueBits;
    format->generic = (pfd.dwFlags & PFD_GENERIC_FORMAT) && !(pfd.dwFlags & PFD_GENERIC_ACCELERATED);
    return (pfd.dwFlags & PFD_SUPPORT_OPENGL) && pfd.cDepthBits >= 16;
}

// Core contexts are made through an extension, which only a current context can load.
HGLRC CreateCoreContext(HDC dc) {
    HGLRC legacy = wglCreateContext(dc);
    if (!legacy) return nullptr;
    HGLRC core = nullptr;
    if (wglMakeCurrent(dc, legacy) && gladLoaderLoadWGL(dc) && GLAD_WGL_ARB_create_context &&
        GLAD_WGL_ARB_create_context_profile) {
        const int attributes[] = {WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB, 3,
                                  WGL_CONTEXT_PROFILE_MASK_ARB, WGL_CONTEXT_CORE_PROFILE_BIT_ARB, 0};
        core = wglCreateContextAttribsARB(dc, nullptr, attributes);
    }
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(legacy);
    return core;
}

LRESULT CALLBACK HiddenProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

GlContext* CreateGlContext(void* hwnd, GlFormat* format) {
    HWND window = static_cast<HWND>(hwnd);
    HDC dc = GetDC(window);
    if (!dc) return nullptr;
    HGLRC context = UsePixelFormat(dc, format) ? CreateCoreContext(dc) : nullptr;
    if (!context || !wglMakeCurrent(dc, context) || !gladLoaderLoadGL()) {
        if (context) {
            wglMakeCurrent(nullptr, nullptr);
            wglDeleteContext(context);
        }
        ReleaseDC(window, dc);
        return nullptr;
    }
    // One frame per tick: waiting for the vertical blank would only hold the scene lock longer.
    if (GLAD_WGL_EXT_swap_control) wglSwapIntervalEXT(0);
    return new GlContext{window, dc, context};
}

bool MakeGlCurrent(GlContext* c) {
    return wglGetCurrentContext() == c->context || wglMakeCurrent(c->dc, c->context);
}

bool SwapGlBuffers(GlContext* c) { return SwapBuffers(c->dc) != FALSE; }

void DestroyGlContext(GlContext* c) {
    if (!c) return;
    if (wglGetCurrentContext() == c->context) wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(c->context);
    ReleaseDC(c->window, c->dc);
    delete c;
}

void* MakeHiddenWindow() {
    static const wchar_t kClass[] = L"QuorvelHiddenGl";
    WNDCLASSW cls{};
    cls.style = CS_OWNDC;
    cls.lpfnWndProc = HiddenProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = kClass;
    RegisterClassW(&cls); // fails harmlessly when already registered
    return CreateWindowExW(0, kClass, L"", WS_POPUP, 0, 0, 16, 16, nullptr, nullptr, cls.hInstance, nullptr);
}

void DestroyHiddenWindow(void* hwnd) {
    if (hwnd) DestroyWindow(static_cast<HWND>(hwnd));
}

} // namespace w32
