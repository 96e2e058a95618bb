#include "disk_cleaners/views/advanced_shred_form.h"

#include <shlobj.h>

#include <algorithm>

#include "app/views/skin.h"
#include "platform/win32/wide.h"

namespace trenmoor::views {
namespace {

namespace pal = skin::palette;
namespace dcl = disk_cleaners;
using platform::win32::Narrow;
using platform::win32::Widen;
using skin::S;

constexpr int kListId = 301, kLevelId = 310;
constexpr UINT kAddFiles = 1, kAddRecycle = 2, kRemoveSelected = 3, kRemoveAll = 4;
constexpr wchar_t kHeader[] = L"Permanently remove the specific files from your drives.";
constexpr wchar_t kMemo[] =
    L"Use the Add and Remove button to select items for the Shred List. Once you are sure of your selection, "
    L"choose a shred level and click the Shred button to permanently erase the files.";
constexpr COLORREF kWarningRed = RGB(0xD0, 0x00, 0x00);
constexpr COLORREF kTitleBar = RGB(0x3A, 0x6E, 0xA5);

}  // namespace

TAdvancedShredForm::TAdvancedShredForm(HWND host, AppContext& ctx) : controller_(ctx) {
    RECT r{};
    GetClientRect(host, &r);
    Create(L"TAdvancedShredForm", L"File Shredder", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0,
           r.right, r.bottom, host);
    skin::ApplyRoundRegion(Handle(), 8);
    CreateControls();
    Layout();
}

void TAdvancedShredForm::CreateControls() {
    const HWND self = Handle();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    list_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"LISTBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0, self,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    for (size_t i = 0; i < dcl::kShredLevels.size(); ++i) {
        levels_[i] = CreateWindowExW(
            0, L"BUTTON", Widen(dcl::kShredLevels[i].Caption).c_str(),
            WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), 0, 0, 0, 0, self,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLevelId + i)), instance, nullptr);
        SendMessageW(levels_[i], WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     TRUE);
    }
    SendMessageW(levels_[0], BM_SETCHECK, BST_CHECKED, 0);

    CreateTextButtons(self, *this, pal::kPage,
                      {{btnAdd, L"Add..", &TAdvancedShredForm::btnAddClick},
                       {btnAddFolder, L"Add Folder", &TAdvancedShredForm::btnAddFolderClick},
                       {btnRemove, L"Remove..", &TAdvancedShredForm::btnRemoveClick},
                       {btnShred, L"Shred", &TAdvancedShredForm::btnShredClick}});
}

void TAdvancedShredForm::Layout() {
    RECT r{};
    GetClientRect(Handle(), &r);
    const int margin = S(16), top = S(96), titleH = S(22), buttonW = S(100), buttonH = S(25);
    const int bottomBlock = S(150);
    const int listW = std::max(S(100), static_cast<int>(r.right) - 2 * margin);
    const int listH = std::max(S(60), static_cast<int>(r.bottom) - top - titleH - bottomBlock);
    MoveWindow(list_, margin, top + titleH, listW, listH, TRUE);
    const int buttonsTop = top + titleH + listH + S(6);
    btnAdd.SetBounds(margin, buttonsTop, buttonW, buttonH);
    btnAddFolder.SetBounds(margin + buttonW + S(8), buttonsTop, buttonW, buttonH);
    btnRemove.SetBounds(margin + 2 * (buttonW + S(8)), buttonsTop, buttonW, buttonH);
    const int groupTop = buttonsTop + buttonH + S(8);
    groupBox_ = {margin, groupTop, margin + S(330), groupTop + S(84)};
    for (int i = 0; i < 3; ++i)
        MoveWindow(levels_[i], margin + S(12), groupTop + S(18) + i * S(20), S(300), S(18), TRUE);
    btnShred.SetBounds(r.right - margin - buttonW, groupTop + S(52), buttonW, buttonH);
}

void TAdvancedShredForm::Show() {
    ShowWindow(Handle(), SW_SHOW);
    BringWindowToTop(Handle());
    Sync();
}

void TAdvancedShredForm::Sync() {
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : controller_.items()) {
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

UINT TAdvancedShredForm::Popup(std::initializer_list<std::pair<UINT, const wchar_t*>> items) {
    const HMENU menu = CreatePopupMenu();
    for (const auto& [id, text] : items) AppendMenuW(menu, MF_STRING, id, text);
    POINT at{};
    GetCursorPos(&at);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, at.x, at.y, 0, Handle(), nullptr));
    DestroyMenu(menu);
    return chosen;
}

std::wstring TAdvancedShredForm::Browse(const wchar_t* title, bool files) {
    BROWSEINFOW info{};
    info.hwndOwner = Handle();
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | (files ? BIF_BROWSEINCLUDEFILES : 0);
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&info);
    if (!pidl) return {};
    wchar_t path[MAX_PATH * 4] = {};
    const bool ok = SHGetPathFromIDListW(pidl, path) != FALSE;
    CoTaskMemFree(pidl);
    return ok ? std::wstring(path) : std::wstring();
}

