#pragma once
// TPanel: a plain child area with its own background; hosts controls, pages and tool windows.
#include <functional>
#include <string_view>

#include "app/views/window_base.h"

namespace trenmoor::views {

class TPanel : public WindowBase {
  public:
    bool Create(HWND parent, std::wstring_view name, COLORREF color, int x = 0, int y = 0, int w = 0,
                int h = 0);

    COLORREF Color = RGB(0xFF, 0xFF, 0xFF);
    // Paints over the background (headings, lines); the background is already filled.
    std::function<void(HDC dc, const RECT& r)> OnPaint;
    std::function<void(int x, int y)> OnMouseDown;
    std::function<void(int x, int y)> OnRightClick;
    std::function<void()> OnResize;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    Brush background_;
};

}  // namespace trenmoor::views
