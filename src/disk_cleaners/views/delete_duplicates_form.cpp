#include "disk_cleaners/views/delete_duplicates_form.h"

#include <commctrl.h>

#include <algorithm>

#include "app/views/skin.h"
#include "disk_cleaners/folder_walk.h"
#include "disk_cleaners/junk_scan.h"
#include "platform/win32/wide.h"

namespace trenmoor::views {
namespace {

namespace pal = skin::palette;
namespace dcl = disk_cleaners;
using platform::win32::Widen;
using skin::S;

constexpr int kTreeId = 401, kResultsId = 402, kFinishId = 403, kFilterId = 410;
constexpr UINT_PTR kScanTimer = 1;
constexpr UINT kApplyCheck = WM_APP + 1;  // after a state-image click the new state is known
constexpr COLORREF kHeaderBack = RGB(245, 245, 245);
constexpr COLORREF kHeaderText = RGB(0x00, 0x00, 0xFF);
constexpr const wchar_t* kFilterCaptions[] = {L"All files", L"Documents", L"Pictures and Photos", L"Music",
                                              L"Video and Movies"};
constexpr dcl::FileCategory kFilterCategories[] = {dcl::FileCategory::All, dcl::FileCategory::Documents,
                                                   dcl::FileCategory::Pictures, dcl::FileCategory::Music,
                                                   dcl::FileCategory::Video};

HWND MakeControl(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id = 0,
                 DWORD ex = 0) {
    const HWND h = CreateWindowExW(ex, cls, text, WS_CHILD | style, 0, 0, 0, 0, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return h;
}

void AddColumns(HWND list, std::initializer_list<std::pair<const wchar_t*, int>> columns) {
    int i = 0;
    for (const auto& [caption, width] : columns) {
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        c.fmt = i == 1 ? LVCFMT_RIGHT : (i == 4 ? LVCFMT_CENTER : LVCFMT_LEFT);
        c.pszText = const_cast<wchar_t*>(caption);
        c.cx = S(width);
        ListView_InsertColumn(list, i++, &c);
    }
}

bool Checked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void SetChecked(HWND box, bool on) {
    SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

TDeleteDuplicatesForm::TDeleteDuplicatesForm(HWND host, AppContext& ctx) : controller_(ctx), ctx_(ctx) {
    RECT r{};
    GetClientRect(host, &r);
    Create(L"TDeleteDuplicatesForm", L"Duplicate Cleaner", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
           0, r.right, r.bottom, host);
    skin::ApplyRoundRegion(Handle(), 8);
    CreateControls();
    Layout();
}

void TDeleteDuplicatesForm::CreateControls() {
    const HWND self = Handle();
    for (int i = 0; i < 5; ++i) {
        filters_[i] = MakeControl(self, L"BUTTON", kFilterCaptions[i],
                                  BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), kFilterId + i);
    }
    cbFileSize = MakeControl(self, L"BUTTON", L"Same size", BS_AUTOCHECKBOX | WS_GROUP);
    cbFileModifyTime = MakeControl(self, L"BUTTON", L"Same date", BS_AUTOCHECKBOX);
    cbSameContent = MakeControl(self, L"BUTTON", L"Same content", BS_AUTOCHECKBOX);
    cbUserFileSize = MakeControl(self, L"BUTTON", L"When files size less than", BS_AUTOCHECKBOX);
    sedUserFileSize = MakeControl(self, L"EDIT", L"10", ES_NUMBER | WS_BORDER);
    tree_ = MakeControl(self, WC_TREEVIEWW, L"",
                        TVS_CHECKBOXES | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                        kTreeId, WS_EX_CLIENTEDGE);
    results_ =
        MakeControl(self, WC_LISTVIEWW, L"", LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                    kResultsId, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(results_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    AddColumns(
        results_,
        {{L"Name and Path", 300}, {L"File Size", 80}, {L"Modified", 130}, {L"Created", 130}, {L"Group", 50}});
    finish_ =
        MakeControl(self, WC_LISTVIEWW, L"", LVS_REPORT | LVS_NOSORTHEADER, kFinishId, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(finish_, LVS_EX_FULLROWSELECT);
    AddColumns(finish_, {{L"File", 500}, {L"Status", 100}});
    rbDeleteFile = MakeControl(self, L"BUTTON", L"Delete directly", BS_AUTORADIOBUTTON | WS_GROUP);
    rbDeleteToRec = MakeControl(self, L"BUTTON", L"Remove to recycle bin", BS_AUTORADIOBUTTON);

    CreateTextButtons(self, *this, pal::kPage,
                      {{ScanNowButton, L"Scan Now", &TDeleteDuplicatesForm::ScanNowButtonClick},
                       {StopButton, L"Stop", &TDeleteDuplicatesForm::StopButtonClick},
                       {BackButton, L"Go back", &TDeleteDuplicatesForm::BackButtonClick},
                       {DeleteButton, L"Delete", &TDeleteDuplicatesForm::DeleteButtonClick},
                       {FinishButton, L"Finish", &TDeleteDuplicatesForm::FinishButtonClick}});
}

void TDeleteDuplicatesForm::Layout() {
    RECT r{};
    GetClientRect(Handle(), &r);
    const int m = S(16), top = S(84), bottom = r.bottom - S(44);
    // Page 0: criteria on the left, the tree on the right.
    for (int i = 0; i < 5; ++i)
        MoveWindow(filters_[i], m + S(10), top + S(40) + i * S(20), S(180), S(18), TRUE);
    MoveWindow(cbFileSize, m + S(10), top + S(166), S(180), S(18), TRUE);
    MoveWindow(cbFileModifyTime, m + S(10), top + S(186), S(180), S(18), TRUE);
    MoveWindow(cbSameContent, m + S(10), top + S(206), S(180), S(18), TRUE);
    MoveWindow(cbUserFileSize, m + S(10), top + S(250), S(170), S(18), TRUE);
    MoveWindow(sedUserFileSize, m + S(182), top + S(249), S(40), S(20), TRUE);
    MoveWindow(tree_, m + S(280), top + S(22), std::max(S(100), static_cast<int>(r.right) - m - S(296)),
               std::max(S(60), bottom - top - S(30)), TRUE);
    // Pages 2 and 3: the lists above their options.
    const int listW = std::max(S(100), static_cast<int>(r.right) - 2 * m);
    MoveWindow(results_, m, top + S(20), listW, std::max(S(60), bottom - top - S(70)), TRUE);
    MoveWindow(rbDeleteFile, m + S(10), bottom - S(24), S(160), S(18), TRUE);
    MoveWindow(rbDeleteToRec, m + S(180), bottom - S(24), S(200), S(18), TRUE);
    MoveWindow(finish_, m, top, listW, std::max(S(60), bottom - top - S(76)), TRUE);
    // The first column takes what the others leave, less 20 pixels.
    int others = 0;
    for (int c = 1; c < 5; ++c) others += ListView_GetColumnWidth(results_, c);
    ListView_SetColumnWidth(results_, 0, std::max(S(80), listW - others - 20));
    ListView_SetColumnWidth(finish_, 0, std::max(S(80), listW - ListView_GetColumnWidth(finish_, 1) - 20));
    int x = r.right - m;
    for (TImageEx* b : {&FinishButton, &DeleteButton, &BackButton, &StopButton, &ScanNowButton}) {
        x -= S(100);
        b->SetBounds(x, r.bottom - S(36), S(96), S(25));
    }
}

void TDeleteDuplicatesForm::Show() {
    ShowWindow(Handle(), SW_SHOW);
    BringWindowToTop(Handle());
    FormShow();
}

void TDeleteDuplicatesForm::FormShow() {
    controller_.reset();
    SetChecked(filters_[0], true);
    for (int i = 1; i < 5; ++i) SetChecked(filters_[i], false);
    for (HWND box : {cbFileSize, cbFileModifyTime, cbSameContent, cbUserFileSize}) SetChecked(box, false);
    SetWindowTextW(sedUserFileSize, L"10");
    SetChecked(rbDeleteToRec, true);
    SetChecked(rbDeleteFile, false);
    FillDrives();
    Sync();
}

void TDeleteDuplicatesForm::FillDrives() {
    TreeView_DeleteAllItems(tree_);
    nodePaths_.clear();
    TVINSERTSTRUCTW ins{};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    ins.item.pszText = const_cast<wchar_t*>(L"My Computer");
    ins.item.lParam = -1;
    root_ = TreeView_InsertItem(tree_, &ins);
    for (const std::string& drive : dcl::FixedDrives(ctx_.platform.files())) {
        nodePaths_.push_back(drive + "\\");
        std::wstring caption = Widen(drive);
        TVINSERTSTRUCTW child{};
        child.hParent = root_;
        child.hInsertAfter = TVI_LAST;
        child.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
        child.item.pszText = caption.data();
        child.item.cChildren = 1;
        child.item.lParam = static_cast<LPARAM>(nodePaths_.size() - 1);
        TreeView_InsertItem(tree_, &child);
    }
    TreeView_Expand(tree_, root_, TVE_EXPAND);
}

void TDeleteDuplicatesForm::ListSubfolders(HTREEITEM item) {
    TVITEMW it{};
    it.mask = TVIF_PARAM | TVIF_STATE;
    it.hItem = item;
    it.stateMask = TVIS_STATEIMAGEMASK;
    TreeView_GetItem(tree_, &it);
    if (it.lParam < 0) return;
    const std::string folder = nodePaths_[static_cast<size_t>(it.lParam)];
    const bool checked = TreeView_GetCheckState(tree_, item) == 1;
    for (HTREEITEM c = TreeView_GetChild(tree_, item); c;) {
        const HTREEITEM next = TreeView_GetNextSibling(tree_, c);
        TreeView_DeleteItem(tree_, c);
        c = next;
    }
    ctx_.platform.files().find(
        dcl::JoinPath(dcl::NormalizeFolder(folder), "*"), [&](const platform::FindData& e) {
            if (!e.isDirectory() || e.isReparsePoint()) return true;
            nodePaths_.push_back(dcl::JoinPath(dcl::NormalizeFolder(folder), e.name) + "\\");
            std::wstring caption = Widen(e.name);
            TVINSERTSTRUCTW child{};
            child.hParent = item;
            child.hInsertAfter = TVI_LAST;
            child.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
            child.item.pszText = caption.data();
            child.item.cChildren = 1;
            child.item.lParam = static_cast<LPARAM>(nodePaths_.size() - 1);
            const HTREEITEM added = TreeView_InsertItem(tree_, &child);
            TreeView_SetCheckState(tree_, added, checked);  // a new child takes its parent's state
            return true;
        });
}

void TDeleteDuplicatesForm::SetSubtreeCheck(HTREEITEM item, bool checked, int levels) {
    if (levels == 0) return;
    for (HTREEITEM c = TreeView_GetChild(tree_, item); c; c = TreeView_GetNextSibling(tree_, c)) {
        TreeView_SetCheckState(tree_, c, checked);
        SetSubtreeCheck(c, checked, levels - 1);
    }
}

std::vector<std::string> TDeleteDuplicatesForm::CheckedRoots() const {
    std::vector<std::string> out;
    // Depth first; a checked node stands for everything below it.
    std::vector<HTREEITEM> pending{root_};
    while (!pending.empty()) {
        const HTREEITEM item = pending.back();
        pending.pop_back();
        if (!item) continue;
        TVITEMW it{};
        it.mask = TVIF_PARAM;
        it.hItem = item;
        TreeView_GetItem(tree_, &it);
        if (TreeView_GetCheckState(tree_, item) == 1) {
            if (it.lParam < 0) {
                for (const std::string& d : dcl::FixedDrives(ctx_.platform.files())) out.push_back(d + "\\");
            } else {
                out.push_back(nodePaths_[static_cast<size_t>(it.lParam)]);
            }
            continue;
        }
        for (HTREEITEM c = TreeView_GetChild(tree_, item); c; c = TreeView_GetNextSibling(tree_, c))
            pending.push_back(c);
    }
    return out;
}

void TDeleteDuplicatesForm::ReadCriteria() {
    for (int i = 0; i < 5; ++i) {
        if (Checked(filters_[i])) controller_.criteria.Category = kFilterCategories[i];
    }
    controller_.criteria.SameSize = Checked(cbFileSize);
    controller_.criteria.SameDate = Checked(cbFileModifyTime);
    controller_.criteria.SameContent = Checked(cbSameContent);
    controller_.criteria.SkipSmall = Checked(cbUserFileSize);
    wchar_t text[16] = {};
    GetWindowTextW(sedUserFileSize, text, 15);
    controller_.criteria.MinSizeKb = static_cast<uint32_t>(std::wcstoul(text, nullptr, 10));
}

void TDeleteDuplicatesForm::ScanNowButtonClick() {
    ScanRoots(CheckedRoots());
}

void TDeleteDuplicatesForm::ScanRoots(const std::vector<std::string>& roots) {
    ReadCriteria();
    if (!roots.empty()) {
        SetTimer(Handle(), kScanTimer, 10, nullptr);
        Sync();
    }
    controller_.scan(roots);  // pages and buttons follow the controller; the Ui lets the timer run
    KillTimer(Handle(), kScanTimer);
    Sync();
}

void TDeleteDuplicatesForm::BackButtonClick() {
    FormShow();
}

void TDeleteDuplicatesForm::DeleteButtonClick() {
    controller_.deleteToRecycleBin = Checked(rbDeleteToRec);
    if (!controller_.deleteMarked()) return;
    ListView_DeleteAllItems(finish_);
    int i = 0;
    for (const dcl::DupFinishRow& row : controller_.finishRows()) {
        std::wstring path = Widen(row.path), status = Widen(row.status);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = path.data();
        ListView_InsertItem(finish_, &item);
        ListView_SetItemText(finish_, i++, 1, status.data());
    }
    Sync();
}

void TDeleteDuplicatesForm::ScanTimerTimer() {
    RECT r{};
    GetClientRect(Handle(), &r);
    InvalidateRect(Handle(), &r, FALSE);
}

void TDeleteDuplicatesForm::DuplicatesListViewColumnClick(int column) {
    controller_.columnClick(column);
    Sync();
}

void TDeleteDuplicatesForm::DuplicatesListViewMouseDown(int row) {
    if (row < 0) return;
    controller_.toggleMark(static_cast<size_t>(row));
    InvalidateRect(results_, nullptr, FALSE);
}

void TDeleteDuplicatesForm::Sync() {
    const dcl::DupPage page = controller_.page();
    const auto show = [](HWND h, bool on) { ShowWindow(h, on ? SW_SHOW : SW_HIDE); };
    for (HWND h : filters_) show(h, page == dcl::DupPage::Criteria);
    for (HWND h : {cbFileSize, cbFileModifyTime, cbSameContent, cbUserFileSize, sedUserFileSize, tree_})
        show(h, page == dcl::DupPage::Criteria);
    for (HWND h : {results_, rbDeleteFile, rbDeleteToRec}) show(h, page == dcl::DupPage::Results);
    show(finish_, page == dcl::DupPage::Finish);
    const dcl::DupButtons& b = controller_.buttons();
    ScanNowButton.SetVisible(b.scanNow);
    StopButton.SetVisible(b.stop);
    BackButton.SetVisible(b.back);
    DeleteButton.SetVisible(b.del);
    FinishButton.SetVisible(b.finish);
    ListView_SetItemCountEx(results_, static_cast<int>(controller_.results().rows().size()), 0);
    InvalidateRect(results_, nullptr, TRUE);
    if (page != dcl::DupPage::Finish) ListView_DeleteAllItems(finish_);
    Invalidate();
}

void TDeleteDuplicatesForm::Paint(HDC dc, const RECT& r) {
    skin::PaintPageTop(
        dc, r, L"Clean out duplicate files on your local computer.",
        L"Duplicate Cleaner is capable to clean out the duplicate files on your local computer, destroy "
        L"them completely and return you a clean and healthy system performance.");
    const int m = S(16), top = S(84);
    switch (controller_.page()) {
        case dcl::DupPage::Criteria:
            skin::DrawLine(dc, L"Scan Criteria for Duplicates with Same Name", m, top, S(275),
                           skin::Face::Bold, pal::kText);
            skin::DrawLine(dc, L"File Filter", m, top + S(20), S(200), skin::Face::Normal, pal::kText);
            skin::DrawLine(dc, L"Duplicates also Have", m, top + S(146), S(200), skin::Face::Normal,
                           pal::kText);
            skin::DrawLine(dc, L"Don't Scan", m, top + S(230), S(200), skin::Face::Normal, pal::kText);
            skin::DrawLine(dc, L"KB", m + S(226), top + S(250), S(30), skin::Face::Normal, pal::kText);
            skin::DrawLine(dc, L"Select Drives or Directories", m + S(280), top, S(300), skin::Face::Bold,
                           pal::kText);
            break;
        case dcl::DupPage::Scanning:
            skin::DrawLine(dc, L"Scanning in process", m, top, S(300), skin::Face::Bold, pal::kText);
            skin::DrawLine(dc, L"Duplicate groups found:", m, top + S(30), S(180), skin::Face::Normal,
                           pal::kText);
            skin::DrawLine(dc, Widen(controller_.duplicateGroupsText()), m + S(190), top + S(30), S(120),
                           skin::Face::Bold, pal::kText);
            skin::DrawLine(dc, L"Files in duplicate groups:", m, top + S(52), S(180), skin::Face::Normal,
                           pal::kText);
            skin::DrawLine(dc, Widen(controller_.duplicateFilesText()), m + S(190), top + S(52), S(120),
                           skin::Face::Bold, pal::kText);
            skin::DrawLine(dc, L"Elapsed time:", m, top + S(74), S(180), skin::Face::Normal, pal::kText);
            skin::DrawLine(dc, Widen(controller_.elapsedText()), m + S(190), top + S(74), S(120),
                           skin::Face::Bold, pal::kText);
            skin::DrawLine(dc, Widen(controller_.scanMessage()), m, top + S(110), r.right - 2 * m,
                           skin::Face::Normal, pal::kMutedText);
            break;
        case dcl::DupPage::Results:
            skin::DrawLine(dc, L"Please take caution before you delete the duplicate files.", m, top, S(400),
                           skin::Face::Bold, RGB(0xD0, 0, 0));
            skin::DrawLine(dc, Widen(controller_.statusText()), m, r.bottom - S(44) - S(46), r.right - 2 * m,
                           skin::Face::Normal, pal::kText);
            skin::DrawLine(dc, L"Double click to open your specified directory", m + S(400), r.bottom - S(68),
                           S(300), skin::Face::Small, pal::kMutedText);
            break;
        case dcl::DupPage::Finish: {
            const int y = r.bottom - S(44) - S(70);
            skin::DrawLine(dc, L"Results", m, y, S(200), skin::Face::Bold, pal::kText);
            skin::DrawLine(dc, Widen(controller_.finishText(0)), m + S(10), y + S(20), r.right - 2 * m,
                           skin::Face::Normal, pal::kText);
            skin::DrawLine(dc, Widen(controller_.finishText(1)), m + S(10), y + S(38), r.right - 2 * m,
                           skin::Face::Normal, pal::kText);
            skin::DrawLine(dc, Widen(controller_.finishText(2)), m + S(10), y + S(56), r.right - 2 * m,
                           skin::Face::Normal, controller_.failureInRed() ? RGB(0xD0, 0, 0) : RGB(0, 0, 0));
            break;
        }
    }
}

LRESULT TDeleteDuplicatesForm::OnNotify(NMHDR& header) {
    if (header.idFrom == kResultsId) {
        const auto& rows = controller_.results().rows();
        switch (header.code) {
            case LVN_GETDISPINFOW: {
                auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
                const size_t row = static_cast<size_t>(info.item.iItem);
                if (row >= rows.size()) return 0;
                if (info.item.mask & LVIF_TEXT) {
                    const std::wstring text =
                        Widen(controller_.results().cellText(row, info.item.iSubItem, ctx_.platform.clock()));
                    lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
                }
                if (info.item.mask & LVIF_STATE) {
                    info.item.stateMask = LVIS_STATEIMAGEMASK;
                    info.item.state = INDEXTOSTATEIMAGEMASK(rows[row].Checked ? 2 : 1);
                }
                if (info.item.mask & LVIF_INDENT)
                    info.item.iIndent = rows[row].Kind == dcl::RowKind::File ? 1 : 0;
                return 0;
            }
            case LVN_COLUMNCLICK:
                DuplicatesListViewColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
                return 0;
            case NM_CLICK: {
                LVHITTESTINFO hit{};
                hit.pt = reinterpret_cast<NMITEMACTIVATE&>(header).ptAction;
                if (ListView_SubItemHitTest(results_, &hit) >= 0 && (hit.flags & LVHT_ONITEMSTATEICON))
                    DuplicatesListViewMouseDown(hit.iItem);
                return 0;
            }
            case NM_DBLCLK: {
                const int row = ListView_GetNextItem(results_, -1, LVNI_SELECTED);
                if (row >= 0 && static_cast<size_t>(row) < rows.size() &&
                    rows[row].Kind == dcl::RowKind::File)
                    (void)ctx_.platform.shell().execute("open", rows[row].Folder, "", "",
                                                        platform::ShowMode::Normal);
                return 0;
            }
            case NM_CUSTOMDRAW: {
                auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
                if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
                if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw.nmcd.dwItemSpec < rows.size()) {
                    const bool headerRow = rows[draw.nmcd.dwItemSpec].Kind == dcl::RowKind::Header;
                    draw.clrText = headerRow ? kHeaderText : RGB(0, 0, 0);
                    draw.clrTextBk = headerRow ? kHeaderBack : RGB(0xFF, 0xFF, 0xFF);
                    if (headerRow) SelectObject(draw.nmcd.hdc, skin::GetFont(skin::Face::Bold));
                    return CDRF_NEWFONT;
                }
                return CDRF_DODEFAULT;
            }
            default:
                break;
        }
    }
    if (header.idFrom == kTreeId) {
        if (header.code == TVN_ITEMEXPANDINGW) {
            auto& nm = reinterpret_cast<NMTREEVIEWW&>(header);
            if (nm.action == TVE_EXPAND && nm.itemNew.hItem != root_) ListSubfolders(nm.itemNew.hItem);
            return 0;
        }
        if (header.code == NM_CLICK) {
            TVHITTESTINFO hit{};
            GetCursorPos(&hit.pt);
            ScreenToClient(tree_, &hit.pt);
            if (TreeView_HitTest(tree_, &hit) && (hit.flags & TVHT_ONITEMSTATEICON))
                PostMessageW(Handle(), kApplyCheck, 0, reinterpret_cast<LPARAM>(hit.hItem));
        }
    }
    return 0;
}

LRESULT TDeleteDuplicatesForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const auto paint = [this](HDC dc, const RECT& r) { Paint(dc, r); };
    const auto layout = [this] {
        if (tree_) Layout();
    };
    if (const std::optional<LRESULT> drawn = CanvasMessage(Handle(), msg, paint, layout)) return *drawn;
    switch (msg) {
        case WM_TIMER:
            if (wp == kScanTimer) ScanTimerTimer();
            return 0;
        case kApplyCheck: {
            const auto item = reinterpret_cast<HTREEITEM>(lp);
            SetSubtreeCheck(item, TreeView_GetCheckState(tree_, item) == 1, 2);
            return 0;
        }
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<NMHDR*>(lp));
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return skin::PageControlColour(wp);
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

TDeleteDuplicatesForm::~TDeleteDuplicatesForm() = default;

void TDeleteDuplicatesForm::WireBusyHook(app::NavigationController& navigation) {
    busyHook_.Bind(navigation.DuplicateFinderState, [this] { return controller_.scanState(); });
}

std::unique_ptr<app::ToolWindow> MakeDeleteDuplicatesForm(const ToolHost& host) {
    auto form = std::make_unique<TDeleteDuplicatesForm>(host.host, host.ctx);
    form->WireBusyHook(host.navigation);
    return form;
}

}  // namespace trenmoor::views
