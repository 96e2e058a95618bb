#include "registry_cleaner/views/registry_cleaner_form.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/views/dm_view.h"
#include "app/views/skin.h"
#include "platform/win32/wide.h"
#include "registry_cleaner/cleaner_texts.h"
#include "registry_cleaner/sections/section_table.h"
#include "registry_cleaner/views/first_full_backup_dialog.h"

namespace trenmoor::views {
namespace {

namespace pal = skin::palette;
namespace rc = registry_cleaner;
using platform::win32::Widen;
using skin::S;

constexpr UINT kSyncMessage = WM_APP + 41;
constexpr int kGridId = 101, kProblemsId = 102, kFinishId = 103, kDetailsId = 104;
constexpr COLORREF kSelectedRowBack = RGB(0xE3, 0xEE, 0xFB);
constexpr COLORREF kSelectedRowFrame = RGB(0x2A, 0x62, 0xAC);
constexpr COLORREF kToolBar = RGB(0xF1, 0xF4, 0xF8);

HWND MakeChild(const wchar_t* cls, DWORD style, DWORD exStyle, HWND parent, int id) {
    return CreateWindowExW(exStyle, cls, L"", WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           nullptr);
}

void AddColumn(HWND list, int index, const wchar_t* text, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(text);
    column.cx = width;
    ListView_InsertColumn(list, index, &column);
}

void SetColumnText(HWND list, int index, const std::wstring& text) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<wchar_t*>(text.c_str());
    ListView_SetColumn(list, index, &column);
}

void SetShown(HWND hwnd, bool visible) {
    // The control's own style, not IsWindowVisible: before the form is shown every child reads as
    // hidden, and a control meant to be hidden would then appear with the form.
    const bool shown = (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != visible) ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void SetShown(TImageEx& image, bool visible) {
    SetShown(image.Handle(), visible);
}

// Picture of a section's state: an outlined square, ticked when selected, animated while scanned.
void PaintStateBox(HDC dc, RECT box, rc::SectionImage image, int frame) {
    COLORREF fill = pal::kPage, border = pal::kButtonBorder;
    switch (image) {
        case rc::SectionImage::Scanning: {
            const int step = frame - kStatFrameFirst;
            fill = RGB(0x9C + step * 10, 0xC4 + step * 6, 0xF2);
            border = pal::kAccent;
            break;
        }
        case rc::SectionImage::Clean:
            fill = RGB(0x3C, 0xA5, 0x5C);
            border = RGB(0x2A, 0x7D, 0x44);
            break;
        case rc::SectionImage::Problems:
            fill = RGB(0xD9, 0x3F, 0x3F);
            border = RGB(0xA8, 0x2A, 0x2A);
            break;
        case rc::SectionImage::NotBuilt:
            fill = RGB(0xE1, 0xE4, 0xE8);
            break;
        default:
            break;
    }
    skin::RoundGradient(dc, box, S(3), fill, fill, border);
    if (image == rc::SectionImage::Selected || image == rc::SectionImage::Clean) {
        const COLORREF tick = image == rc::SectionImage::Clean ? pal::kPage : pal::kAccent;
        Pen pen(CreatePen(PS_SOLID, std::max(1, S(2)), tick));
        SelectGuard guard(dc, pen.get());
        MoveToEx(dc, box.left + S(3), box.top + S(7), nullptr);
        LineTo(dc, box.left + S(6), box.top + S(10));
        LineTo(dc, box.left + S(11), box.top + S(3));
    }
    if (image == rc::SectionImage::Problems) {
        Pen pen(CreatePen(PS_SOLID, std::max(1, S(2)), pal::kPage));
        SelectGuard guard(dc, pen.get());
        MoveToEx(dc, box.left + S(7), box.top + S(3), nullptr);
        LineTo(dc, box.left + S(7), box.top + S(8));
        MoveToEx(dc, box.left + S(7), box.top + S(10), nullptr);
        LineTo(dc, box.left + S(7), box.top + S(11));
    }
}

void PaintCheckBox(HDC dc, RECT box, bool checked) {
    skin::RoundGradient(dc, box, S(2), pal::kPage, RGB(0xEE, 0xF2, 0xF7), pal::kButtonBorder);
    if (!checked) return;
    Pen pen(CreatePen(PS_SOLID, std::max(1, S(2)), pal::kAccent));
    SelectGuard guard(dc, pen.get());
    MoveToEx(dc, box.left + S(3), box.top + S(7), nullptr);
    LineTo(dc, box.left + S(6), box.top + S(10));
    LineTo(dc, box.left + S(12), box.top + S(3));
}

}  // namespace

TRegistryCleanerForm::TRegistryCleanerForm(HWND host, AppContext& ctx, TDM& dm, TDMView& dmView,
                                           app::NavigationController& navigation)
    : ctx_(ctx), dm_(dm), dmView_(dmView), navigation_(navigation), controller_(ctx, Hooks()) {
    RECT r{};
    GetClientRect(host, &r);
    Create(L"TRegistryCleanerForm", Widen(rc::kCleanerCaption), WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
           0, 0, 0, r.right, r.bottom, host);
    skin::ApplyRoundRegion(Handle(), 8);
    CreateControls();
    Layout();
    Sync();
}

TRegistryCleanerForm::~TRegistryCleanerForm() {
    if (dm_.Display == this) dm_.Display = nullptr;
    if (problemsList_) RemoveWindowSubclass(problemsList_, &ProblemsListProc, 1);
}

rc::CleanerHooks TRegistryCleanerForm::Hooks() {
    rc::CleanerHooks h;
    h.scanStarted = [this] { navigation_.RegistryScanDone = true; };
    h.busyChanged = [this](bool on) {
        if (on) {
            dm_.Display = this;
            dm_.ScanStartTick = ctx_.platform.clock().tickMs();
            dm_.ScanFrame = kStatFrameFirst;
            dm_.ProblemsFound = [this] { return controller_.RunningTotal(); };
            scanTime_ = std::string(rc::kScanTimeIdle);
        }
        // The scan timer being on is what tells the main window that a registry scan runs.
        dm_.ScanTimer.SetEnabled(on);
        dm_.ScanTimerEx.SetEnabled(on);
        if (!on) {
            dm_.ProblemsFound = nullptr;
            if (dm_.Display == this) dm_.Display = nullptr;
            scanTime_ = controller_.ScanTimeText();
        }
        RequestSync();
    };
    h.showFirstBackupDialog = [this] { ShowFirstFullBackupDialog(GetAncestor(Handle(), GA_ROOT), ctx_); };
    h.showRepairDialog = [this](bool on) {
        if (on) {
            repairDialog_ = std::make_unique<TRepairDialogForm>(GetAncestor(Handle(), GA_ROOT),
                                                                [this] { controller_.CancelRepair(); });
        } else {
            repairDialog_.reset();
        }
    };
    h.repairProgress = [this](std::string_view keyPath) {
        if (repairDialog_) repairDialog_->SetRepairText(keyPath);
    };
    h.changed = [this] { RequestSync(); };
    return h;
}

void TRegistryCleanerForm::CreateControls() {
    const HWND self = Handle();
    for (int n = 1; n <= rc::kSectionCount; ++n) {
        TImageEx& pic = picSection[static_cast<size_t>(n)];
        pic.Create(self, Widen(rc::SectionByNumber(n)->caption), 0, 0, 0, 0);
        pic.HandCursor = true;
        pic.OnPaint = [this, n](HDC dc, const RECT& r, const TImageEx&) { PaintSection(dc, r, n); };
        pic.OnClick = [this, n] { controller_.SectionClick(n); };
    }
    cbSelectAll.Create(self, L"", 0, 0, 0, 0);
    cbSelectAll.OnPaint = [this](HDC dc, const RECT& r, const TImageEx&) {
        skin::FillSolid(dc, r, kToolBar);
        PaintCheckBox(dc, r, controller_.SelectAllChecked());
    };
    cbSelectAll.OnClick = [this] { cbSelectAllClick(); };
    abSelectAll.Create(self, Widen(rc::kSelectAllLabel), 0, 0, 0, 0);
    MakeLabel(abSelectAll, Widen(rc::kSelectAllLabel), kToolBar, skin::Face::Normal, pal::kText);
    abSelectAll.OnClick = [this] { abSelectAllClick(); };
    abShowHideDetails.Create(self, L"Hide Details", 0, 0, 0, 0);
    MakeLinkLabel(abShowHideDetails, L"Hide Details", pal::kPage, DT_RIGHT);
    abShowHideDetails.OnClick = [this] { abShowHideDetailsClick(); };

    CreateTextButtons(self, *this, kToolBar,
                      {{ScanNowBtn, L"Scan Now", &TRegistryCleanerForm::ScanNowBtnClick},
                       {AbortScanBtn, L"Abort", &TRegistryCleanerForm::AbortScanBtnClick},
                       {RepairBtn, L"Repair", &TRegistryCleanerForm::RepairBtnClick},
                       {FinishBtn, L"Finish", &TRegistryCleanerForm::FinishBtnClick}});

    pbItemsProcessed_ = MakeChild(PROGRESS_CLASSW, 0, 0, self, 0);
    pbTotalProcess_ = MakeChild(PROGRESS_CLASSW, 0, 0, self, 0);
    SendMessageW(pbItemsProcessed_, PBM_SETRANGE32, 0, 100);
    SendMessageW(pbTotalProcess_, PBM_SETRANGE32, 0, 100);

    repairGrid_ =
        MakeChild(WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER, 0, self, kGridId);
    ListView_SetExtendedListViewStyle(repairGrid_, LVS_EX_FULLROWSELECT);
    AddColumn(repairGrid_, 0, L"Section Name", S(200));
    AddColumn(repairGrid_, 1, L"Problems Found", S(140));

    problemsList_ = MakeChild(
        WC_LISTBOXW,
        LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER, 0, self,
        kProblemsId);
    SetWindowSubclass(problemsList_, &ProblemsListProc, 1, reinterpret_cast<DWORD_PTR>(this));
    detailsMemo_ =
        MakeChild(WC_EDITW, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, 0, self, kDetailsId);
    SendMessageW(detailsMemo_, WM_SETFONT, reinterpret_cast<WPARAM>(skin::GetFont(skin::Face::Normal)),
                 FALSE);

    finishList_ =
        MakeChild(WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | WS_BORDER, 0, self, kFinishId);
    ListView_SetExtendedListViewStyle(finishList_, LVS_EX_FULLROWSELECT);
    AddColumn(finishList_, 0, L"Registry Name", S(320));
    AddColumn(finishList_, 1, L"Status", S(140));
}

void TRegistryCleanerForm::Layout() {
    RECT r{};
    GetClientRect(Handle(), &r);
    const int w = r.right, h = r.bottom;
    const int toolTop = h - S(34);
    const int colWidth = (w - S(24)) / 2;
    for (int n = 1; n <= rc::kSectionCount; ++n) {
        const int index = n - 1, column = index / 9, row = index % 9;
        picSection[static_cast<size_t>(n)].SetBounds(S(12) + column * colWidth, S(66) + row * S(19),
                                                     colWidth - S(6), S(18));
    }
    MoveWindow(pbItemsProcessed_, S(12), S(264), w - S(24), S(6), TRUE);
    MoveWindow(pbTotalProcess_, S(12), S(296), w - S(24), S(14), TRUE);

    MoveWindow(repairGrid_, S(8), S(64), w - S(16), S(86), TRUE);
    ListView_SetColumnWidth(repairGrid_, 1, S(140));
    // The first column takes the grid width minus the count column and 20.
    ListView_SetColumnWidth(repairGrid_, 0, std::max(S(60), w - S(16) - S(140) - S(20)));
    abShowHideDetails.SetBounds(w - S(8) - S(90), S(154), S(90), S(18));
    const int listTop = S(174), listHeight = toolTop - S(4) - listTop;
    const int listWidth = controller_.DetailsVisible() ? (w - S(16)) * 3 / 5 : w - S(16);
    MoveWindow(problemsList_, S(8), listTop, listWidth, listHeight, TRUE);
    SendMessageW(problemsList_, LB_SETITEMHEIGHT, 0, S(rc::kProblemRowHeight));
    MoveWindow(detailsMemo_, S(8) + listWidth + S(6), listTop + S(20), w - S(8) - (S(8) + listWidth + S(6)),
               listHeight - S(20), TRUE);

    MoveWindow(finishList_, S(8), S(64), w - S(16), toolTop - S(4) - S(64), TRUE);
    ListView_SetColumnWidth(finishList_, 0, std::max(S(60), w - S(16) - S(130) - S(24)));
    ListView_SetColumnWidth(finishList_, 1, S(130));

    cbSelectAll.SetBounds(S(12), toolTop + S(10), S(15), S(15));
    abSelectAll.SetBounds(S(32), toolTop + S(8), S(70), S(19));
    for (TImageEx* b : {&ScanNowBtn, &AbortScanBtn, &RepairBtn, &FinishBtn}) {
        b->SetBounds(w - S(12) - S(97), toolTop + S(6), S(97), S(23));
    }
}

void TRegistryCleanerForm::RequestSync() {
    if (syncPending_ || !Handle()) return;
    syncPending_ = true;
    PostMessageW(Handle(), kSyncMessage, 0, 0);
}

void TRegistryCleanerForm::SyncGrid() {
    const auto& rows = controller_.Grid();
    syncingGrid_ = true;
    SendMessageW(repairGrid_, WM_SETREDRAW, FALSE, 0);
    if (ListView_GetItemCount(repairGrid_) != static_cast<int>(rows.size()))
        ListView_DeleteAllItems(repairGrid_);
    for (size_t i = 0; i < rows.size(); ++i) {
        std::wstring caption = Widen(rows[i].caption), count = Widen(rows[i].count);
        if (static_cast<int>(i) >= ListView_GetItemCount(repairGrid_)) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(i);
            item.pszText = caption.data();
            ListView_InsertItem(repairGrid_, &item);
        } else {
            ListView_SetItemText(repairGrid_, static_cast<int>(i), 0, caption.data());
        }
        ListView_SetItemText(repairGrid_, static_cast<int>(i), 1, count.data());
    }
    const auto selected = controller_.SelectedGridRow();
    for (size_t i = 0; i < rows.size(); ++i) {
        const bool on = selected && *selected == i;
        ListView_SetItemState(repairGrid_, static_cast<int>(i), on ? LVIS_SELECTED | LVIS_FOCUSED : 0,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    SetColumnText(repairGrid_, 1, Widen(controller_.GridCountTitle()));
    SendMessageW(repairGrid_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(repairGrid_, nullptr, TRUE);
    syncingGrid_ = false;
}

void TRegistryCleanerForm::Sync() {
    syncPending_ = false;
    const auto& c = controller_;
    const bool page0 = c.Page() == rc::kScanSectionsPage, page1 = c.Page() == rc::kRepairPage,
               page2 = c.Page() == rc::kFinishPage;
    for (int n = 1; n <= rc::kSectionCount; ++n) {
        SetShown(picSection[static_cast<size_t>(n)], page0);
        picSection[static_cast<size_t>(n)].Invalidate();
    }
    SetShown(pbItemsProcessed_, page0 && c.ProgressVisible());
    SetShown(pbTotalProcess_, page0 && c.ProgressVisible());
    SendMessageW(pbItemsProcessed_, PBM_SETPOS, c.Progress().itemsGauge, 0);
    SendMessageW(pbTotalProcess_, PBM_SETPOS, c.Progress().totalPercent, 0);

    SetShown(repairGrid_, page1);
    SetShown(problemsList_, page1);
    SetShown(detailsMemo_, page1 && c.DetailsVisible());
    SetShown(abShowHideDetails, page1);
    abShowHideDetails.SetCaption(Widen(c.ShowHideDetailsCaption()));
    if (page1) {
        SyncGrid();
        const int count = static_cast<int>(c.ProblemRowCount());
        if (SendMessageW(problemsList_, LB_GETCOUNT, 0, 0) != count)
            SendMessageW(problemsList_, LB_SETCOUNT, count, 0);
        const auto row = c.SelectedProblemRow();
        SendMessageW(problemsList_, LB_SETCURSEL, row ? static_cast<WPARAM>(*row) : static_cast<WPARAM>(-1),
                     0);
        InvalidateRect(problemsList_, nullptr, FALSE);
        SetWindowTextW(detailsMemo_, Widen(c.DetailsText()).c_str());
        Layout();
    }
    SetShown(finishList_, page2);
    ListView_SetItemCountEx(finishList_, static_cast<int>(c.FinishRows().Count()), LVSICF_NOSCROLL);
    InvalidateRect(finishList_, nullptr, FALSE);

    SetShown(cbSelectAll, c.SelectAllVisible());
    SetShown(abSelectAll, c.SelectAllVisible());
    cbSelectAll.Invalidate();
    SetShown(ScanNowBtn, c.ScanNowVisible());
    SetShown(AbortScanBtn, c.AbortVisible());
    SetShown(RepairBtn, c.RepairVisible());
    SetShown(FinishBtn, c.FinishVisible());
    Invalidate();
}

void TRegistryCleanerForm::Show() {
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    Sync();
}

bool TRegistryCleanerForm::StartScan() {
    Show();
    ScanNowBtnClick();
    return true;
}

void TRegistryCleanerForm::ShowSectionFrame(int /*section*/, int image) {
    // The controller knows which section runs; the data module only steps the frame. Only what moves is
    // redrawn: a tick must cost far less than its 20 ms, or the message rounds would never end.
    animationFrame_ = image;
    const auto& p = controller_.Progress();
    if (p.currentSection != shownSection_) {
        if (shownSection_ >= 1) picSection[static_cast<size_t>(shownSection_)].Invalidate();
        shownSection_ = p.currentSection;
    }
    if (shownSection_ >= 1 && shownSection_ <= rc::kSectionCount)
        picSection[static_cast<size_t>(shownSection_)].Invalidate();
    SendMessageW(pbItemsProcessed_, PBM_SETPOS, p.itemsGauge, 0);
    SendMessageW(pbTotalProcess_, PBM_SETPOS, p.totalPercent, 0);
    RECT r{};
    GetClientRect(Handle(), &r);
    RECT progressText{0, S(240), r.right, S(296)};
    InvalidateRect(Handle(), &progressText, FALSE);
    RECT toolBar{0, r.bottom - S(34), r.right - S(120), r.bottom};
    InvalidateRect(Handle(), &toolBar, FALSE);
}

void TRegistryCleanerForm::ShowProblemsFound(const std::string&, bool) {
    // LabelWarning is painted from the controller's running total.
}

void TRegistryCleanerForm::ShowScanTime(const std::string& text) {
    scanTime_ = text;
    RECT r{};
    GetClientRect(Handle(), &r);
    RECT time{0, S(240), r.right, S(262)};
    InvalidateRect(Handle(), &time, FALSE);
}

void TRegistryCleanerForm::PaintSection(HDC dc, const RECT& r, int number) {
    skin::FillSolid(dc, r, pal::kPage);
    const rc::SectionImage image = controller_.Image(number);
    RECT box{r.left + S(2), r.top + S(2), r.left + S(16), r.top + S(16)};
    PaintStateBox(dc, box, image, animationFrame_);
    const std::string& count = controller_.CountText(number);
    const int countWidth = count.empty() ? 0 : S(count == rc::kNotBuiltYet ? 80 : 36);
    RECT caption{box.right + S(6), r.top, r.right - countWidth, r.bottom};
    skin::DrawTextIn(dc, Widen(rc::SectionByNumber(number)->caption), caption, skin::Face::Normal, pal::kText,
                     DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    if (!count.empty()) {
        RECT countRect{r.right - countWidth, r.top, r.right - S(2), r.bottom};
        const COLORREF color = image == rc::SectionImage::Problems ? RGB(0xC0, 0x20, 0x20) : pal::kMutedText;
        skin::DrawTextIn(dc, Widen(count), countRect, skin::Face::Normal, color,
                         DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
}

void TRegistryCleanerForm::Paint(HDC dc, const RECT& r) {
    const auto& c = controller_;
    skin::FillSolid(dc, r, pal::kPage);
    RECT title{S(12), S(6), r.right - S(12), S(24)};
    skin::DrawTextIn(dc, Widen(c.HeaderText()), title, skin::Face::Bold, pal::kHeading,
                     DT_LEFT | DT_SINGLELINE);
    RECT intro{S(12), S(24), r.right - S(12), S(62)};
    skin::DrawTextIn(dc, Widen(rc::kCleanerIntro), intro, skin::Face::Small, pal::kMutedText,
                     DT_LEFT | DT_WORDBREAK);

    const int w = r.right;
    if (c.Page() == rc::kScanSectionsPage && c.ProgressVisible()) {
        const auto& p = c.Progress();
        RECT line{S(12), S(244), w - S(180), S(260)};
        skin::DrawTextIn(dc, L"Scanning entry: " + Widen(p.entry), line, skin::Face::Normal, pal::kText,
                         DT_LEFT | DT_SINGLELINE | DT_PATH_ELLIPSIS);
        RECT time{w - S(180), S(244), w - S(12), S(260)};
        skin::DrawTextIn(dc, L"Elapsed Time: " + Widen(scanTime_), time, skin::Face::Normal, pal::kText,
                         DT_RIGHT | DT_SINGLELINE);
        RECT total{S(12), S(276), w / 2, S(292)};
        skin::DrawTextIn(dc, Widen(p.totalText), total, skin::Face::Bold, pal::kText,
                         DT_LEFT | DT_SINGLELINE);
        RECT items{w / 2, S(276), w - S(12), S(292)};
        skin::DrawTextIn(dc, Widen(p.itemsLabel), items, skin::Face::Normal, pal::kText,
                         DT_RIGHT | DT_SINGLELINE);
    }
    if (c.Page() == rc::kRepairPage) {
        RECT header{S(8), S(154), w / 2, S(172)};
        if (c.ProblemsHeaderVisible())
            skin::DrawTextIn(dc, Widen(c.ProblemsHeaderText()), header, skin::Face::Bold, pal::kHeading,
                             DT_LEFT | DT_SINGLELINE);
        RECT elapsed{w / 2 - S(40), S(154), w - S(8) - S(96), S(172)};
        skin::DrawTextIn(dc, Widen(c.ElapsedMessage()), elapsed, skin::Face::Small, pal::kMutedText,
                         DT_RIGHT | DT_SINGLELINE);
        if (c.DetailsVisible()) {
            RECT description{S(8) + (w - S(16)) * 3 / 5 + S(6), S(174), w - S(8), S(192)};
            skin::DrawTextIn(dc, L"Description: ", description, skin::Face::Bold, pal::kText,
                             DT_LEFT | DT_SINGLELINE);
        }
    }
    RECT toolBar{0, r.bottom - S(34), r.right, r.bottom};
    skin::FillSolid(dc, toolBar, kToolBar);
    RECT toolLine{0, toolBar.top, r.right, toolBar.top + 1};
    skin::FillSolid(dc, toolLine, pal::kPageLine);
    if (c.LabelWarningVisible()) {
        RECT warning{S(12), toolBar.top, w - S(130), toolBar.bottom};
        skin::DrawTextIn(dc, Widen(c.LabelWarningText()), warning, skin::Face::Bold, RGB(0xC0, 0x20, 0x20),
                         DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}

void TRegistryCleanerForm::PaintProblemRow(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= controller_.ProblemRowCount()) return;
    const rc::TContent& problem = controller_.ProblemRow(item.itemID);
    const HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    skin::FillSolid(dc, r, selected ? kSelectedRowBack : pal::kPage);
    if (selected) {
        Brush frame(CreateSolidBrush(kSelectedRowFrame));
        FrameRect(dc, &r, frame.get());
    }
    RECT box{r.left + S(10), r.top + S(29), r.left + S(26), r.top + S(45)};
    PaintCheckBox(dc, box, problem.Checked);
    const COLORREF text = selected ? kSelectedRowFrame : pal::kText;
    RECT titleRect{r.left + S(34), r.top + S(4), r.right - S(6), r.top + S(20)};
    skin::DrawTextIn(dc, Widen(problem.Title), titleRect, skin::Face::Bold, text, DT_LEFT | DT_SINGLELINE);
    RECT body{r.left + S(34), r.top + S(21), r.right - S(6), r.bottom - S(3)};
    skin::DrawTextIn(dc, Widen(problem.Description), body, skin::Face::Normal, text,
                     DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS | DT_EDITCONTROL);
    RECT line{r.left, r.bottom - 1, r.right, r.bottom};
    skin::FillSolid(dc, line, RGB(0xE4, 0xE9, 0xF0));
}

void TRegistryCleanerForm::ProblemsPopup(POINT screen) {
    SetForegroundWindow(Handle());
    const UINT command =
        static_cast<UINT>(TrackPopupMenu(dmView_.ProblemsListMenu(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                         screen.x, screen.y, 0, Handle(), nullptr));
    if (command == kExcludeAndAddKeyToIgnoreList1) controller_.PopupExclude();
    if (command == kSelectAll1) controller_.PopupSelectAll();
    if (command == kSelectNone1) controller_.PopupSelectNone();
}

LRESULT CALLBACK TRegistryCleanerForm::ProblemsListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                                        DWORD_PTR self) {
    auto* form = reinterpret_cast<TRegistryCleanerForm*>(self);
    switch (msg) {
        case WM_LBUTTONDOWN: {
            SetFocus(hwnd);
            const int top = static_cast<int>(SendMessageW(hwnd, LB_GETTOPINDEX, 0, 0));
            // Row geometry is at 96 DPI in the controller; the list is in screen pixels.
            const int x = GET_X_LPARAM(lp) * 96 / skin::Dpi(), y = GET_Y_LPARAM(lp) * 96 / skin::Dpi();
            form->controller_.ProblemListClick(x, y, static_cast<size_t>(std::max(0, top)));
            form->Sync();
            return 0;
        }
        case WM_RBUTTONUP: {
            POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            ClientToScreen(hwnd, &p);
            form->ProblemsPopup(p);
            return 0;
        }
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT TRegistryCleanerForm::FinishCustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const size_t row = draw.nmcd.dwItemSpec;
            const auto& rows = controller_.FinishRows();
            draw.clrText = draw.iSubItem == 1 && row < rows.Count() ? rc::RepairStatusColor(rows[row].Status)
                                                                    : pal::kText;
            return CDRF_NEWFONT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

LRESULT TRegistryCleanerForm::OnNotify(const NMHDR& header) {
    if (header.idFrom == kGridId && header.code == LVN_ITEMCHANGED && !syncingGrid_) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED)) {
            const int selected = ListView_GetNextItem(repairGrid_, -1, LVNI_SELECTED);
            controller_.SelectGridRow(selected < 0 ? std::nullopt : std::optional<size_t>(selected));
            if (selected >= 0 && controller_.ProblemRowCount() > 0) controller_.SelectProblemRow(0);
        }
        return 0;
    }
    if (header.idFrom == kFinishId && header.code == LVN_GETDISPINFOW) {
        auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
        const auto& rows = controller_.FinishRows();
        if ((info.item.mask & LVIF_TEXT) && static_cast<size_t>(info.item.iItem) < rows.Count()) {
            const auto& row = rows[static_cast<size_t>(info.item.iItem)];
            const std::wstring text = Widen(info.item.iSubItem == 0 ? row.Name : row.Status);
            lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
        }
        return 0;
    }
    if (header.idFrom == kFinishId && header.code == NM_CUSTOMDRAW) {
        return FinishCustomDraw(const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header)));
    }
    return 0;
}

LRESULT TRegistryCleanerForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const auto paint = [this](HDC dc, const RECT& r) { Paint(dc, r); };
    const auto layout = [this] {
        if (pbItemsProcessed_) Layout();
    };
    if (const std::optional<LRESULT> drawn = CanvasMessage(Handle(), msg, paint, layout)) return *drawn;
    switch (msg) {
        case kSyncMessage:
            Sync();
            return 0;
        case WM_MEASUREITEM: {
            auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
            measure.itemHeight = static_cast<UINT>(S(rc::kProblemRowHeight));
            return TRUE;
        }
        case WM_DRAWITEM:
            if (wp == kProblemsId) {
                PaintProblemRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
                return TRUE;
            }
            break;
        case WM_COMMAND:
            if (LOWORD(wp) == kProblemsId && HIWORD(wp) == LBN_SELCHANGE) {
                const LRESULT row = SendMessageW(problemsList_, LB_GETCURSEL, 0, 0);
                controller_.SelectProblemRow(row < 0 ? std::nullopt : std::optional<size_t>(row));
                return 0;
            }
            break;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lp));
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            SetBkColor(reinterpret_cast<HDC>(wp), pal::kPage);
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

}  // namespace trenmoor::views
