#include "registry_cleaner/views/repair_dialog_form.h"

#include "app/views/skin.h"
#include "platform/win32/wide.h"

namespace trenmoor::views {
namespace {

namespace pal = skin::palette;
using skin::S;

constexpr UINT_PTR kAnimationTimer = 1;
constexpr int kFrames = 12;

}  // namespace

TRepairDialogForm::TRepairDialogForm(HWND owner, std::function<void()> onCancel)
    : onCancel_(std::move(onCancel)) {
    const int w = S(380), h = S(150);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    Create(L"TRepairDialogForm", L"Trenmoor", WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN,
           WS_EX_TOPMOST | WS_EX_TOOLWINDOW, x, y, w, h, owner);
    RECT client{};
    GetClientRect(Handle(), &client);
    CancelBtn.Create(Handle(), L"Cancel", client.right - S(97) - S(12), client.bottom - S(23) - S(10), S(97),
                     S(23));
    MakeTextButton(CancelBtn, L"Cancel", pal::kPage);
    CancelBtn.OnClick = [this] {
        if (onCancel_) onCancel_();
        SetVisible(false);
    };
    SetTimer(Handle(), kAnimationTimer, 80, nullptr);
    ShowWindow(Handle(), SW_SHOWNA);
    UpdateWindow(Handle());
}

TRepairDialogForm::~TRepairDialogForm() {
    if (Handle()) KillTimer(Handle(), kAnimationTimer);
}

void TRepairDialogForm::SetRepairText(std::string_view keyPath) {
    repairText_ = platform::win32::Widen(keyPath);
    Invalidate();
}

void TRepairDialogForm::Paint(HDC dc, const RECT& r) {
    skin::FillSolid(dc, r, pal::kPage);
    // The animation: a document travelling from the folder on the left into the bin on the right.
    const int top = S(14), left = S(16), right = r.right - S(16);
    RECT folder{left, top + S(6), left + S(30), top + S(30)};
    skin::RoundGradient(dc, folder, S(4), RGB(0xFF, 0xE0, 0x8A), RGB(0xF2, 0xC1, 0x4E),
                        RGB(0xC8, 0x96, 0x2A));
    RECT bin{right - S(26), top + S(4), right, top + S(32)};
    skin::RoundGradient(dc, bin, S(3), RGB(0xE4, 0xE9, 0xF0), RGB(0xB9, 0xC4, 0xD2), pal::kButtonBorder);
    const int span = (bin.left - S(18)) - folder.right;
    const int x = folder.right + span * frame_ / (kFrames - 1);
    RECT doc{x, top + S(4), x + S(16), top + S(24)};
    skin::RoundGradient(dc, doc, S(2), pal::kPage, RGB(0xE6, 0xEC, 0xF4), pal::kAccent);
    RECT label{left, top + S(44), r.right - S(16), top + S(62)};
    skin::DrawTextIn(dc, L"Repairing:", label, skin::Face::Bold, pal::kText, DT_LEFT | DT_SINGLELINE);
    RECT text{left, label.bottom + S(2), r.right - S(16), label.bottom + S(20)};
    skin::DrawTextIn(dc, repairText_, text, skin::Face::Normal, pal::kText,
                     DT_LEFT | DT_SINGLELINE | DT_PATH_ELLIPSIS);
}

LRESULT TRepairDialogForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_TIMER:
            if (wp == kAnimationTimer) {
                frame_ = (frame_ + 1) % kFrames;
                Invalidate();
                return 0;
            }
            break;
        case WM_PAINT: {
            PaintBuffered(Handle(), [this](HDC dc, const RECT& r) { Paint(dc, r); });
            return 0;
        }
        case WM_CLOSE:
            if (onCancel_) onCancel_();
            SetVisible(false);
            return 0;
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

}  // namespace trenmoor::views
