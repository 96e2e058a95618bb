#include "app/views/win32_ui.h"

#include <string>

#include "platform/win32/wide.h"

namespace trenmoor::views {
namespace {

UINT IconFlag(platform::MsgIcon icon) {
    switch (icon) {
        case platform::MsgIcon::Information:
            return MB_ICONINFORMATION;
        case platform::MsgIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case platform::MsgIcon::Error:
            return MB_ICONERROR;
        case platform::MsgIcon::Question:
            return MB_ICONQUESTION;
        case platform::MsgIcon::None:
            break;
    }
    return 0;
}

UINT ButtonFlag(platform::MsgButtons buttons) {
    switch (buttons) {
        case platform::MsgButtons::OkCancel:
            return MB_OKCANCEL;
        case platform::MsgButtons::YesNo:
            return MB_YESNO;
        case platform::MsgButtons::YesNoCancel:
            return MB_YESNOCANCEL;
        case platform::MsgButtons::Ok:
            break;
    }
    return MB_OK;
}

}  // namespace

std::wstring MessageText(std::string_view text) {
    const std::wstring wide = platform::win32::Widen(text);
    std::wstring out;
    out.reserve(wide.size() + 8);
    for (size_t i = 0; i < wide.size(); ++i) {
        out += wide[i];
        if (wide[i] == L'\r' && (i + 1 >= wide.size() || wide[i + 1] != L'\n')) out += L'\n';
    }
    return out;
}

platform::MsgResult Win32Ui::messageBox(std::string_view text, std::string_view caption,
                                        platform::MsgIcon icon, platform::MsgButtons buttons) {
    const std::wstring body = MessageText(text);
    const std::wstring title = platform::win32::Widen(caption);
    const HWND owner = Owner && IsWindow(Owner) ? Owner : nullptr;
    switch (MessageBoxW(owner, body.c_str(), title.c_str(), IconFlag(icon) | ButtonFlag(buttons))) {
        case IDYES:
            return platform::MsgResult::Yes;
        case IDNO:
            return platform::MsgResult::No;
        case IDCANCEL:
            return platform::MsgResult::Cancel;
        default:
            break;
    }
    return platform::MsgResult::Ok;
}

void Win32Ui::processMessages() {
    // Bounded in time: a timer whose handler takes longer than its period would otherwise keep the
    // queue full and this call would never return to the loop that made it.
    constexpr ULONGLONG kBudgetMs = 50;
    const ULONGLONG start = GetTickCount64();
    MSG msg;
    while (GetTickCount64() - start < kBudgetMs && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The main loop must still see it, or the program would not end.
            quitSeen_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace trenmoor::views
