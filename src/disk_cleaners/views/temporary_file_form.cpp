#include "disk_cleaners/views/temporary_file_form.h"

#include "app/views/modal_window.h"
#include "app/views/skin.h"
#include "platform/win32/wide.h"

namespace trenmoor::views {
namespace {

using platform::win32::Narrow;
using platform::win32::Widen;
using skin::S;

constexpr int kExtensionId = 701;

HWND MakeControl(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
                 int h, int id = 0, DWORD ex = 0) {
    const HWND c = CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return c;
}

std::string TextOf(HWND h) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

std::string Trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

TTemporaryFileForm::TTemporaryFileForm(HWND owner, const wchar_t* caption, const std::string& extension,
                                       const std::string& description)
    : owner_(owner) {
    const int w = S(380), h = S(190);
    RECT o{};
    GetWindowRect(owner ? GetAncestor(owner, GA_ROOT) : GetDesktopWindow(), &o);
    Create(L"TTemporaryFileForm", caption, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
           o.left + (o.right - o.left - w) / 2, o.top + (o.bottom - o.top - h) / 2, w, h, owner);
    RECT r{};
    GetClientRect(Handle(), &r);
    const int m = S(12), labelW = S(100), editX = m + labelW, editW = r.right - editX - m;
    MakeControl(Handle(), L"STATIC", L"Enter the filename with extension you want to search for...", 0, m, m,
                r.right - 2 * m, S(18));
    MakeControl(Handle(), L"STATIC", L"File Extension", 0, m, m + S(32), labelW, S(18));
    ext_ = MakeControl(Handle(), L"EDIT", Widen(extension).c_str(), WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                       editX, m + S(30), editW, S(22), kExtensionId);
    MakeControl(Handle(), L"STATIC", L"File Description", 0, m, m + S(64), labelW, S(18));
    desc_ = MakeControl(Handle(), L"EDIT", Widen(description).c_str(),
                        WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, editX, m + S(62), editW, S(22));
    ok_ = MakeControl(Handle(), L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, r.right - m - S(170),
                      r.bottom - m - S(26), S(80), S(26), IDOK);
    MakeControl(Handle(), L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, r.right - m - S(80),
                r.bottom - m - S(26), S(80), S(26), IDCANCEL);
    edExtensionChange();
}

std::string TTemporaryFileForm::Extension() const {
    return TextOf(ext_);
}
std::string TTemporaryFileForm::Description() const {
    return TextOf(desc_);
}

void TTemporaryFileForm::edExtensionChange() {
    EnableWindow(ok_, !Trimmed(Extension()).empty());
}

bool TTemporaryFileForm::ShowModal() {
    RunModal(Handle(), owner_, done_, ext_);
    return accepted_;
}

void TTemporaryFileForm::mrOkBtnClick() {
    if (Trimmed(Extension()).empty()) return;
    accepted_ = true;
    done_ = true;
}

void TTemporaryFileForm::mrCancelBtnClick() {
    accepted_ = false;
    done_ = true;
}

LRESULT TTemporaryFileForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (const std::optional<LRESULT> face = ButtonFaceMessage(Handle(), msg, wp)) return *face;
    switch (msg) {
        case WM_CLOSE:
            mrCancelBtnClick();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) mrOkBtnClick();
            if (LOWORD(wp) == IDCANCEL) mrCancelBtnClick();
            if (LOWORD(wp) == kExtensionId && HIWORD(wp) == EN_CHANGE) edExtensionChange();
            return 0;
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

}  // namespace trenmoor::views
