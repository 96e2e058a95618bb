#include "app/views/window_base.h"

#include <set>

namespace trenmoor::views {

WindowBase::~WindowBase() {
    if (HWND hwnd = hwnd_.get(); hwnd && IsWindow(hwnd)) {
        // The object is going: no message may reach it while the window is torn down.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    hwnd_.reset();
}

int WindowBase::Width() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return r.right - r.left;
}

int WindowBase::Height() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return r.bottom - r.top;
}

bool WindowBase::Create(std::wstring_view className, std::wstring_view title, DWORD style, DWORD exStyle,
                        int x, int y, int w, int h, HWND parent, UINT classStyle) {
    static std::set<std::wstring, std::less<>> registered;
    const std::wstring name(className);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registered.contains(name)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = classStyle;
        wc.lpfnWndProc = &WindowBase::Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        wc.lpszClassName = name.c_str();
        if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
        registered.insert(name);
    }
    const std::wstring text(title);
    HWND hwnd = CreateWindowExW(exStyle, name.c_str(), text.c_str(), style, x, y, w, h, parent, nullptr,
                                instance, this);
    return hwnd != nullptr;  // WM_NCCREATE has already tied the window to this object
}

LRESULT WindowBase::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(Handle(), msg, wp, lp);
}

LRESULT CALLBACK WindowBase::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_.release();
        self->hwnd_.reset(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        // The window is gone (destroyed by its parent or by the system): forget it.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        const LRESULT result = self->HandleMessage(msg, wp, lp);
        (void)self->hwnd_.release();
        return result;
    }
    return self->HandleMessage(msg, wp, lp);
}

}  // namespace trenmoor::views
