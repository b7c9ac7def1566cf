// Reads the state a test cannot see in a screenshot, from inside the Wine session.
// wine_probe.exe texts <caption>: the texts of the top-level window with that caption and of its
//   controls, one a line in UTF-8; exit 1 when there is no such window.
// wine_probe.exe screen: the primary screen's size, "<width>x<height>".
// wine_probe.exe rect <caption>: that window's rectangle, "<left> <top> <right> <bottom>"; exit 1
//   when there is no such window. wine_probe.exe workarea: the work area's, the same way.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void PrintLine(const std::wstring& text) {
    std::wstring line = text + L"\n";
    int n = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(), n, nullptr, nullptr);
    DWORD written;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    PrintLine(TextOf(child));
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"screen") {
        PrintLine(std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"x" + std::to_wstring(GetSystemMetrics(SM_CYSCREEN)));
        return 0;
    }
    auto printRect = [](const RECT& r) {
        PrintLine(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) + L" " +
                  std::to_wstring(r.bottom));
    };
    RECT rect;
    if (argc == 2 && std::wstring(argv[1]) == L"workarea") {
        if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0)) return 1;
        printRect(rect);
        return 0;
    }
    if (argc != 3) return 2;
    HWND window = FindWindowW(nullptr, argv[2]);
    if (!window) return 1;
    if (std::wstring(argv[1]) == L"rect") {
        if (!GetWindowRect(window, &rect)) return 1;
        printRect(rect);
        return 0;
    }
    if (std::wstring(argv[1]) != L"texts") return 2;
    PrintLine(TextOf(window));
    EnumChildWindows(window, PrintChild, 0);
    return 0;
}
