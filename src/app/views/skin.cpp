#include "app/views/skin.h"

#include <array>

#include "app/views/gdi.h"

namespace trenmoor::views::skin {
namespace {

int g_screenDpi = 96;
int g_overrideDpi = 0;

struct FontSet {
    int dpi = 0;
    std::array<Font, 7> fonts;
};
FontSet g_fonts;

Font MakeFont(int px96, int weight, bool underline) {
    LOGFONTW lf{};
    lf.lfHeight = -S(px96);
    lf.lfWeight = weight;
    lf.lfUnderline = underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
    return Font(CreateFontIndirectW(&lf));
}

// Tool glyph hues: one colour per tool tile, cycling through a calm set.
constexpr std::array<COLORREF, 5> kGlyphHues{RGB(0x2F, 0x80, 0xC8), RGB(0x2E, 0x9E, 0x7A),
                                             RGB(0xD2, 0x84, 0x2A), RGB(0x7A, 0x5C, 0xC0),
                                             RGB(0xC4, 0x4B, 0x5A)};

}  // namespace

int Dpi() {
    return g_overrideDpi > 0 ? g_overrideDpi : g_screenDpi;
}

void InitDpi() {
    const HDC screen = GetDC(nullptr);
    if (screen) {
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        if (dpi > 0) g_screenDpi = dpi;
        ReleaseDC(nullptr, screen);
    }
}

void OverrideDpi(int dpi) {
    g_overrideDpi = dpi;
}

int S(int px96) {
    return MulDiv(px96, Dpi(), 96);
}

HFONT GetFont(Face face) {
    if (g_fonts.dpi != Dpi()) {
        g_fonts.dpi = Dpi();
        g_fonts.fonts[static_cast<size_t>(Face::Normal)] = MakeFont(12, FW_NORMAL, false);
        g_fonts.fonts[static_cast<size_t>(Face::Bold)] = MakeFont(12, FW_BOLD, false);
        g_fonts.fonts[static_cast<size_t>(Face::Title)] = MakeFont(13, FW_BOLD, false);
        g_fonts.fonts[static_cast<size_t>(Face::Heading)] = MakeFont(15, FW_BOLD, false);
        g_fonts.fonts[static_cast<size_t>(Face::Large)] = MakeFont(22, FW_BOLD, false);
        g_fonts.fonts[static_cast<size_t>(Face::Small)] = MakeFont(11, FW_NORMAL, false);
        g_fonts.fonts[static_cast<size_t>(Face::Underline)] = MakeFont(12, FW_NORMAL, true);
    }
    return g_fonts.fonts[static_cast<size_t>(face)].get();
}

void DrawLine(HDC dc, std::wstring_view text, int x, int y, int width, Face face, COLORREF color) {
    DrawTextIn(dc, text, RECT{x, y, x + width, y + S(18)}, face, color,
               DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

void PaintPageTop(HDC dc, const RECT& r, std::wstring_view heading, std::wstring_view intro) {
    FillSolid(dc, r, palette::kPage);
    const int m = S(16);
    DrawTextIn(dc, heading, RECT{m, S(10), r.right - m, S(32)}, Face::Bold, palette::kHeading,
               DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    DrawTextIn(dc, intro, RECT{m, S(34), r.right - m, S(80)}, Face::Normal, palette::kText,
               DT_LEFT | DT_WORDBREAK);
}

LRESULT PageControlColour(WPARAM dc) {
    SetBkColor(reinterpret_cast<HDC>(dc), palette::kPage);
    static const HBRUSH page = CreateSolidBrush(palette::kPage);
    return reinterpret_cast<LRESULT>(page);
}

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    const Brush brush(CreateSolidBrush(color));
    FillRect(dc, &r, brush.get());
}

void FillGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
    TRIVERTEX v[2] = {};
    v[0].x = r.left;
    v[0].y = r.top;
    v[0].Red = static_cast<COLOR16>(GetRValue(top) << 8);
    v[0].Green = static_cast<COLOR16>(GetGValue(top) << 8);
    v[0].Blue = static_cast<COLOR16>(GetBValue(top) << 8);
    v[1].x = r.right;
    v[1].y = r.bottom;
    v[1].Red = static_cast<COLOR16>(GetRValue(bottom) << 8);
    v[1].Green = static_cast<COLOR16>(GetGValue(bottom) << 8);
    v[1].Blue = static_cast<COLOR16>(GetBValue(bottom) << 8);
    GRADIENT_RECT g{0, 1};
    GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
}

void RoundGradient(HDC dc, const RECT& r, int radius, COLORREF top, COLORREF bottom, COLORREF border) {
    const Region shape(CreateRoundRectRgn(r.left, r.top, r.right + 1, r.bottom + 1, radius, radius));
    SelectClipRgn(dc, shape.get());
    FillGradient(dc, r, top, bottom);
    SelectClipRgn(dc, nullptr);
    const Brush edge(CreateSolidBrush(border));
    FrameRgn(dc, shape.get(), edge.get(), 1, 1);
}

void DrawTextIn(HDC dc, std::wstring_view text, RECT r, Face face, COLORREF color, UINT format) {
    const SelectGuard font(dc, GetFont(face));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, format | DT_NOPREFIX);
}

SIZE MeasureText(HDC dc, std::wstring_view text, Face face) {
    const SelectGuard font(dc, GetFont(face));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

void PaintGroupButton(HDC dc, const RECT& r, std::wstring_view caption, ButtonState state, bool hasTools,
                      bool expanded) {
    FillSolid(dc, r, palette::kColumn);
    RECT face{r.left + S(6), r.top + S(2), r.right - S(6), r.bottom - S(1)};
    COLORREF top = palette::kGroupIdleTop, bottom = palette::kGroupIdleBottom, text = palette::kText;
    COLORREF border = palette::kGroupBorder;
    if (state == ButtonState::Hover) {
        top = palette::kGroupHoverTop;
        bottom = palette::kGroupHoverBottom;
        border = palette::kButtonHoverBorder;
    } else if (state == ButtonState::Selected) {
        top = palette::kGroupSelectedTop;
        bottom = palette::kGroupSelectedBottom;
        border = palette::kGroupSelectedBottom;
        text = palette::kTitleText;
    }
    RoundGradient(dc, face, S(8), top, bottom, border);
    RECT label{face.left + S(12), face.top, face.right - S(22), face.bottom};
    DrawTextIn(dc, caption, label, Face::Bold, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    if (!hasTools) return;
    // A small chevron: pointing down when the group is open, right when it is closed.
    const int cx = face.right - S(14), cy = (face.top + face.bottom) / 2, k = S(3);
    POINT pts[3];
    if (expanded) {
        pts[0] = {cx - k, cy - k / 2};
        pts[1] = {cx + k, cy - k / 2};
        pts[2] = {cx, cy + k};
    } else {
        pts[0] = {cx - k / 2, cy - k};
        pts[1] = {cx - k / 2, cy + k};
        pts[2] = {cx + k, cy};
    }
    const Brush fill(CreateSolidBrush(text));
    const Pen pen(CreatePen(PS_SOLID, 1, text));
    const SelectGuard b(dc, fill.get());
    const SelectGuard p(dc, pen.get());
    Polygon(dc, pts, 3);
}

void PaintToolButton(HDC dc, const RECT& r, std::wstring_view caption, int glyphIndex, ButtonState state) {
    FillSolid(dc, r, palette::kToolArea);
    RECT face{r.left + S(10), r.top + S(2), r.right - S(8), r.bottom - S(2)};
    if (state == ButtonState::Hover) {
        RoundGradient(dc, face, S(6), palette::kToolHover, palette::kToolHover, palette::kToolHover);
    } else if (state == ButtonState::Selected) {
        RoundGradient(dc, face, S(6), palette::kToolSelected, palette::kToolSelected, palette::kGroupBorder);
        RECT bar{face.left + S(1), face.top + S(5), face.left + S(4), face.bottom - S(5)};
        FillSolid(dc, bar, palette::kAccent);
    }
    // The tool's tile: a rounded square in its hue with the caption's first letter.
    const int tile = S(18);
    const int ty = (face.top + face.bottom - tile) / 2;
    RECT tileRect{face.left + S(10), ty, face.left + S(10) + tile, ty + tile};
    const COLORREF hue = kGlyphHues[static_cast<size_t>(glyphIndex) % kGlyphHues.size()];
    RoundGradient(dc, tileRect, S(5), hue, hue, hue);
    const wchar_t letter[2] = {caption.empty() ? L' ' : caption[0], 0};
    DrawTextIn(dc, letter, tileRect, Face::Bold, palette::kTitleText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RECT label{tileRect.right + S(8), face.top, face.right - S(4), face.bottom};
    DrawTextIn(dc, caption, label, state == ButtonState::Selected ? Face::Bold : Face::Normal,
               state == ButtonState::Selected ? palette::kAccent : palette::kText,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void PaintTextButton(HDC dc, const RECT& r, std::wstring_view caption, int faceState, COLORREF background) {
    FillSolid(dc, r, background);
    const bool hovered = faceState == 1;
    RECT face{r.left, r.top, r.right - 1, r.bottom - 1};
    RoundGradient(dc, face, S(6), hovered ? palette::kButtonHoverTop : palette::kButtonTop,
                  hovered ? palette::kButtonHoverBottom : palette::kButtonBottom,
                  hovered ? palette::kButtonHoverBorder : palette::kButtonBorder);
    // Centred as (width - text width) div 2, (height - text height) div 2.
    const SIZE text = MeasureText(dc, caption, Face::Normal);
    const int left = r.left + (r.right - r.left - text.cx) / 2;
    const int top = r.top + (r.bottom - r.top - text.cy) / 2;
    RECT t{left, top, left + text.cx, top + text.cy};
    DrawTextIn(dc, caption, t, Face::Normal, RGB(0, 0, 0), DT_LEFT | DT_TOP | DT_SINGLELINE);
}

void PaintTitleButton(HDC dc, const RECT& r, TitleGlyph glyph, bool hovered) {
    if (hovered) {
        const COLORREF fill = glyph == TitleGlyph::Close ? palette::kCloseHover : RGB(0x3A, 0x63, 0x95);
        RoundGradient(dc, r, S(4), fill, fill, fill);
    }
    const Pen pen(CreatePen(PS_SOLID, S(2) > 1 ? S(2) : 1, palette::kTitleText));
    const SelectGuard p(dc, pen.get());
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2, k = S(4);
    if (glyph == TitleGlyph::Minimize) {
        MoveToEx(dc, cx - k, cy + k / 2, nullptr);
        LineTo(dc, cx + k + 1, cy + k / 2);
    } else {
        MoveToEx(dc, cx - k, cy - k, nullptr);
        LineTo(dc, cx + k + 1, cy + k + 1);
        MoveToEx(dc, cx + k, cy - k, nullptr);
        LineTo(dc, cx - k - 1, cy + k + 1);
    }
}

void ApplyRoundRegion(HWND hwnd, int corner) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    Region region(CreateRoundRectRgn(0, 0, w + 2, h + 2, corner, corner));
    // The window owns the region once it accepts it.
    if (SetWindowRgn(hwnd, region.get(), TRUE)) (void)region.release();
}

}  // namespace trenmoor::views::skin
