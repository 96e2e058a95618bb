#pragma once
// Move-only owners for window and GDI handles, and the scoped device-context helpers painting needs.
#include <windows.h>

#include <optional>
#include <utility>

namespace trenmoor::views {

// A GDI object (font, brush, pen, bitmap, region) deleted with DeleteObject.
template <typename H>
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(H handle) : handle_(handle) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~GdiObject() { reset(); }

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    H release() { return std::exchange(handle_, nullptr); }
    void reset(H handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }

  private:
    H handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

// A window destroyed with DestroyWindow.
class UniqueHwnd {
  public:
    UniqueHwnd() = default;
    explicit UniqueHwnd(HWND hwnd) : hwnd_(hwnd) {}
    UniqueHwnd(const UniqueHwnd&) = delete;
    UniqueHwnd& operator=(const UniqueHwnd&) = delete;
    UniqueHwnd(UniqueHwnd&& other) noexcept : hwnd_(std::exchange(other.hwnd_, nullptr)) {}
    UniqueHwnd& operator=(UniqueHwnd&& other) noexcept {
        if (this != &other) reset(std::exchange(other.hwnd_, nullptr));
        return *this;
    }
    ~UniqueHwnd() { reset(); }
    HWND get() const { return hwnd_; }
    HWND release() { return std::exchange(hwnd_, nullptr); }
    void reset(HWND hwnd = nullptr) {
        if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
        hwnd_ = hwnd;
    }

  private:
    HWND hwnd_ = nullptr;
};

// GetDC / ReleaseDC.
class WindowDC {
  public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
  public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(hwnd_, &ps_); }
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects an object into a DC for one scope and puts the previous one back.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() { SelectObject(dc_, old_); }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// Off-screen drawing surface of one size; copied to the target at the end of a paint, so controls
// never flicker while their layers are drawn.
class MemoryCanvas {
  public:
    MemoryCanvas(HDC target, int width, int height)
        : target_(target),
          width_(width),
          height_(height),
          dc_(CreateCompatibleDC(target)),
          bitmap_(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)),
          old_(SelectObject(dc_, bitmap_.get())) {}
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    ~MemoryCanvas() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    HDC get() const { return dc_; }
    void CopyToTarget() const { BitBlt(target_, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY); }

  private:
    HDC target_;
    int width_, height_;
    HDC dc_;
    Bitmap bitmap_;
    HGDIOBJ old_;
};

// A WM_PAINT answered through an off-screen bitmap, so repaints never flicker: `paint(dc, clientRect)`.
template <class PaintFn>
void PaintBuffered(HWND hwnd, PaintFn&& paint) {
    PaintDC dc(hwnd);
    RECT r{};
    GetClientRect(hwnd, &r);
    MemoryCanvas canvas(dc.get(), r.right, r.bottom);
    paint(canvas.get(), r);
    canvas.CopyToTarget();
}

// The drawing messages a hosted tool window answers alike: no background erase (the whole page is
// painted), WM_PAINT through PaintBuffered, WM_SIZE lays the controls out. The result for the first two;
// nothing for WM_SIZE (the default handling follows) and for every other message.
template <class PaintFn, class LayoutFn>
std::optional<LRESULT> CanvasMessage(HWND hwnd, UINT msg, PaintFn&& paint, LayoutFn&& layout) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintBuffered(hwnd, paint);
            return 0;
        case WM_SIZE:
            layout();
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace trenmoor::views
