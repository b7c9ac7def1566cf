// The Win32 calls the platform layer makes, behind neutral types. <windows.h> and the framework's
// own Windows types cannot meet in one translation unit, so the native_*.cpp files include only
// the system headers and the win32_*.cpp adapters only the framework's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace w32 {

// ---- text ----
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);

// ---- windows (native_window.cpp) ----
struct ClassSpec {
    unsigned style = 0;
    unsigned cursorId = 0; // resource id; 0: no class cursor
    unsigned iconId = 0;
    bool blackBackground = false;
};

// Called by the window procedure for every message of a window made by CreateWindow. Returns
// true with *result set when the framework handled the message (or routed it to DefWindowProc).
using MessageHook = bool (*)(void* hwnd, unsigned message, uintptr_t wParam, intptr_t lParam,
                             intptr_t* result);
void SetMessageHook(MessageHook hook);

void* MakeWindow(const ClassSpec& cls, const std::string& title, uint32_t style, uint32_t exStyle,
                   int x, int y, int width, int height, void* parent);
// Destroys a window without its messages reaching the framework (it ran its own destroy steps).
void DestroyWindowQuietly(void* hwnd);
bool IsQuietlyDestroying(void* hwnd);
bool IsWindow(void* hwnd);
bool GetClientRect(void* hwnd, int* width, int* height);
int GetSystemMetrics(int index);
intptr_t DefaultProc(void* hwnd, unsigned message, uintptr_t wParam, intptr_t lParam);
void EraseWithClassBrush(void* hwnd);
// 0 hides the pointer.
void SetCursorResource(unsigned cursorId);
// Copies a palette bitmap (rows top to bottom) stretched onto a rectangle of the window.
bool StretchPaletteBitmap(void* hwnd, int dx, int dy, int dw, int dh, const uint8_t* pixels,
                          const uint32_t* palette, int paletteSize, int width, int height, int sx,
                          int sy, int sw, int sh);
// Copies the columns x .. x + width of whole rows of 0xAARRGGBB pixels (`rows`, `stride` pixels
// each) to the window at (x, y).
bool SetPixels(void* hwnd, int x, int y, int width, int height, const uint32_t* rows, int stride);

// ---- message queue (native_queue.cpp) ----
bool Post(void* hwnd, unsigned message, uintptr_t wParam, intptr_t lParam);
void PostQuit(int exitCode);
// Runs the thread's message loop, each message through its window procedure, until the quit
// message; returns its exit code.
int RunUntilQuit();
uintptr_t SetTimer(void* hwnd, uintptr_t id, unsigned elapse);
bool KillTimer(void* hwnd, uintptr_t id);
void InvalidateWindow(void* hwnd);
void ValidateWindow(void* hwnd);

// ---- display settings (native_display.cpp) ----
struct Mode {
    uint32_t width = 0, height = 0, bitsPerPixel = 0, frequency = 0, displayFlags = 0;
};
std::vector<Mode> ListModes();
bool CurrentMode(Mode* mode);
// ChangeDisplaySettingsW with flags 0; null returns to the mode stored in the system.
long ChangeMode(const Mode* mode);
int ScreenDepth();

// ---- private profile (native_profile.cpp) ----
int ReadProfileInt(const std::string& section, const std::string& key, int def, const std::string& file);
// The "key=value" lines of a section, as GetPrivateProfileSectionW gives them.
std::vector<std::string> ReadProfileSection(const std::string& section, const std::string& file);
bool WriteProfileText(const std::string& section, const std::string* key, const std::string* value,
                        const std::string& file);
// A profile file in the user's own application-data folder, for where the Windows directory
// cannot be written; empty when the folder is unknown.
std::string PerUserProfilePath(const std::string& fileName);
bool FileExists(const std::string& path);

// ---- dialogs (native_dialog.cpp) ----
enum class ItemKind { Button, Edit, Static, ComboBox, UpDown, Trackbar };
struct ItemSpec {
    ItemKind kind;
    int id;
    std::string text;
    short x, y, cx, cy;
    uint32_t style;
    unsigned imageId; // SS_BITMAP: the bitmap resource shown
};
struct DialogSpec {
    std::string caption;
    short cx, cy;
    uint32_t style;
    std::string fontName;
    uint16_t pointSize;
    std::vector<ItemSpec> items;
};
class DialogSink {
public:
    virtual ~DialogSink() = default;
    virtual void Command(int id, unsigned code) = 0;
    virtual void Scroll(int id, unsigned code) = 0;
    virtual void Close() = 0;
};
// The dialog made by the system's dialog manager from an in-memory template, hidden.
void* MakeDialog(const DialogSpec& layout, void* owner, DialogSink* sink);
// Shows the dialog and runs its modal loop (owner disabled) until EndModal.
void RunModal(void* dialog, void* owner, const bool* ended);
void DestroyDialog(void* dialog);
void CenterDialog(void* dialog, void* owner);
intptr_t SendItemMessage(void* dialog, int id, unsigned message, uintptr_t wParam, intptr_t lParam);
intptr_t AddComboString(void* dialog, int id, const std::string& text);
void SetItemText(void* dialog, int id, const std::string& text);
std::string GetItemText(void* dialog, int id);
void SetItemFocus(void* dialog, int id);
int ShowMessageBox(void* owner, const std::string& text, const std::string& caption, unsigned type);

// ---- OpenGL (native_wgl.cpp) ----
struct GlContext;
struct GlFormat {
    int red = 0, green = 0, blue = 0;
    bool generic = false; // the system's own software implementation, not a driver's
};
// An OpenGL 3.3 core context on the window's device context (its pixel format set on first use),
// current on the calling thread with the GL functions loaded. Null when none can be made.
GlContext* CreateGlContext(void* hwnd, GlFormat* format);
bool MakeGlCurrent(GlContext* context);
bool SwapGlBuffers(GlContext* context);
void DestroyGlContext(GlContext* context);
// A window of its own that nobody sees, for trying the driver out.
void* MakeHiddenWindow();
void DestroyHiddenWindow(void* hwnd);

} // namespace w32
