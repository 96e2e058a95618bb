#include "app/views/skin_images.h"

#include <cmath>
#include <functional>

#include "app/data_module.h"
#include "app/views/gdi.h"
#include "app/views/skin.h"

namespace trenmoor::views {
namespace {

namespace pal = skin::palette;

// Colour keyed as transparent in every list.
constexpr COLORREF kMask = RGB(0xFF, 0x00, 0xFF);

using Painter = std::function<void(HDC dc, const RECT& r, int index)>;

// Draws `count` images of w x h with `paint` onto a mask-keyed bitmap and adds them to a new list.
HIMAGELIST Build(int w, int h, int count, const Painter& paint) {
    HIMAGELIST list = ImageList_Create(w, h, ILC_COLOR24 | ILC_MASK, count, 0);
    if (!list) return nullptr;
    const HDC screen = GetDC(nullptr);
    for (int i = 0; i < count; ++i) {
        Bitmap bitmap(CreateCompatibleBitmap(screen, w, h));
        const HDC dc = CreateCompatibleDC(screen);
        {
            const SelectGuard select(dc, bitmap.get());
            RECT r{0, 0, w, h};
            skin::FillSolid(dc, r, kMask);
            paint(dc, r, i);
        }
        DeleteDC(dc);
        ImageList_AddMasked(list, bitmap.get(), kMask);
    }
    ReleaseDC(nullptr, screen);
    return list;
}

void Disc(HDC dc, int cx, int cy, int radius, COLORREF color) {
    RECT r{cx - radius, cy - radius, cx + radius + 1, cy + radius + 1};
    skin::RoundGradient(dc, r, 2 * radius + 1, color, color, color);
}

void CheckBox(HDC dc, const RECT& box, bool checked) {
    skin::RoundGradient(dc, box, 4, RGB(0xFF, 0xFF, 0xFF), RGB(0xEE, 0xF2, 0xF7), pal::kButtonBorder);
    if (!checked) return;
    const Pen pen(CreatePen(PS_SOLID, 2, pal::kAccent));
    const SelectGuard p(dc, pen.get());
    MoveToEx(dc, box.left + 3, box.top + (box.bottom - box.top) / 2, nullptr);
    LineTo(dc, box.left + 6, box.bottom - 4);
    LineTo(dc, box.right - 3, box.top + 3);
}

// A ring of eight dots, one of them lit: frame `step` of the scan animation.
void Spinner(HDC dc, const RECT& r, int step) {
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    for (int k = 0; k < 8; ++k) {
        const double a = k * 3.14159265358979 / 4.0;
        const int x = cx + static_cast<int>(std::lround(5.5 * std::sin(a)));
        const int y = cy - static_cast<int>(std::lround(5.5 * std::cos(a)));
        const int distance = (step - k + 8) % 8;
        const COLORREF c = distance == 0   ? pal::kAccent
                           : distance == 1 ? RGB(0x7F, 0xA6, 0xD6)
                                           : RGB(0xC9, 0xD6, 0xE6);
        Disc(dc, x, y, distance == 0 ? 2 : 1, c);
    }
}

void Mark(HDC dc, const RECT& r, bool clean) {
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    Disc(dc, cx, cy, 7, clean ? RGB(0x2E, 0x9E, 0x5A) : RGB(0xD2, 0x45, 0x3C));
    const Pen pen(CreatePen(PS_SOLID, 2, RGB(0xFF, 0xFF, 0xFF)));
    const SelectGuard p(dc, pen.get());
    if (clean) {
        MoveToEx(dc, cx - 4, cy, nullptr);
        LineTo(dc, cx - 1, cy + 3);
        LineTo(dc, cx + 4, cy - 3);
    } else {
        MoveToEx(dc, cx, cy - 4, nullptr);
        LineTo(dc, cx, cy + 1);
        MoveToEx(dc, cx, cy + 3, nullptr);
        LineTo(dc, cx, cy + 4);
    }
}

void Folder(HDC dc, const RECT& r, COLORREF color) {
    RECT tab{r.left + 1, r.top + 3, r.left + 7, r.top + 6};
    skin::FillSolid(dc, tab, color);
    RECT body{r.left + 1, r.top + 5, r.right - 1, r.bottom - 2};
    skin::RoundGradient(dc, body, 3, color, color, color);
}

}  // namespace

HIMAGELIST MakeStatImageList() {
    return Build(16, 16, kStatImageCount, [](HDC dc, const RECT& r, int i) {
        if (i == kStatNotSelected || i == kStatSelected) {
            CheckBox(dc, RECT{r.left + 1, r.top + 1, r.right - 2, r.bottom - 2}, i == kStatSelected);
        } else if (i >= kStatFrameFirst && i <= kStatFrameLast) {
            Spinner(dc, r, i - kStatFrameFirst);
        } else if (i == kStatScannedClean || i == kStatScannedProblems) {
            Mark(dc, r, i == kStatScannedClean);
        } else {
            Folder(dc, r, RGB(0xE0, 0xB0, 0x4C));  // waiting section
        }
    });
}

HIMAGELIST MakeTreeImageList() {
    return Build(16, 16, kTreeImageCount, [](HDC dc, const RECT& r, int i) {
        if (i >= kTreeFrameFirst && i <= kTreeFrameLast) {
            Spinner(dc, r, i - kTreeFrameFirst);
        } else if (i == 0 || i == 1) {
            CheckBox(dc, RECT{r.left + 1, r.top + 1, r.right - 2, r.bottom - 2}, i == 1);
        } else {
            static constexpr COLORREF kHues[] = {RGB(0x2F, 0x80, 0xC8), RGB(0x2E, 0x9E, 0x7A),
                                                 RGB(0xD2, 0x84, 0x2A), RGB(0x7A, 0x5C, 0xC0),
                                                 RGB(0xC4, 0x4B, 0x5A), RGB(0x6B, 0x78, 0x88)};
            Folder(dc, r, kHues[(i - 2) % 6]);
        }
    });
}

HIMAGELIST MakeProblemsImageList() {
    return Build(16, 70, 2, [](HDC dc, const RECT& r, int i) {
        const int top = (r.bottom - 14) / 2;
        CheckBox(dc, RECT{1, top, 15, top + 14}, i == kProblemChecked);
    });
}

HIMAGELIST MakeLevelImageList() {
    return Build(36, 12, 3, [](HDC dc, const RECT&, int i) {
        // Three bars; as many lit as the level is high.
        static constexpr COLORREF kLit[] = {RGB(0x2E, 0x9E, 0x5A), RGB(0xE0, 0x9A, 0x2A),
                                            RGB(0xD2, 0x45, 0x3C)};
        for (int bar = 0; bar < 3; ++bar) {
            RECT b{1 + bar * 12, 2, 11 + bar * 12, 10};
            const COLORREF c = bar <= i ? kLit[i] : RGB(0xD5, 0xDD, 0xE8);
            skin::RoundGradient(dc, b, 3, c, c, c);
        }
    });
}

HIMAGELIST MakeMinMaxImageList() {
    return Build(21, 21, 1, [](HDC dc, const RECT& r, int) {
        RECT page{r.left + 4, r.top + 2, r.right - 4, r.bottom - 2};
        skin::RoundGradient(dc, page, 3, RGB(0xFF, 0xFF, 0xFF), RGB(0xE6, 0xEC, 0xF4), pal::kButtonBorder);
        for (int y = 7; y <= 14; y += 3) {
            RECT line{page.left + 3, y, page.right - 3, y + 1};
            skin::FillSolid(dc, line, pal::kAccent);
        }
    });
}

HIMAGELIST MakeBtnImageList() {
    return Build(kBtnImageWidth, kBtnImageHeight, 2,
                 [](HDC dc, const RECT& r, int i) { skin::PaintTextButton(dc, r, L"", i, kMask); });
}

HIMAGELIST MakeScanNowImageList() {
    return Build(kScanNowImageWidth, kScanNowImageHeight, 2, [](HDC dc, const RECT& r, int i) {
        RECT face{r.left + 2, r.top + 2, r.right - 3, r.bottom - 3};
        const bool hot = i == kButtonHovered;
        skin::RoundGradient(dc, face, 18, hot ? RGB(0x4A, 0x8B, 0xD6) : pal::kGroupSelectedTop,
                            hot ? RGB(0x2A, 0x62, 0xAC) : pal::kGroupSelectedBottom,
                            pal::kGroupSelectedBottom);
    });
}

HIMAGELIST MakePopupImageList() {
    return Build(16, 16, 1, [](HDC dc, const RECT& r, int) {
        RECT tile{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        skin::RoundGradient(dc, tile, 5, pal::kGroupSelectedTop, pal::kGroupSelectedBottom,
                            pal::kGroupSelectedBottom);
    });
}

}  // namespace trenmoor::views
