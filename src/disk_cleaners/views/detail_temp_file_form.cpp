#include "disk_cleaners/views/detail_temp_file_form.h"

#include <string>

#include "app/views/modal_window.h"
#include "app/views/skin.h"
#include "disk_cleaners/junk_report.h"
#include "platform/win32/wide.h"

namespace trenmoor::views {
namespace {

using platform::win32::Widen;
using skin::S;

constexpr int kListId = 601;
constexpr COLORREF kShade = RGB(240, 239, 236);  // rows 0, 2, 4, ...; the others white

HWND MakeControl(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
                 int h, int id = 0, DWORD ex = 0) {
    const HWND c = CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return c;
}

}  // namespace

TDetailTempFileForm::TDetailTempFileForm(HWND owner, std::vector<const disk_cleaners::TTempFileInfo*> files)
    : owner_(owner), files_(std::move(files)) {
    const int w = S(600), h = S(400);
    RECT o{};
    GetWindowRect(owner ? GetAncestor(owner, GA_ROOT) : GetDesktopWindow(), &o);
    Create(L"TDetailTempFileForm", L"Details of Temporary Files found", WS_POPUP | WS_CAPTION | WS_SYSMENU,
           WS_EX_DLGMODALFRAME, o.left + (o.right - o.left - w) / 2, o.top + (o.bottom - o.top - h) / 2, w, h,
           owner);
    RECT r{};
    GetClientRect(Handle(), &r);
    const int m = S(10);
    total_ = MakeControl(Handle(), L"STATIC", Widen(disk_cleaners::DetailsTotalText(files_.size())).c_str(),
                         0, m, m, S(200), S(18));
    list_ = MakeControl(Handle(), WC_LISTVIEWW, L"", LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL, m, m + S(22),
                        r.right - 2 * m, r.bottom - 2 * m - S(56), kListId, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
    int i = 0;
    for (const auto& [caption, width] :
         {std::pair{L"File Name", 150}, std::pair{L"File Size", 80}, std::pair{L"Path", 330}}) {
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH;
        c.pszText = const_cast<wchar_t*>(caption);
        c.cx = S(width);
        ListView_InsertColumn(list_, i++, &c);
    }
    ListView_SetItemCountEx(list_, static_cast<int>(files_.size()), 0);
    close_ = MakeControl(Handle(), L"BUTTON", L"Close", BS_DEFPUSHBUTTON, r.right - m - S(90),
                         r.bottom - m - S(26), S(90), S(26), IDCANCEL);
}

void TDetailTempFileForm::ShowModal() {
    RunModal(Handle(), owner_, done_);
}

void TDetailTempFileForm::CloseBtnClick() {
    done_ = true;
    ShowWindow(Handle(), SW_HIDE);
}

LRESULT TDetailTempFileForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (const std::optional<LRESULT> face = ButtonFaceMessage(Handle(), msg, wp)) return *face;
    switch (msg) {
        case WM_CLOSE:
            CloseBtnClick();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wp) == IDCANCEL) CloseBtnClick();
            return 0;
        case WM_NOTIFY: {
            auto& header = *reinterpret_cast<NMHDR*>(lp);
            if (header.idFrom != kListId) break;
            if (header.code == LVN_GETDISPINFOW) {
                auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
                const size_t row = static_cast<size_t>(info.item.iItem);
                if (row < files_.size() && (info.item.mask & LVIF_TEXT)) {
                    const disk_cleaners::TTempFileInfo& f = *files_[row];
                    const std::wstring text = info.item.iSubItem == 0 ? Widen(f.FileName)
                                              : info.item.iSubItem == 1
                                                  ? Widen(disk_cleaners::DetailsSizeText(f.Size))
                                                  : Widen(f.FullPath);
                    lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
                }
                return 0;
            }
            if (header.code == NM_CUSTOMDRAW) {
                auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
                if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
                if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                    draw.clrTextBk = draw.nmcd.dwItemSpec % 2 == 0 ? kShade : RGB(255, 255, 255);
                    return CDRF_DODEFAULT;
                }
            }
            return 0;
        }
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

}  // namespace trenmoor::views
