#include "app/views/placeholder_tool_form.h"

#include "app/views/skin.h"

namespace trenmoor::views {

namespace pal = skin::palette;
using skin::S;

TPlaceholderToolForm::TPlaceholderToolForm(HWND host, std::wstring_view windowClass,
                                           std::wstring_view caption)
    : caption_(caption) {
    RECT r{};
    GetClientRect(host, &r);
    Create(windowClass, caption, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, r.right, r.bottom,
           host);
    skin::ApplyRoundRegion(Handle(), 8);
}

void TPlaceholderToolForm::Show() {
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    Invalidate();
}

LRESULT TPlaceholderToolForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintDC paint(Handle());
            RECT r{};
            GetClientRect(Handle(), &r);
            MemoryCanvas canvas(paint.get(), r.right, r.bottom);
            const HDC dc = canvas.get();
            skin::FillSolid(dc, r, pal::kPage);
            RECT header{0, 0, r.right, S(46)};
            skin::FillGradient(dc, header, RGB(0xF7, 0xF9, 0xFC), RGB(0xE9, 0xEF, 0xF6));
            RECT line{0, header.bottom - 1, r.right, header.bottom};
            skin::FillSolid(dc, line, pal::kPageLine);
            RECT title{S(18), 0, r.right - S(18), header.bottom};
            skin::DrawTextIn(dc, caption_, title, skin::Face::Heading, pal::kHeading,
                             DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            RECT body{S(18), header.bottom + S(18), r.right - S(18), header.bottom + S(40)};
            skin::DrawTextIn(dc, kNotBuiltYet, body, skin::Face::Normal, pal::kMutedText,
                             DT_LEFT | DT_TOP | DT_SINGLELINE);
            canvas.CopyToTarget();
            return 0;
        }
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

}  // namespace trenmoor::views
