#include "disk_cleaners/views/sys_disk_cleaner_form.h"

#include <commctrl.h>

#include <algorithm>

#include <shellapi.h>
#include <shlobj.h>

#include "app/views/gdi.h"
#include "app/views/skin.h"
#include "disk_cleaners/junk_clean.h"
#include "disk_cleaners/junk_report.h"
#include "platform/win32/wide.h"

namespace trenmoor::views {
namespace {

namespace pal = skin::palette;
namespace dcl = disk_cleaners;
using platform::win32::Widen;
using skin::S;

constexpr int kDisksId = 501, kTypesId = 502, kScanId = 503, kReportId = 504, kCleanerId = 505;
constexpr int kSelectAllId = 510, kModeId = 520;
constexpr UINT kApplyCheck = WM_APP + 2;  // after a state-image click the new state is known
constexpr COLORREF kRed = RGB(0xD0, 0, 0);
constexpr const wchar_t* kModeCaptions[] = {
    L"Permanently delete files", L"Move files to Recycle Bin (recommended)", L"Move all files in one folder"};
constexpr dcl::CleanMode kModes[] = {dcl::CleanMode::Delete, dcl::CleanMode::RecycleBin,
                                     dcl::CleanMode::MoveToFolder};

HWND MakeControl(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id = 0,
                 DWORD ex = 0) {
    const HWND h = CreateWindowExW(ex, cls, text, WS_CHILD | style, 0, 0, 0, 0, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return h;
}

HWND MakeList(HWND parent, int id, bool checks,
              std::initializer_list<std::pair<const wchar_t*, int>> columns) {
    const HWND list = MakeControl(parent, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                                  id, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | (checks ? LVS_EX_CHECKBOXES : 0));
    int i = 0;
    for (const auto& [caption, width] : columns) {
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH;
        c.pszText = const_cast<wchar_t*>(caption);
        c.cx = S(width);
        ListView_InsertColumn(list, i++, &c);
    }
    return list;
}

void AddRow(HWND list, const std::vector<std::wstring>& cells, int checked = -1, int image = I_IMAGENONE) {
    const int row = ListView_GetItemCount(list);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iImage = image;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(cells[0].c_str());
    ListView_InsertItem(list, &item);
    for (size_t c = 1; c < cells.size(); ++c)
        ListView_SetItemText(list, row, static_cast<int>(c), const_cast<wchar_t*>(cells[c].c_str()));
    if (checked >= 0) ListView_SetCheckState(list, row, checked != 0);
}

// The column `stretch` takes the width the other columns leave (the vertical scroll bar kept free).
void FitColumns(HWND list, int stretch) {
    const HWND header = ListView_GetHeader(list);
    const int count = header ? Header_GetItemCount(header) : 0;
    RECT r{};
    GetWindowRect(list, &r);
    int others = 0;
    for (int c = 0; c < count; ++c)
        if (c != stretch) others += ListView_GetColumnWidth(list, c);
    const int width = (r.right - r.left) - GetSystemMetrics(SM_CXVSCROLL) - 6 - others;
    ListView_SetColumnWidth(list, stretch, std::max(S(60), width));
}

// How the shell shows a drive root ("Local Disk (C:)" and its small icon in the system image list); a
// text that is not a drive ("C:") is shown as it is, without an icon.
struct DriveLook {
    std::wstring caption;
    int icon = I_IMAGENONE;
};
DriveLook LookOfDrive(const std::string& drive) {
    if (drive.size() != 2 || drive[1] != ':') return {Widen(drive)};
    const std::wstring root = Widen(drive + "\\");
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(root.c_str(), 0, &info, sizeof info,
                        SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON) ||
        info.szDisplayName[0] == L'\0')
        return {Widen(drive)};
    return {info.szDisplayName, info.iIcon};
}

// Lists that show drives draw their icons from the shell's own small image list (shared, so the list
// never destroys it).
void UseSystemIcons(HWND list) {
    SHFILEINFOW info{};
    const auto icons = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (!icons) return;
    SetWindowLongPtrW(list, GWL_STYLE, GetWindowLongPtrW(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
    ListView_SetImageList(list, icons, LVSIL_SMALL);
}

std::wstring Megabytes(uint64_t mb) {
    return std::to_wstring(mb) + L"MB";
}

uint64_t TotalMegabytes(const std::string& drive) {
    ULARGE_INTEGER total{};
    const std::wstring root = Widen(drive + "\\");
    return GetDiskFreeSpaceExW(root.c_str(), nullptr, &total, nullptr) ? total.QuadPart / 1048576 : 0;
}

}  // namespace

TSysDiskCleanerForm::TSysDiskCleanerForm(HWND host, AppContext& ctx) : controller_(ctx), ctx_(ctx) {
    RECT r{};
    GetClientRect(host, &r);
    Create(L"TSysDiskCleanerForm", L"Junk File Cleaner", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
           0, r.right, r.bottom, host);
    skin::ApplyRoundRegion(Handle(), 8);
    CreateControls();
    Layout();
    controller_.onProgress = [this] { LiveUpdate(); };
}

TSysDiskCleanerForm::~TSysDiskCleanerForm() = default;

void TSysDiskCleanerForm::WireBusyHook(app::NavigationController& navigation) {
    busyHook_.Bind(navigation.JunkCleanerState, [this] { return controller_.runState(); });
}

void TSysDiskCleanerForm::CreateControls() {
    const HWND self = Handle();
    disks_ = MakeList(self, kDisksId, true, {{L"Drives", 260}, {L"Total Space", 110}, {L"Free Space", 110}});
    types_ = MakeList(self, kTypesId, true, {{L"Type", 140}, {L"Description", 320}});
    scan_ = MakeList(self, kScanId, false, {{L"Examining Drive", 300}, {L"Status", 150}});
    report_ =
        MakeList(self, kReportId, true, {{L"Scanned Drive", 260}, {L"Total", 100}, {L"Space occupied", 140}});
    cleaner_ = MakeList(self, kCleanerId, false, {{L"Junk Files", 460}, {L"Status", 120}});
    for (HWND list : {disks_, scan_, report_}) UseSystemIcons(list);
    cbJunkFileSelectAll = MakeControl(self, L"BUTTON", L"Select All", BS_AUTOCHECKBOX, kSelectAllId);
    for (int i = 0; i < 3; ++i)
        modes_[i] = MakeControl(self, L"BUTTON", kModeCaptions[i],
                                BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), kModeId + i);

    CreateTextButtons(self, *this, pal::kPage,
                      {{BackBtn, L"<Back", &TSysDiskCleanerForm::BackBtnClick},
                       {NextBtn, L"Next>", &TSysDiskCleanerForm::NextBtnClick},
                       {StopScanBtn, L"Stop", &TSysDiskCleanerForm::StopScanBtnClick},
                       {AddBtn, L"Add", &TSysDiskCleanerForm::AddBtnClick},
                       {EditBtn, L"Edit", &TSysDiskCleanerForm::EditBtnClick},
                       {DelBtn, L"Remove", &TSysDiskCleanerForm::DelBtnClick}});
}

void TSysDiskCleanerForm::Layout() {
    RECT r{};
    GetClientRect(Handle(), &r);
    const int m = S(16), top = S(84), bottom = r.bottom - S(44);
    const int w = std::max(S(100), static_cast<int>(r.right) - 2 * m);
    const auto height = [&](int y, int below) { return std::max(S(60), bottom - y - below); };
    // Drives: the list above the note of what is cleaned.
    MoveWindow(disks_, m, top + S(66), w, height(top + S(66), S(154)), TRUE);
    // Junk types: the list with its buttons on the right, "Select All" below.
    MoveWindow(types_, m, top + S(70), w - S(110), height(top + S(70), S(28)), TRUE);
    MoveWindow(cbJunkFileSelectAll, m, bottom - S(22), S(120), S(18), TRUE);
    int y = top + S(70);
    for (TImageEx* b : {&AddBtn, &EditBtn, &DelBtn}) {
        b->SetBounds(r.right - m - S(96), y, S(96), S(25));
        y += S(32);
    }
    MoveWindow(scan_, m, top + S(66), w, height(top + S(66), S(40)), TRUE);
    StopScanBtn.SetBounds(m, r.bottom - S(36), S(96), S(25));
    MoveWindow(report_, m, top + S(66), w, height(top + S(66), S(80)), TRUE);
    for (int i = 0; i < 3; ++i)
        MoveWindow(modes_[i], m + S(10), top + S(60) + i * S(24), S(300), S(20), TRUE);
    MoveWindow(cleaner_, m, top + S(52), w, height(top + S(52), S(8)), TRUE);
    for (HWND list : {disks_, scan_, report_, cleaner_}) FitColumns(list, 0);
    FitColumns(types_, 1);
    BackBtn.SetBounds(r.right - m - S(200), r.bottom - S(36), S(96), S(25));
    NextBtn.SetBounds(r.right - m - S(96), r.bottom - S(36), S(96), S(25));
}

void TSysDiskCleanerForm::Show() {
    ShowWindow(Handle(), SW_SHOW);
    BringWindowToTop(Handle());
    FormShow();
}

void TSysDiskCleanerForm::FormShow() {
    controller_.show();
    for (int i = 0; i < 3; ++i)
        SendMessageW(modes_[i], BM_SETCHECK, kModes[i] == controller_.mode ? BST_CHECKED : BST_UNCHECKED, 0);
    Sync();
}

void TSysDiskCleanerForm::ReadChecks() {
    auto& drives = controller_.drives();
    for (size_t i = 0; i < drives.size() && static_cast<int>(i) < ListView_GetItemCount(disks_); ++i)
        drives[i].Checked = ListView_GetCheckState(disks_, static_cast<int>(i)) != 0;
    auto& types = controller_.types();
    if (controller_.page() == dcl::JunkPage::JunkFiles)
        for (size_t i = 0; i < types.size() && static_cast<int>(i) < ListView_GetItemCount(types_); ++i)
            types[i].Checked = ListView_GetCheckState(types_, static_cast<int>(i)) != 0;
    auto& rows = controller_.reportRows();
    if (controller_.page() == dcl::JunkPage::Report)
        for (size_t i = 0; i < rows.size() && static_cast<int>(i) < ListView_GetItemCount(report_); ++i)
            rows[i].Checked = ListView_GetCheckState(report_, static_cast<int>(i)) != 0;
}

void TSysDiskCleanerForm::NextBtnClick() {
    ReadChecks();
    for (int i = 0; i < 3; ++i)
        if (SendMessageW(modes_[i], BM_GETCHECK, 0, 0) == BST_CHECKED) controller_.mode = kModes[i];
    controller_.next();  // a scan or a clean runs inside; LiveUpdate shows it meanwhile
    Sync();
}

void TSysDiskCleanerForm::BackBtnClick() {
    ReadChecks();
    controller_.back();
    Sync();
}

void TSysDiskCleanerForm::cbJunkFileSelectAllClick() {
    controller_.selectAll(SendMessageW(cbJunkFileSelectAll, BM_GETCHECK, 0, 0) == BST_CHECKED);
    FillTypes();
}

void TSysDiskCleanerForm::AddBtnClick() {
    ReadChecks();
    TTemporaryFileForm dialog(Handle(), L"Add a new file type", "", "");
    if (!ShowTypeDialog(dialog)) return;
    controller_.addType(dialog.Extension(), dialog.Description());
    FillTypes();
}

void TSysDiskCleanerForm::EditBtnClick() {
    const int row = ListView_GetNextItem(types_, -1, LVNI_SELECTED);
    if (row < 0 || static_cast<size_t>(row) >= controller_.types().size()) return;
    ReadChecks();
    const dcl::TJunkFileType& type = controller_.types()[static_cast<size_t>(row)];
    TTemporaryFileForm dialog(Handle(), L"Modify file type", type.Pattern, type.Description);
    if (!ShowTypeDialog(dialog)) return;
    controller_.editType(static_cast<size_t>(row), dialog.Extension(), dialog.Description());
    FillTypes();
}

void TSysDiskCleanerForm::DelBtnClick() {
    const int row = ListView_GetNextItem(types_, -1, LVNI_SELECTED);
    if (row < 0) return;
    ReadChecks();
    controller_.removeType(static_cast<size_t>(row));
    FillTypes();
}

void TSysDiskCleanerForm::RadioButtonClick() {
    for (int i = 0; i < 3; ++i)
        if (SendMessageW(modes_[i], BM_GETCHECK, 0, 0) == BST_CHECKED) controller_.mode = kModes[i];
    if (controller_.mode == dcl::CleanMode::Delete) controller_.moveFolder.clear();
    Invalidate();
}

void TSysDiskCleanerForm::RadioButton3Click() {
    BROWSEINFOW info{};
    info.hwndOwner = Handle();
    info.lpszTitle = L"Select Directory";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    if (PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&info)) {
        wchar_t path[MAX_PATH * 4] = {};
        if (SHGetPathFromIDListW(pidl, path)) controller_.moveFolder = platform::win32::Narrow(path);
        CoTaskMemFree(pidl);
    }
    RadioButtonClick();
}

void TSysDiskCleanerForm::ClickHereClick() {
    if (controller_.found().empty()) return;
    TDetailTempFileForm details(Handle(), controller_.foundOn(""));
    ShowDetails(details);
}

void TSysDiskCleanerForm::ReportListViewDblClick(int row) {
    const auto& rows = controller_.reportRows();
    if (row < 0 || static_cast<size_t>(row) >= rows.size()) return;
    TDetailTempFileForm details(Handle(), controller_.foundOn(rows[static_cast<size_t>(row)].Drive));
    ShowDetails(details);
}

void TSysDiskCleanerForm::FillDrives() {
    ListView_DeleteAllItems(disks_);
    for (const dcl::JunkDriveRow& d : controller_.drives()) {
        const DriveLook look = LookOfDrive(d.Drive);
        AddRow(disks_, {look.caption, Megabytes(TotalMegabytes(d.Drive)), Megabytes(d.FreeMB)}, d.Checked,
               look.icon);
    }
}

void TSysDiskCleanerForm::FillTypes() {
    ListView_DeleteAllItems(types_);
    for (const dcl::TJunkFileType& t : controller_.types())
        AddRow(types_, {Widen(t.Pattern), Widen(t.Description)}, t.Checked);
}

void TSysDiskCleanerForm::FillStatusRows(HWND list, const std::vector<dcl::JunkStatusRow>& rows) {
    ListView_DeleteAllItems(list);
    for (const dcl::JunkStatusRow& row : rows) AddStatusRow(list, row);
}

void TSysDiskCleanerForm::AddStatusRow(HWND list, const dcl::JunkStatusRow& row) {
    const DriveLook look = list == scan_ ? LookOfDrive(row.Text) : DriveLook{Widen(row.Text)};
    AddRow(list, {look.caption, Widen(row.Status)}, -1, look.icon);
}

void TSysDiskCleanerForm::UpdateStatusRows(HWND list, const std::vector<dcl::JunkStatusRow>& rows,
                                           bool restate) {
    const size_t shown = static_cast<size_t>(ListView_GetItemCount(list));
    if (shown > rows.size()) return FillStatusRows(list, rows);
    for (size_t i = restate ? 0 : shown; i < rows.size(); ++i) {
        if (i < shown) {
            std::wstring status = Widen(rows[i].Status);
            ListView_SetItemText(list, static_cast<int>(i), 1, status.data());
        } else {
            AddStatusRow(list, rows[i]);
        }
    }
}

void TSysDiskCleanerForm::LiveUpdate() {
    const dcl::JunkPage page = controller_.page();
    if (page != shownPage_) {
        Sync();
    } else if (page == dcl::JunkPage::Scan) {
        UpdateStatusRows(scan_, controller_.scanRows(), true);
        StopScanBtn.SetVisible(controller_.runState() == dcl::kJunkScanning);
        Invalidate();  // the folder being examined
    } else if (page == dcl::JunkPage::Cleanup) {
        UpdateStatusRows(cleaner_, controller_.cleanRows(), false);
    }
    if (controller_.runState() == dcl::kJunkCleaning) {
        if (!cleaningNotice_) {
            cleaningNotice_ = std::make_unique<THintForm>(GetAncestor(Handle(), GA_ROOT));
            cleaningNotice_->SetMessage(L"Please wait for the process to be finished.");
            cleaningNotice_->ShowNow();
        }
    } else {
        cleaningNotice_.reset();
    }
    if (AfterLiveUpdate) AfterLiveUpdate();
}

void TSysDiskCleanerForm::FillReport() {
    ListView_DeleteAllItems(report_);
    for (const dcl::JunkDriveSummary& row : controller_.reportRows()) {
        const DriveLook look = LookOfDrive(row.Drive);
        AddRow(report_, {look.caption, std::to_wstring(row.Count), Widen(dcl::KilobytesText(row.Bytes))},
               row.Checked, look.icon);
    }
}

std::wstring TSysDiskCleanerForm::ReportStatusText() const {
    const dcl::SelectionTotals totals = const_cast<TSysDiskCleanerForm*>(this)->controller_.reportTotals();
    return L"Selected:  " + std::to_wstring(totals.Count) + L"  " + std::to_wstring(totals.Kilobytes) +
           L" KB";
}

void TSysDiskCleanerForm::Sync() {
    const dcl::JunkPage page = controller_.page();
    shownPage_ = page;
    const auto show = [](HWND h, bool on) { ShowWindow(h, on ? SW_SHOW : SW_HIDE); };
    show(disks_, page == dcl::JunkPage::Drives);
    show(types_, page == dcl::JunkPage::JunkFiles);
    show(cbJunkFileSelectAll, page == dcl::JunkPage::JunkFiles);
    for (TImageEx* b : {&AddBtn, &EditBtn, &DelBtn}) b->SetVisible(page == dcl::JunkPage::JunkFiles);
    show(scan_, page == dcl::JunkPage::Scan);
    StopScanBtn.SetVisible(page == dcl::JunkPage::Scan && controller_.runState() == dcl::kJunkScanning);
    show(report_, page == dcl::JunkPage::Report);
    for (HWND h : modes_) show(h, page == dcl::JunkPage::CleanupOptions);
    show(cleaner_, page == dcl::JunkPage::Cleanup);
    switch (page) {
        case dcl::JunkPage::Drives:
            FillDrives();
            break;
        case dcl::JunkPage::JunkFiles:
            FillTypes();
            break;
        case dcl::JunkPage::Scan:
            FillStatusRows(scan_, controller_.scanRows());
            break;
        case dcl::JunkPage::Report:
            FillReport();
            break;
        case dcl::JunkPage::Cleanup:
            FillStatusRows(cleaner_, controller_.cleanRows());
            break;
        default:
            break;
    }
    EnableWindow(BackBtn.Handle(), controller_.backEnabled());
    EnableWindow(NextBtn.Handle(), controller_.nextEnabled());
    const std::wstring next = Widen(controller_.nextCaption());
    NextBtn.SetCaption(next);
    MakeTextButton(NextBtn, next, pal::kPage);
    Invalidate();
}

void TSysDiskCleanerForm::Paint(HDC dc, const RECT& r) {
    skin::PaintPageTop(
        dc, r, L"Scan and clean up the junk files from your system.",
        L"This utility scans and cleans up the junk files from your system to provide more free space "
        L"on your hard drives and allows applications to run faster and more effectively.");
    const int m = S(16), top = S(84), bottom = r.bottom - S(44);
    const int w = r.right - 2 * m;
    const auto title = [&](const wchar_t* heading, const wchar_t* first, const wchar_t* second) {
        skin::DrawLine(dc, heading, m, top, w, skin::Face::Bold, pal::kText);
        // The two lines of the introduction wrap as one paragraph in a narrow window.
        RECT intro{m + S(10), top + S(18), r.right - m, top + S(64)};
        skin::DrawTextIn(dc, second ? std::wstring(first) + L" " + second : std::wstring(first), intro,
                         skin::Face::Normal, pal::kText, DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS);
    };
    switch (controller_.page()) {
        case dcl::JunkPage::Drives: {
            title(L"Drives",
                  L"Please select the drives you wish to scan from the following list.Click Next when you",
                  L"have finished selecting the drives.");
            int y = bottom - S(146);
            for (const wchar_t* text :
                 {L"This utility cleans the followings below: ", L"  Backup files of various kinds.",
                  L"  Large files generated by crashes.", L"  Files with zero size.",
                  L"  A whole bunch of temporary files.", L"  Various log files."}) {
                skin::DrawLine(dc, text, m, y, w,
                               y == bottom - S(146) ? skin::Face::Bold : skin::Face::Normal, pal::kText);
                y += S(18);
            }
            skin::DrawLine(dc, L"Please press next to proceed to next step.", m, bottom - S(20), w,
                           skin::Face::Normal, pal::kMutedText);
            break;
        }
        case dcl::JunkPage::JunkFiles:
            title(L"Select Junk Files",
                  L"Check the types of Junk Files for searching. You can Add, Edit or Remove the types if "
                  L"needed.",
                  nullptr);
            skin::DrawLine(dc, L"Junk Files Catagories:", m, top + S(52), w, skin::Face::Normal, pal::kText);
            break;
        case dcl::JunkPage::Scan:
            title(L"Search Disk Drives",
                  L"Please wait while Junk File Cleaner searches the selected drives for junk files. In",
                  L"next step you will select the junk and obsolete files to be removed from the system.");
            skin::DrawLine(dc, Widen(controller_.scanMessage()), m, bottom - S(32), w, skin::Face::Normal,
                           pal::kMutedText);
            break;
        case dcl::JunkPage::Report:
            title(L"Scan Process Summary",
                  L"Please select the catagories of files you would like to clean in the listbox",
                  L"below. In the next step you will choose how to deal with the junk files.");
            skin::DrawLine(dc, ReportStatusText(), m, bottom - S(70), w, skin::Face::Normal, pal::kText);
            skin::DrawLine(dc, L"Click here", m, bottom - S(46), S(64), skin::Face::Normal, RGB(0, 0, 0xFF));
            {
                RECT rest{m + S(66), bottom - S(46), r.right - m, bottom - S(8)};
                skin::DrawTextIn(
                    dc, L"to view detailed results of scan or double click on selected item in list box.",
                    rest, skin::Face::Normal, pal::kText, DT_LEFT | DT_WORDBREAK);
            }
            break;
        case dcl::JunkPage::CleanupOptions:
            title(L"Select cleaning options", L"Select the mode of cleaning files from your system", nullptr);
            skin::DrawLine(dc, L"Select destination folder:", m + S(10), top + S(138), S(180),
                           skin::Face::Normal, pal::kText);
            skin::DrawLine(dc, Widen(controller_.moveFolder), m + S(190), top + S(138), w - S(190),
                           skin::Face::Normal, pal::kText);
            break;
        case dcl::JunkPage::Cleanup:
            title(L"Remove Junk Files",
                  L"The Junk File Cleaner has removed the specific junk files as shown below:", nullptr);
            break;
    }
}

LRESULT TSysDiskCleanerForm::OnNotify(NMHDR& header) {
    if (header.code == NM_CUSTOMDRAW && (header.idFrom == kScanId || header.idFrom == kCleanerId)) {
        auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;
        if (draw.nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
            const auto& rows = header.idFrom == kScanId ? controller_.scanRows() : controller_.cleanRows();
            const size_t row = draw.nmcd.dwItemSpec;
            bool red = false;
            if (draw.iSubItem == 1 && row < rows.size())
                red = header.idFrom == kScanId ? rows[row].Status == dcl::kScanning
                                               : dcl::IsErrorStatus(rows[row].Status);
            draw.clrText = red ? kRed : RGB(0, 0, 0);
            return CDRF_DODEFAULT;
        }
        return CDRF_DODEFAULT;
    }
    if (header.idFrom == kReportId && header.code == NM_DBLCLK) {
        ReportListViewDblClick(reinterpret_cast<NMITEMACTIVATE&>(header).iItem);
        return 0;
    }
    if (header.idFrom == kReportId && header.code == NM_CLICK)
        PostMessageW(Handle(), kApplyCheck, 0, 0);  // the status bar follows the check boxes
    return 0;
}

LRESULT TSysDiskCleanerForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const auto paint = [this](HDC dc, const RECT& r) { Paint(dc, r); };
    const auto layout = [this] {
        if (disks_) Layout();
    };
    if (const std::optional<LRESULT> drawn = CanvasMessage(Handle(), msg, paint, layout)) return *drawn;
    switch (msg) {
        case kApplyCheck:
            ReadChecks();
            Invalidate();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wp) == kSelectAllId) cbJunkFileSelectAllClick();
            if (LOWORD(wp) == kModeId + 2 && HIWORD(wp) == BN_CLICKED)
                RadioButton3Click();
            else if (LOWORD(wp) >= kModeId && LOWORD(wp) < kModeId + 3)
                RadioButtonClick();
            break;
        case WM_LBUTTONDOWN: {
            RECT r{};
            GetClientRect(Handle(), &r);
            const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
            const int bottom = r.bottom - S(44);
            if (controller_.page() == dcl::JunkPage::Report && x >= S(16) && x < S(16) + S(64) &&
                y >= bottom - S(46) && y < bottom - S(28))
                ClickHereClick();
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

std::unique_ptr<app::ToolWindow> MakeSysDiskCleanerForm(const ToolHost& host) {
    auto form = std::make_unique<TSysDiskCleanerForm>(host.host, host.ctx);
    form->WireBusyHook(host.navigation);
    return form;
}

}  // namespace trenmoor::views
