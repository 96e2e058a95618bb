#include "registry_cleaner/views/first_full_backup_dialog.h"

#include "app/views/skin.h"
#include "platform/win32/wide.h"

namespace trenmoor::views {
namespace {

namespace pal = skin::palette;
namespace rc = registry_cleaner;
using platform::win32::Widen;
using skin::S;

constexpr int kHeaderHeight = 40;

}  // namespace

TFirstFullBackupDialog::TFirstFullBackupDialog(HWND owner, AppContext& ctx)
    : owner_(owner), controller_(ctx, [this] {
          Sync();
          UpdateWindow(Handle());
      }) {
    RECT frame{0, 0, S(540), S(190)};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT area{};
    if (owner && IsWindow(owner)) {
        GetWindowRect(owner, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    Create(L"TFirstFullBackupDialog", Widen(rc::kFirstBackupCaption), WS_POPUP | WS_CAPTION | WS_SYSMENU,
           WS_EX_DLGMODALFRAME, area.left + (area.right - area.left - w) / 2,
           area.top + (area.bottom - area.top - h) / 2, w, h, owner);
    RECT client{};
    GetClientRect(Handle(), &client);
    const int bw = S(110), bh = S(25);
    BackupBtn.Create(Handle(), Widen(rc::kBackupNowCaption), (client.right - bw) / 2,
                     client.bottom - bh - S(12), bw, bh);
    MakeTextButton(BackupBtn, Widen(rc::kBackupNowCaption), pal::kPage);
    BackupBtn.OnClick = [this] { BackupBtnClick(); };
}

void TFirstFullBackupDialog::BackupBtnClick() {
    controller_.ButtonClick();
    Sync();
    if (controller_.Closed()) SetVisible(false);
}

void TFirstFullBackupDialog::Sync() {
    const std::wstring caption = Widen(controller_.ButtonCaption());
    if (BackupBtn.Caption() != caption) DrawButtonCaption(0, caption, BackupBtn);
    EnableWindow(BackupBtn.Handle(), controller_.ButtonEnabled());
    BackupBtn.Invalidate();
    Invalidate();
}

void TFirstFullBackupDialog::ShowModal() {
    const bool ownerEnabled = owner_ && IsWindowEnabled(owner_);
    if (ownerEnabled) EnableWindow(owner_, FALSE);
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
    MSG msg;
    bool quit = false;
    while (!controller_.Closed() && IsWindow(Handle())) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (ownerEnabled) EnableWindow(owner_, TRUE);
    SetVisible(false);
    if (owner_) SetActiveWindow(owner_);
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
}

void TFirstFullBackupDialog::Paint(HDC dc, const RECT& r) {
    skin::FillSolid(dc, r, pal::kPage);
    RECT header{0, 0, r.right, S(kHeaderHeight)};
    skin::FillGradient(dc, header, pal::kTitleTop, pal::kTitleBottom);
    DrawIconEx(dc, S(10), S(4), LoadIconW(nullptr, IDI_APPLICATION), S(32), S(32), 0, nullptr, DI_NORMAL);
    RECT title{S(44), 0, r.right - S(10), header.bottom};
    skin::DrawTextIn(dc, Widen(rc::kFirstBackupHeader), title, skin::Face::Heading, pal::kTitleText,
                     DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    int y = header.bottom + S(12);
    for (const std::string_view line : rc::kFirstBackupText) {
        RECT text{S(16), y, r.right - S(16), y + S(18)};
        skin::DrawTextIn(dc, Widen(line), text, skin::Face::Normal, pal::kText, DT_LEFT | DT_SINGLELINE);
        y += S(18);
    }
    if (controller_.MessageVisible()) {
        RECT message{S(16), y + S(8), r.right - S(16), y + S(26)};
        skin::DrawTextIn(dc, Widen(controller_.MessageText()), message, skin::Face::Bold, pal::kAccent,
                         DT_CENTER | DT_SINGLELINE);
    }
}

LRESULT TFirstFullBackupDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintBuffered(Handle(), [this](HDC dc, const RECT& r) { Paint(dc, r); });
            return 0;
        }
        case WM_CLOSE:
            // Closing without "Backup Now" makes no backup; while the export runs the button is disabled.
            if (controller_.ButtonEnabled()) {
                controller_.FormClose();
                SetVisible(false);
            }
            return 0;
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

void ShowFirstFullBackupDialog(HWND owner, AppContext& ctx) {
    TFirstFullBackupDialog dialog(owner, ctx);
    dialog.ShowModal();
}

}  // namespace trenmoor::views
