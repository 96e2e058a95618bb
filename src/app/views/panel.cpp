#include "app/views/panel.h"

#include <windowsx.h>

#include "app/views/skin.h"

namespace trenmoor::views {

bool TPanel::Create(HWND parent, std::wstring_view name, COLORREF color, int x, int y, int w, int h) {
    Color = color;
    return WindowBase::Create(L"TPanel", name, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
                              x, y, w, h, parent);
}

LRESULT TPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintDC paint(Handle());
            RECT r{};
            GetClientRect(Handle(), &r);
            MemoryCanvas canvas(paint.get(), r.right, r.bottom);
            skin::FillSolid(canvas.get(), r, Color);
            if (OnPaint) OnPaint(canvas.get(), r);
            canvas.CopyToTarget();
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT: {
            // Read-only memos and labels take the panel's background.
            const HDC dc = reinterpret_cast<HDC>(wp);
            SetBkColor(dc, Color);
            SetTextColor(dc, skin::palette::kText);
            if (!background_) background_.reset(CreateSolidBrush(Color));
            return reinterpret_cast<LRESULT>(background_.get());
        }
        case WM_SIZE:
            if (OnResize) OnResize();
            return 0;
        case WM_LBUTTONDOWN:
            if (OnMouseDown) OnMouseDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
            return 0;
        case WM_RBUTTONUP:
            if (OnRightClick) OnRightClick(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
            return 0;
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

}  // namespace trenmoor::views