void TAdvancedShredForm::btnAddClick() {
    switch (Popup({{kAddFiles, L"Add Files..."}, {kAddRecycle, L"Add All Recycle Files..."}})) {
        case kAddFiles:
            AddFiles1Click();
            break;
        case kAddRecycle:
            AddAllRecycleFile1Click();
            break;
        default:
            break;
    }
}

void TAdvancedShredForm::btnRemoveClick() {
    switch (Popup({{kRemoveSelected, L"Remove Selected Files from the list"},
                   {kRemoveAll, L"Remove All Files from the list"}})) {
        case kRemoveSelected:
            RemoveSelectedFilesfromthelist1Click();
            break;
        case kRemoveAll:
            RemoveAllFilesfromthelist1Click();
            break;
        default:
            break;
    }
}

void TAdvancedShredForm::AddFiles1Click() {
    const std::wstring path = Browse(L"Select File", true);
    if (path.empty()) return;
    controller_.add(Narrow(path));
    Sync();
}

void TAdvancedShredForm::AddAllRecycleFile1Click() {
    controller_.addRecycleBinFiles();
    Sync();
}

void TAdvancedShredForm::btnAddFolderClick() {
    const std::wstring path = Browse(L"Select Drive or Directory", false);
    if (path.empty()) return;
    controller_.add(Narrow(path));
    Sync();
}

void TAdvancedShredForm::RemoveSelectedFilesfromthelist1Click() {
    controller_.removeAt(static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0)));  // LB_ERR is -1
    Sync();
}

void TAdvancedShredForm::RemoveAllFilesfromthelist1Click() {
    controller_.clear();
    Sync();
}

void TAdvancedShredForm::btnShredClick() {
    for (size_t i = 0; i < dcl::kShredLevels.size(); ++i) {
        if (SendMessageW(levels_[i], BM_GETCHECK, 0, 0) == BST_CHECKED)
            controller_.setLevel(dcl::kShredLevels[i].Level);
    }
    controller_.shred();
    Sync();
}

void TAdvancedShredForm::Paint(HDC dc, const RECT& r) {
    skin::FillSolid(dc, r, pal::kPage);
    RECT header{S(16), S(10), r.right - S(16), S(32)};
    skin::DrawTextIn(dc, kHeader, header, skin::Face::Bold, pal::kHeading,
                     DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    RECT memo{S(16), S(36), r.right - S(16), S(90)};
    skin::DrawTextIn(dc, kMemo, memo, skin::Face::Normal, pal::kText, DT_LEFT | DT_WORDBREAK);
    RECT title{S(16), S(96), r.right - S(16), S(96) + S(22)};
    skin::FillSolid(dc, title, kTitleBar);
    skin::DrawTextIn(dc, L"  Shred list", title, skin::Face::Bold, RGB(0xFF, 0xFF, 0xFF),
                     DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    // RG: the frame and caption of the level group, drawn here so the radio buttons sit on the page.
    RECT frame = groupBox_;
    frame.top += S(7);
    skin::FillSolid(dc, {frame.left, frame.top, frame.right, frame.top + 1}, pal::kPageLine);
    skin::FillSolid(dc, {frame.left, frame.bottom - 1, frame.right, frame.bottom}, pal::kPageLine);
    skin::FillSolid(dc, {frame.left, frame.top, frame.left + 1, frame.bottom}, pal::kPageLine);
    skin::FillSolid(dc, {frame.right - 1, frame.top, frame.right, frame.bottom}, pal::kPageLine);
    RECT caption{groupBox_.left + S(8), groupBox_.top, groupBox_.left + S(90), groupBox_.top + S(14)};
    skin::FillSolid(dc, caption, pal::kPage);
    skin::DrawTextIn(dc, L" Shred Level", caption, skin::Face::Normal, pal::kText,
                     DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    RECT btn{};
    GetWindowRect(btnShred.Handle(), &btn);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&btn), 2);
    RECT warning{S(360), btn.top - S(28), btn.right, btn.top - S(6)};
    skin::DrawTextIn(dc, L"Warning: Files cannot be recovered.", warning, skin::Face::Bold, kWarningRed,
                     DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
}

LRESULT TAdvancedShredForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const auto paint = [this](HDC dc, const RECT& r) { Paint(dc, r); };
    const auto layout = [this] {
        if (list_) Layout();
    };
    if (const std::optional<LRESULT> drawn = CanvasMessage(Handle(), msg, paint, layout)) return *drawn;
    switch (msg) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return skin::PageControlColour(wp);
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

std::unique_ptr<app::ToolWindow> MakeAdvancedShredForm(const ToolHost& host) {
    return std::make_unique<TAdvancedShredForm>(host.host, host.ctx);
}

}  // namespace trenmoor::views
