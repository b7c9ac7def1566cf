// A host window as the Windows settings page makes one (its children clipped from its own
// painting): it starts the saver with its own handle
// and ends with the saver's exit code.
// saver_host.exe <saver> <switch> <seconds>: switch "/p" runs "<saver> /p <HWND>" (the preview),
// "/c:" runs "<saver> /c:<HWND>" (the settings button). The host window is destroyed after
// <seconds> (0: never); the host then waits up to 10 s for the saver, and exits with 99 when
// it is still running.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) return 0;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return 2;
    const std::wstring saver = argv[1], mode = argv[2];
    const int seconds = _wtoi(argv[3]);

    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(0, 0, 255)); // blue where the saver does not draw
    wc.lpszClassName = L"QuorvelTestHost";
    RegisterClassW(&wc);
    RECT frame{0, 0, 320, 240}; // the client area the preview must fill
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND host = CreateWindowExW(0, wc.lpszClassName, L"Saver host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 100, 100,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                wc.hInstance, nullptr);
    if (!host) return 3;
    UpdateWindow(host);

    const std::wstring handle = std::to_wstring(reinterpret_cast<uintptr_t>(host));
    std::wstring command = L"\"" + saver + L"\" " + (mode == L"/p" ? L"/p " + handle : L"/c:" + handle);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 4;
    CloseHandle(pi.hThread);

    const DWORD start = GetTickCount();
    DWORD deadline = INFINITE; // set once the host window is gone
    for (;;) {
        DWORD now = GetTickCount();
        if (host && seconds > 0 && now - start >= static_cast<DWORD>(seconds) * 1000) {
            DestroyWindow(host);
            host = nullptr;
            deadline = now + 10000;
        }
        if (deadline != INFINITE && static_cast<LONG>(now - deadline) >= 0) {
            TerminateProcess(pi.hProcess, 98);
            return 99;
        }
        DWORD r = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 100, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) break;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    DWORD code = 97;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}
