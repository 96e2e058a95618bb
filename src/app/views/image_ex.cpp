#include "app/views/image_ex.h"

#include <windowsx.h>

namespace trenmoor::views {

bool TImageEx::Create(HWND parent, std::wstring_view caption, int x, int y, int w, int h) {
    caption_ = std::wstring(caption);
    return WindowBase::Create(L"TImageEx", caption, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, x, y, w, h,
                              parent);
}

void TImageEx::SetCaption(std::wstring_view caption) {
    caption_ = std::wstring(caption);
    SetWindowTextW(Handle(), caption_.c_str());
    Invalidate();
}

skin::ButtonState TImageEx::State() const {
    if (Tag == 2) return skin::ButtonState::Selected;
    return hovered_ ? skin::ButtonState::Hover : skin::ButtonState::Idle;
}

LRESULT TImageEx::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintDC paint(Handle());
            RECT r{};
            GetClientRect(Handle(), &r);
            MemoryCanvas canvas(paint.get(), r.right, r.bottom);
            if (OnPaint) OnPaint(canvas.get(), r, *this);
            canvas.CopyToTarget();
            return 0;
        }
        case WM_SETCURSOR:
            if (HandCursor && LOWORD(lp) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
            if (!hovered_) {
                hovered_ = true;
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
                TrackMouseEvent(&track);
                if (OnMouseEnter) OnMouseEnter();
                Invalidate();
            }
            return 0;
        case WM_MOUSELEAVE:
            hovered_ = false;
            if (OnMouseLeave) OnMouseLeave();
            Invalidate();
            return 0;
        case WM_LBUTTONDOWN:
            pressed_ = true;
            if (OnMouseDown) {
                // A drag of the window takes the mouse itself; no click follows.
                pressed_ = false;
                OnMouseDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
                return 0;
            }
            SetCapture(Handle());
            return 0;
        case WM_LBUTTONUP: {
            if (!pressed_) return 0;
            pressed_ = false;
            if (GetCapture() == Handle()) ReleaseCapture();
            RECT r{};
            GetClientRect(Handle(), &r);
            const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            if (PtInRect(&r, p) && OnClick) OnClick();
            return 0;
        }
        case WM_CAPTURECHANGED:
            pressed_ = false;
            return 0;
        case WM_RBUTTONUP:
            if (OnRightClick) OnRightClick(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
            return 0;
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

void DrawButtonCaption(int state, std::wstring_view caption, TImageEx& image) {
    image.FaceState = state;
    image.SetCaption(caption);
}

void MakeTextButton(TImageEx& image, std::wstring_view caption, COLORREF background) {
    image.HandCursor = true;
    image.OnPaint = [background](HDC dc, const RECT& r, const TImageEx& self) {
        skin::PaintTextButton(dc, r, self.Caption(), self.FaceState, background);
    };
    image.OnMouseEnter = [&image] { DrawButtonCaption(1, image.Caption(), image); };
    image.OnMouseLeave = [&image] { DrawButtonCaption(0, image.Caption(), image); };
    DrawButtonCaption(0, caption, image);
}

void MakeLinkLabel(TImageEx& image, std::wstring_view caption, COLORREF background, UINT align) {
    image.HandCursor = true;
    image.OnPaint = [background, align](HDC dc, const RECT& r, const TImageEx& self) {
        skin::FillSolid(dc, r, background);
        const bool hot = self.Hovered();
        skin::DrawTextIn(dc, self.Caption(), r, hot ? skin::Face::Underline : skin::Face::Normal,
                         hot ? skin::palette::kLinkHover : skin::palette::kLink,
                         align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    };
    image.SetCaption(caption);
}

void MakeLabel(TImageEx& image, std::wstring_view caption, COLORREF background, skin::Face face,
               COLORREF color, UINT align) {
    image.OnPaint = [background, face, color, align](HDC dc, const RECT& r, const TImageEx& self) {
        skin::FillSolid(dc, r, background);
        skin::DrawTextIn(dc, self.Caption(), r, face, color,
                         align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    };
    image.SetCaption(caption);
}

}  // namespace trenmoor::views
