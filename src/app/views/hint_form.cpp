#include "app/views/hint_form.h"

#include "app/views/skin.h"

namespace trenmoor::views {

THintForm::THintForm(HWND owner) {
    const int w = skin::S(318), h = skin::S(57);
    RECT area{};
    if (owner && IsWindow(owner))
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.left + (area.right - area.left - w) / 2;
    const int y = area.top + (area.bottom - area.top - h) / 2;
    Create(L"THintForm", L"Hint", WS_POPUP | WS_BORDER | WS_DISABLED, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, x, y,
           w, h, owner);
}

void THintForm::SetTitle(std::wstring_view title) {
    title_ = std::wstring(title);
    Invalidate();
}

void THintForm::SetMessage(std::wstring_view text) {
    message_ = std::wstring(text);
    Invalidate();
}

void THintForm::ShowNow() {
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT THintForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintDC paint(Handle());
            RECT r{};
            GetClientRect(Handle(), &r);
            MemoryCanvas canvas(paint.get(), r.right, r.bottom);
            const HDC dc = canvas.get();
            skin::FillSolid(dc, r, GetSysColor(COLOR_BTNFACE));
            // PanelHint: 17 px strip, bold white text on the application-workspace colour.
            RECT strip{0, 0, r.right, skin::S(17)};
            skin::FillSolid(dc, strip, GetSysColor(COLOR_APPWORKSPACE));
            RECT stripText{strip.left + skin::S(6), strip.top, strip.right, strip.bottom};
            skin::DrawTextIn(dc, title_, stripText, skin::Face::Bold, RGB(0xFF, 0xFF, 0xFF),
                             DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            RECT label{skin::S(4), strip.bottom, r.right - skin::S(4), r.bottom};
            skin::DrawTextIn(dc, message_, label, skin::Face::Normal, skin::palette::kNavy,
                             DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            canvas.CopyToTarget();
            return 0;
        }
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

}  // namespace trenmoor::views
