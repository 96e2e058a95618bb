#include "gui/gui_support.h"

#include <vector>

#include "gui/png_writer.h"

namespace trenmoor::testing {
namespace {

// The screenshot folder as a path the program can open: under Wine a host path is reached through
// wine_get_dos_file_name (the test prefixes have no Z: drive).
std::wstring ScreenshotFolder() {
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD n = GetEnvironmentVariableW(L"TRENMOOR_SCREENSHOTS", buffer, MAX_PATH * 2);
    std::wstring folder = n > 0 && n < MAX_PATH * 2 ? std::wstring(buffer, n) : L"screenshots";
    if (!folder.empty() && folder[0] == L'/') {
        using ToDos = WCHAR*(CDECL*)(LPCSTR);
        const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
        if (toDos) {
            std::string unixPath(folder.begin(), folder.end());
            if (WCHAR* dos = toDos(unixPath.c_str())) {
                folder = dos;
                HeapFree(GetProcessHeap(), 0, dos);
            }
        }
    }
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

void Pump(int ms) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount64() < end);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (!done()) {
        if (GetTickCount64() >= end) return false;
        Pump(10);
    }
    return true;
}

void Click(HWND control) {
    RECT r{};
    GetClientRect(control, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    SendMessageW(control, WM_MOUSEMOVE, 0, at);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(control, WM_LBUTTONUP, 0, at);
    // The pointer moves on, as a user's would; the control may be gone after its click.
    if (IsWindow(control)) SendMessageW(control, WM_MOUSELEAVE, 0, 0);
}

void Hover(HWND control) {
    SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
}
void Leave(HWND control) {
    SendMessageW(control, WM_MOUSELEAVE, 0, 0);
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    const int n = GetClassNameW(hwnd, name, 256);
    return std::wstring(name, n > 0 ? n : 0);
}

std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    const int n = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(n > 0 ? n : 0);
    return text;
}

HWND TopVisibleChild(HWND parent) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) return child;
    return nullptr;
}

int CountChildren(HWND parent) {
    int n = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++n;
    return n;
}

std::wstring SaveScreenshot(HWND hwnd, const std::wstring& name) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(150);
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return {};
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    const auto* px = static_cast<const uint8_t*>(bits);
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
        rgb[i * 3] = px[i * 4 + 2];
        rgb[i * 3 + 1] = px[i * 4 + 1];
        rgb[i * 3 + 2] = px[i * 4];
    }
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    const std::wstring path = ScreenshotFolder() + L"\\" + name + L".png";
    return WritePng(path, w, h, rgb) ? path : std::wstring();
}

COLORREF ScreenPixel(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

}  // namespace trenmoor::testing
