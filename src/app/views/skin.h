#pragma once
// The program's skin, drawn with GDI: one palette, one set of fonts, and the painters of every kind of
// skinned control (group and tool buttons, text buttons, title-bar buttons, links, window frames).
// Sizes are given at 96 DPI and scaled to the screen's pixels per inch.
#include <windows.h>

#include <string_view>

namespace trenmoor::views::skin {

namespace palette {
inline constexpr COLORREF kTitleTop = RGB(0x1E, 0x44, 0x72);
inline constexpr COLORREF kTitleBottom = RGB(0x15, 0x32, 0x56);
inline constexpr COLORREF kTitleText = RGB(0xFF, 0xFF, 0xFF);
inline constexpr COLORREF kStrip = RGB(0xE6, 0xEC, 0xF4);
inline constexpr COLORREF kStripLine = RGB(0xC4, 0xD0, 0xDE);
inline constexpr COLORREF kColumn = RGB(0xF1, 0xF4, 0xF8);
inline constexpr COLORREF kColumnLine = RGB(0xC4, 0xD0, 0xDE);
inline constexpr COLORREF kGroupIdleTop = RGB(0xFF, 0xFF, 0xFF);
inline constexpr COLORREF kGroupIdleBottom = RGB(0xE3, 0xE9, 0xF1);
inline constexpr COLORREF kGroupHoverTop = RGB(0xF0, 0xF6, 0xFE);
inline constexpr COLORREF kGroupHoverBottom = RGB(0xCF, 0xE1, 0xF7);
inline constexpr COLORREF kGroupSelectedTop = RGB(0x35, 0x76, 0xC2);
inline constexpr COLORREF kGroupSelectedBottom = RGB(0x22, 0x55, 0x96);
inline constexpr COLORREF kGroupBorder = RGB(0xB4, 0xC3, 0xD6);
inline constexpr COLORREF kToolArea = RGB(0xFA, 0xFB, 0xFD);
inline constexpr COLORREF kToolHover = RGB(0xE4, 0xEE, 0xFA);
inline constexpr COLORREF kToolSelected = RGB(0xD2, 0xE3, 0xF8);
inline constexpr COLORREF kAccent = RGB(0x2A, 0x62, 0xAC);
inline constexpr COLORREF kText = RGB(0x1F, 0x2D, 0x3D);
inline constexpr COLORREF kMutedText = RGB(0x6B, 0x78, 0x88);
inline constexpr COLORREF kPage = RGB(0xFF, 0xFF, 0xFF);
inline constexpr COLORREF kPageLine = RGB(0xC4, 0xD0, 0xDE);
inline constexpr COLORREF kHeading = RGB(0x1E, 0x44, 0x72);
inline constexpr COLORREF kButtonTop = RGB(0xFD, 0xFE, 0xFF);
inline constexpr COLORREF kButtonBottom = RGB(0xDF, 0xE6, 0xEF);
inline constexpr COLORREF kButtonBorder = RGB(0x94, 0xA8, 0xC0);
inline constexpr COLORREF kButtonHoverTop = RGB(0xEE, 0xF6, 0xFF);
inline constexpr COLORREF kButtonHoverBottom = RGB(0xC6, 0xDD, 0xF8);
inline constexpr COLORREF kButtonHoverBorder = RGB(0x4C, 0x83, 0xC6);
inline constexpr COLORREF kLinkHover = RGB(0x0F, 0x59, 0xBC);
inline constexpr COLORREF kLink = RGB(0x00, 0x00, 0x00);
inline constexpr COLORREF kCloseHover = RGB(0xD9, 0x3F, 0x3F);
inline constexpr COLORREF kNavy = RGB(0x00, 0x00, 0x80);
}  // namespace palette

// Pixels per inch the layout is scaled to (96 = 100 %).
int Dpi();
// Reads the screen's pixels per inch (LOGPIXELSY). Called once before the first window is made.
void InitDpi();
// Lays out at another scale, for previews of the skin at other screen settings; 0 returns to the screen.
void OverrideDpi(int dpi);
// A length at 96 DPI in pixels of the current scale.
int S(int px96);

enum class Face { Normal, Bold, Title, Heading, Large, Small, Underline };
HFONT GetFont(Face face);

enum class ButtonState { Idle, Hover, Selected };

void FillSolid(HDC dc, const RECT& r, COLORREF color);
// WM_CTLCOLORSTATIC / WM_CTLCOLORBTN of a child on the white page: the page colour behind its text and
// the page brush (shared, never deleted).
LRESULT PageControlColour(WPARAM dc);
void FillGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom);
void RoundGradient(HDC dc, const RECT& r, int radius, COLORREF top, COLORREF bottom, COLORREF border);
void DrawTextIn(HDC dc, std::wstring_view text, RECT r, Face face, COLORREF color, UINT format);
// One line of text at (x, y), `width` wide, cut with an ellipsis when it does not fit.
void DrawLine(HDC dc, std::wstring_view text, int x, int y, int width, Face face, COLORREF color);
// The top of a wizard page: the page filled white, the bold heading and the wrapped introduction below.
void PaintPageTop(HDC dc, const RECT& r, std::wstring_view heading, std::wstring_view intro);
// Text extent of `text` in `face`.
SIZE MeasureText(HDC dc, std::wstring_view text, Face face);

void PaintGroupButton(HDC dc, const RECT& r, std::wstring_view caption, ButtonState state, bool hasTools,
                      bool expanded);
void PaintToolButton(HDC dc, const RECT& r, std::wstring_view caption, int glyphIndex, ButtonState state);
// A text button face: state 0 normal, 1 hovered; the caption centred as DrawButtonCaption places it.
void PaintTextButton(HDC dc, const RECT& r, std::wstring_view caption, int faceState, COLORREF background);
enum class TitleGlyph { Minimize, Close };
void PaintTitleButton(HDC dc, const RECT& r, TitleGlyph glyph, bool hovered);

// The round-rectangle window shape: (0,0)-(w+2,h+2) with the given corner ellipse.
void ApplyRoundRegion(HWND hwnd, int corner);

}  // namespace trenmoor::views::skin
