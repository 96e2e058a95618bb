#include "registry_cleaner/views/reg_backup_form.h"

#include <commctrl.h>

#include <algorithm>

#include "app/views/skin.h"
#include "platform/win32/wide.h"

namespace trenmoor::views {
namespace {

namespace pal = skin::palette;
namespace rc = registry_cleaner;
using platform::win32::Widen;
using skin::S;

constexpr int kPartialListId = 201, kFullListId = 202;
constexpr COLORREF kShadedRow = RGB(0xE3, 0xEA, 0xF4);
static_assert(kShadedRow == rc::kShadedRowColor);

HWND MakeList(HWND parent, int id) {
    const HWND list = CreateWindowExW(
        0, WC_LISTVIEWW, L"", WS_CHILD | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0, 0,
        0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"Backup Time");
    column.cx = S(300);
    ListView_InsertColumn(list, 0, &column);
    return list;
}

void FillList(HWND list, const std::vector<rc::BackupFileRow>& rows, std::optional<size_t> selected) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (size_t i = 0; i < rows.size(); ++i) {
        std::wstring caption = Widen(rows[i].caption);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = caption.data();
        ListView_InsertItem(list, &item);
    }
    if (selected && *selected < rows.size()) {
        const int row = static_cast<int>(*selected);
        ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void PaintSheetTab(HDC dc, const RECT& r, const TImageEx& self) {
    const bool selected = self.Tag == 2;
    skin::FillSolid(dc, r, pal::kPage);
    if (selected) {
        skin::RoundGradient(dc, r, S(4), pal::kGroupSelectedTop, pal::kGroupSelectedBottom,
                            pal::kGroupSelectedBottom);
    } else {
        skin::RoundGradient(dc, r, S(4), self.Hovered() ? pal::kGroupHoverTop : pal::kGroupIdleTop,
                            self.Hovered() ? pal::kGroupHoverBottom : pal::kGroupIdleBottom,
                            pal::kGroupBorder);
    }
    skin::DrawTextIn(dc, self.Caption(), r, skin::Face::Bold, selected ? pal::kTitleText : pal::kText,
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace

TRegBackupForm::TRegBackupForm(HWND host, AppContext& ctx)
    : controller_(ctx, [this](bool on) {
          if (on) {
              hint_ = std::make_unique<THintForm>(GetAncestor(Handle(), GA_ROOT));
              hint_->SetTitle(Widen(rc::kRegBackupCaption));
              hint_->SetMessage(Widen(rc::kBackupWaitText));
              hint_->ShowNow();
          } else {
              hint_.reset();
          }
      }) {
    RECT r{};
    GetClientRect(host, &r);
    Create(L"TRegBackupForm", Widen(rc::kRegBackupCaption), WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
           0, 0, r.right, r.bottom, host);
    skin::ApplyRoundRegion(Handle(), 8);
    CreateControls();
    Layout();
}

void TRegBackupForm::CreateControls() {
    const HWND self = Handle();
    PartialSheet.Create(self, L"Partial", 0, 0, 0, 0);
    FullSheet.Create(self, L"Full", 0, 0, 0, 0);
    for (TImageEx* tab : {&PartialSheet, &FullSheet}) {
        tab->HandCursor = true;
        tab->OnPaint = PaintSheetTab;
    }
    PartialSheet.OnClick = [this] { PartialSheetClick(); };
    FullSheet.OnClick = [this] { FullSheetClick(); };

    CreateTextButtons(self, *this, pal::kPage,
                      {{RestorePartialBtn, L"Restore", &TRegBackupForm::RestorePartialBtnClick},
                       {RemovePartialBtn, L"Remove Backup", &TRegBackupForm::RemovePartialBtnClick},
                       {BackupRegistryBtn, L"Create Backup", &TRegBackupForm::BackupRegistryBtnClick},
                       {RestoreRegistryBtn, L"Restore", &TRegBackupForm::RestoreRegistryBtnClick},
                       {RemoveBackupBtn, L"Remove Backup", &TRegBackupForm::RemoveBackupBtnClick}});
    partialList_ = MakeList(self, kPartialListId);
    fullList_ = MakeList(self, kFullListId);
}

void TRegBackupForm::Layout() {
    RECT r{};
    GetClientRect(Handle(), &r);
    const int margin = S(16), tabTop = S(76), tabH = S(26), tabW = S(110);
    PartialSheet.SetBounds(margin, tabTop, tabW, tabH);
    FullSheet.SetBounds(margin + tabW + S(6), tabTop, tabW, tabH);
    const int listTop = tabTop + tabH + S(4);
    const int buttonH = S(25), buttonW = S(110), buttonTop = r.bottom - S(12) - buttonH;
    const int listH = std::max(S(40), buttonTop - S(10) - listTop);
    const int listW = std::max(S(100), static_cast<int>(r.right) - 2 * margin);
    for (HWND list : {partialList_, fullList_}) {
        MoveWindow(list, margin, listTop, listW, listH, TRUE);
        ListView_SetColumnWidth(list, 0, std::max(S(60), listW - S(24)));
    }
    // Buttons from the right edge: Restore and Remove on the Partial sheet; Create, Restore and Remove on
    // the Full sheet.
    int x = r.right - margin - buttonW;
    RemovePartialBtn.SetBounds(x, buttonTop, buttonW, buttonH);
    RemoveBackupBtn.SetBounds(x, buttonTop, buttonW, buttonH);
    x -= buttonW + S(8);
    RestorePartialBtn.SetBounds(x, buttonTop, buttonW, buttonH);
    RestoreRegistryBtn.SetBounds(x, buttonTop, buttonW, buttonH);
    x -= buttonW + S(8);
    BackupRegistryBtn.SetBounds(x, buttonTop, buttonW, buttonH);
}

void TRegBackupForm::Show() {
    ShowWindow(Handle(), SW_SHOW);
    BringWindowToTop(Handle());
    controller_.FormShow();
    Sync();
}

void TRegBackupForm::ShowSheet(Page page) {
    controller_.ShowSheet(page);
    Sync();
}

void TRegBackupForm::Sync() {
    const bool partial = controller_.CurrentPage() == Page::kPartialPage;
    PartialSheet.Tag = partial ? 2 : 0;
    FullSheet.Tag = partial ? 0 : 2;
    PartialSheet.Invalidate();
    FullSheet.Invalidate();
    FillList(partialList_, controller_.Rows(Page::kPartialPage), controller_.Selected(Page::kPartialPage));
    FillList(fullList_, controller_.Rows(Page::kFullPage), controller_.Selected(Page::kFullPage));
    ShowWindow(partialList_, partial ? SW_SHOW : SW_HIDE);
    ShowWindow(fullList_, partial ? SW_HIDE : SW_SHOW);
    RestorePartialBtn.SetVisible(partial);
    RemovePartialBtn.SetVisible(partial);
    BackupRegistryBtn.SetVisible(!partial);
    RestoreRegistryBtn.SetVisible(!partial);
    RemoveBackupBtn.SetVisible(!partial);
}

void TRegBackupForm::TakeSelection(Page page) {
    const HWND list = page == Page::kPartialPage ? partialList_ : fullList_;
    const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    controller_.Select(page, row < 0 ? std::nullopt : std::optional<size_t>(static_cast<size_t>(row)));
}

void TRegBackupForm::RestorePartialBtnClick() {
    TakeSelection(Page::kPartialPage);
    controller_.RestorePartialBtnClick();
    Sync();
}

void TRegBackupForm::RemovePartialBtnClick() {
    TakeSelection(Page::kPartialPage);
    controller_.RemovePartialBtnClick();
    Sync();
}

void TRegBackupForm::BackupRegistryBtnClick() {
    controller_.BackupRegistryBtnClick();
    Sync();
}

void TRegBackupForm::RestoreRegistryBtnClick() {
    TakeSelection(Page::kFullPage);
    controller_.RestoreRegistryBtnClick();
    Sync();
}

void TRegBackupForm::RemoveBackupBtnClick() {
    TakeSelection(Page::kFullPage);
    controller_.RemoveBackupBtnClick();
    Sync();
}

void TRegBackupForm::Paint(HDC dc, const RECT& r) {
    skin::FillSolid(dc, r, pal::kPage);
    RECT title{S(16), S(10), r.right - S(16), S(32)};
    skin::DrawTextIn(dc, Widen(rc::kRegBackupCaption), title, skin::Face::Heading, pal::kHeading,
                     DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    RECT memo{S(16), S(34), r.right - S(16), S(72)};  // Memo1
    skin::DrawTextIn(dc, Widen(rc::kRegBackupIntro), memo, skin::Face::Normal, pal::kText,
                     DT_LEFT | DT_WORDBREAK);
}

LRESULT TRegBackupForm::OnNotify(const NMHDR& header) {
    if (header.idFrom == kPartialListId && header.code == NM_CUSTOMDRAW) {
        auto& draw = const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            // The first, third, fifth ... rows light blue, the others the window colour.
            draw.clrTextBk = rc::IsShadedRow(draw.nmcd.dwItemSpec) ? kShadedRow : GetSysColor(COLOR_WINDOW);
            return CDRF_DODEFAULT;
        }
    }
    return 0;
}

LRESULT TRegBackupForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const auto paint = [this](HDC dc, const RECT& r) { Paint(dc, r); };
    const auto layout = [this] {
        if (partialList_) Layout();
    };
    if (const std::optional<LRESULT> drawn = CanvasMessage(Handle(), msg, paint, layout)) return *drawn;
    switch (msg) {
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lp));
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

std::unique_ptr<app::ToolWindow> MakeRegBackupForm(const ToolHost& host) {
    return std::make_unique<TRegBackupForm>(host.host, host.ctx);
}

}  // namespace trenmoor::views
