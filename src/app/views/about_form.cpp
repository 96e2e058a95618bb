#include "app/views/about_form.h"

#include "app/views/skin.h"
#include "common/settings.h"
#include "platform/win32/wide.h"

namespace trenmoor::views {
namespace {

using skin::S;
namespace pal = skin::palette;

constexpr int kWidth = 360, kHeight = 220, kDragStrip = 24;

}  // namespace

TAboutForm::TAboutForm(HWND owner, std::wstring homePage, std::function<void()> openHomePage)
    : owner_(owner) {
    const int w = S(kWidth), h = S(kHeight);
    RECT area{};
    if (owner && IsWindow(owner))
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.left + (area.right - area.left - w) / 2;
    const int y = area.top + (area.bottom - area.top - h) / 2;
    Create(L"TAboutForm", L"About", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, x, y, w, h, owner);
    skin::ApplyRoundRegion(Handle(), 12);

    CloseBtn.Create(Handle(), L"", w - S(30), S(2), S(24), S(20));
    CloseBtn.OnPaint = [](HDC dc, const RECT& r, const TImageEx& self) {
        skin::FillGradient(dc, RECT{r.left, r.top - S(2), r.right, r.bottom + S(2)}, pal::kTitleTop,
                           pal::kTitleBottom);
        skin::PaintTitleButton(dc, r, skin::TitleGlyph::Close, self.Hovered());
    };
    CloseBtn.OnClick = [this] { Close(); };

    const std::wstring version = platform::win32::Widen(kProgramVersion);
    abVersion.Create(Handle(), version, S(150), S(84), S(150), S(18));
    MakeLabel(abVersion, version, pal::kPage, skin::Face::Normal, pal::kText);

    abHomeBtn.Create(Handle(), homePage, S(100), S(112), w - S(120), S(18));
    MakeLinkLabel(abHomeBtn, homePage, pal::kPage);
    abHomeBtn.OnClick = std::move(openHomePage);

    const std::wstring support = L"Support: " + platform::win32::Widen(kSupportAddress);
    abSupport.Create(Handle(), support, S(100), S(134), w - S(120), S(18));
    MakeLabel(abSupport, support, pal::kPage, skin::Face::Normal, pal::kMutedText);

    btnOK.Create(Handle(), L"OK", w - S(97) - S(20), h - S(23) - S(18), S(97), S(23));
    MakeTextButton(btnOK, L"OK", pal::kStrip);
    btnOK.OnClick = [this] { Close(); };
}

void TAboutForm::ShowModal() {
    done_ = false;
    showing_ = true;
    const bool ownerWasEnabled = owner_ && IsWindowEnabled(owner_);
    if (ownerWasEnabled) EnableWindow(owner_, FALSE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    MSG msg;
    while (!done_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: leave the quit message for the main loop.
            PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
            break;
        }
        if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) {
            done_ = true;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (ownerWasEnabled) EnableWindow(owner_, TRUE);
    ShowWindow(Handle(), SW_HIDE);
    if (owner_) SetActiveWindow(owner_);
    showing_ = false;
}

LRESULT TAboutForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
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
            RECT top{0, 0, r.right, S(kDragStrip)};
            skin::FillGradient(dc, top, pal::kTitleTop, pal::kTitleBottom);
            RECT topText{S(12), 0, r.right - S(40), top.bottom};
            skin::DrawTextIn(dc, L"About", topText, skin::Face::Bold, pal::kTitleText,
                             DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            RECT bottom{0, r.bottom - S(58), r.right, r.bottom};
            skin::FillSolid(dc, bottom, pal::kStrip);
            RECT line{0, bottom.top, r.right, bottom.top + 1};
            skin::FillSolid(dc, line, pal::kStripLine);
            // The program's tile.
            RECT tile{S(24), S(44), S(24) + S(56), S(44) + S(56)};
            skin::RoundGradient(dc, tile, S(14), pal::kGroupSelectedTop, pal::kGroupSelectedBottom,
                                pal::kGroupSelectedBottom);
            skin::DrawTextIn(dc, L"T", tile, skin::Face::Large, pal::kTitleText,
                             DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            RECT name{S(100), S(44), r.right - S(20), S(78)};
            skin::DrawTextIn(dc, platform::win32::Widen(kProgramName), name, skin::Face::Large, pal::kHeading,
                             DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            RECT versionLabel{S(100), S(84), S(150), S(102)};
            skin::DrawTextIn(dc, L"Version", versionLabel, skin::Face::Normal, pal::kText,
                             DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            canvas.CopyToTarget();
            return 0;
        }
        case WM_LBUTTONDOWN:
            if (HIWORD(lp) < static_cast<unsigned>(S(kDragStrip))) {
                ReleaseCapture();
                SendMessageW(Handle(), WM_SYSCOMMAND, 0xF012, 0);
            }
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

}  // namespace trenmoor::views
