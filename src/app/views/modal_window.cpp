#include "app/views/modal_window.h"

namespace trenmoor::views {

void RunModal(HWND dialog, HWND owner, const bool& done, HWND focus) {
    const HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    if (root) EnableWindow(root, FALSE);
    ShowWindow(dialog, SW_SHOW);
    if (focus) SetFocus(focus);
    MSG msg;
    while (!done && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (root) {
        EnableWindow(root, TRUE);
        SetActiveWindow(root);
    }
    ShowWindow(dialog, SW_HIDE);
}

std::optional<LRESULT> ButtonFaceMessage(HWND window, UINT msg, WPARAM wp) {
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r{};
            GetClientRect(window, &r);
            FillRect(reinterpret_cast<HDC>(wp), &r, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_CTLCOLORSTATIC:
            SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        default:
            return std::nullopt;
    }
}

}  // namespace trenmoor::views
