#pragma once
// The base of every window of the program: registers its window class on first use, creates the
// window and routes its messages to the object. The object owns the window: destroying the object
// destroys the window.
#include <windows.h>

#include <string>
#include <string_view>

#include "app/views/gdi.h"

namespace trenmoor::views {

class WindowBase {
  public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND Handle() const { return hwnd_.get(); }
    void SetBounds(int x, int y, int w, int h) { MoveWindow(Handle(), x, y, w, h, TRUE); }
    void SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE); }
    bool Visible() const { return IsWindowVisible(Handle()) != FALSE; }
    int Width() const;
    int Height() const;
    void Invalidate() { InvalidateRect(Handle(), nullptr, FALSE); }

  protected:
    // Registers `className` (once per process) and creates the window.
    bool Create(std::wstring_view className, std::wstring_view title, DWORD style, DWORD exStyle, int x,
                int y, int w, int h, HWND parent, UINT classStyle = CS_DBLCLKS);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    UniqueHwnd hwnd_;
};

}  // namespace trenmoor::views
