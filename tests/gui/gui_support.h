#pragma once
// Helpers for tests that drive real windows: message pumping with time limits, clicks as real mouse
// messages, window facts, and screenshots saved as PNG into $TRENMOOR_SCREENSHOTS.
#include <windows.h>

#include <functional>
#include <string>

namespace trenmoor::testing {

// Lets pending messages run for about `ms` milliseconds.
void Pump(int ms = 30);
// Pumps until `done` holds or `timeoutMs` passed; returns whether it holds.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
// A left click in the middle of the control: WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP to its window,
// then WM_MOUSELEAVE.
void Click(HWND control);
void Hover(HWND control);
void Leave(HWND control);

std::wstring ClassOf(HWND hwnd);
std::wstring TextOf(HWND hwnd);
// The child at the top of `parent`'s z-order among the visible ones.
HWND TopVisibleChild(HWND parent);
int CountChildren(HWND parent);

// Captures the window's screen area into <folder>/<name>.png; returns the file path ("" on failure).
std::wstring SaveScreenshot(HWND hwnd, const std::wstring& name);
// The RGB colour of one pixel of the window as shown on the screen.
COLORREF ScreenPixel(HWND hwnd, int x, int y);

}  // namespace trenmoor::testing
