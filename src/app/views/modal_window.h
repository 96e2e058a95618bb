#pragma once
// What the small modal windows of the tools share: their message loop over a disabled owner, and their
// button-face background.
#include <windows.h>

#include <optional>

namespace trenmoor::views {

// Shows `dialog` and runs messages until `done` turns true. The top window of `owner` is disabled
// meanwhile and active again afterwards; Tab and Enter work as in a dialog. `focus` gets the focus first.
void RunModal(HWND dialog, HWND owner, const bool& done, HWND focus = nullptr);

// WM_ERASEBKGND and WM_CTLCOLORSTATIC of a window drawn in the button-face colour; nothing for any
// other message.
std::optional<LRESULT> ButtonFaceMessage(HWND window, UINT msg, WPARAM wp);

}  // namespace trenmoor::views
