// The pages of MainNotebook that the main window fills itself: Home, the Submit Problems frame and the
// One-Click Tweak page. ShowFormPanel and OptionsPanel only host tool windows.
#include <span>
#include <string_view>

#include "app/views/skin.h"
#include "app/views/trenmoor_form.h"
#include "app/views/trenmoor_form_layout.h"
#include "platform/win32/wide.h"

namespace trenmoor::views {

namespace pal = skin::palette;
using platform::win32::Widen;
using skin::S;

namespace {

struct Heading {
    std::wstring_view title;
    std::span<const std::wstring_view> items;
};

constexpr std::wstring_view kRegistryItems[] = {L"ActiveX, OLE, COM Sections", L"Application Paths",
                                                L"Most Recently Used Files", L"Start Menu Item"};
constexpr std::wstring_view kEvidenceItems[] = {L"Internet Explorer", L"Windows Software", L"Windows System",
                                                L"Internet Software"};
constexpr std::wstring_view kDiskItems[] = {L"Temporary files"};

// Left column: registry, then disk space; right column: evidence.
constexpr Heading kLeftHeadings[] = {{L"Correct registry problems", kRegistryItems},
                                     {L"Free up disk space", kDiskItems}};
constexpr Heading kRightHeadings[] = {{L"Clean evidence", kEvidenceItems}};

constexpr int kHeadingTop = 120, kLineHeight = 20;

// Draws headings with bulleted items from (x, y) down; returns the y below the last item.
int DrawHeadings(HDC dc, std::span<const Heading> headings, int x, int y, int right) {
    for (const auto& h : headings) {
        RECT title{x, y, right, y + S(kLineHeight + 2)};
        skin::DrawTextIn(dc, h.title, title, skin::Face::Bold, pal::kHeading,
                         DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        y = title.bottom + S(2);
        for (const auto item : h.items) {
            const int dot = S(6), cy = y + S(kLineHeight) / 2;
            RECT bullet{x + S(6), cy - dot / 2, x + S(6) + dot, cy - dot / 2 + dot};
            skin::RoundGradient(dc, bullet, dot, pal::kAccent, pal::kAccent, pal::kAccent);
            RECT text{x + S(20), y, right, y + S(kLineHeight)};
            skin::DrawTextIn(dc, item, text, skin::Face::Normal, pal::kText,
                             DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            y += S(kLineHeight);
        }
        y += S(12);
    }
    return y;
}

void DrawPageHeader(HDC dc, const RECT& r, std::wstring_view title) {
    RECT header{0, 0, r.right, S(40)};
    skin::FillGradient(dc, header, RGB(0xF7, 0xF9, 0xFC), RGB(0xE9, 0xEF, 0xF6));
    RECT line{0, header.bottom - 1, r.right, header.bottom};
    skin::FillSolid(dc, line, pal::kPageLine);
    RECT text{S(18), 0, r.right - S(18), header.bottom};
    skin::DrawTextIn(dc, title, text, skin::Face::Heading, pal::kHeading,
                     DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

HWND MakeMemo(HWND parent, std::wstring_view text, int x, int y, int w, int h) {
    const std::wstring body(text);
    HWND memo = CreateWindowExW(0, L"EDIT", body.c_str(),
                                WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, x, y, w,
                                h, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(memo, WM_SETFONT, reinterpret_cast<WPARAM>(skin::GetFont(skin::Face::Normal)), TRUE);
    return memo;
}

}  // namespace

void TTrenmoorForm::BuildPages() {
    const int top = S(layout::kTitleHeight + layout::kStripHeight);
    const int bottom = S(layout::kHeight - layout::kFooterHeight);
    const int left = S(layout::kColumnWidth);
    const int w = S(layout::kWidth) - left, h = bottom - top;
    MainNotebook.Create(Handle(), L"MainNotebook", pal::kColumn, left, top, w, h);
    const int m = S(layout::kNotebookMargin);
    MainNotebook.OnPaint = [m](HDC dc, const RECT& r) {
        // A thin frame around the page.
        RECT frame{m - 1, m - 1, r.right - m + 1, r.bottom - m + 1};
        const Brush edge(CreateSolidBrush(pal::kPageLine));
        FrameRect(dc, &frame, edge.get());
    };
    const int pw = w - 2 * m, ph = h - 2 * m;
    HomePanel.Create(MainNotebook.Handle(), L"HomePanel", pal::kPage, m, m, pw, ph);
    ShowFormPanel.Create(MainNotebook.Handle(), L"ShowFormPanel", pal::kPage, m, m, pw, ph);
    OptionsPanel.Create(MainNotebook.Handle(), L"OptionsPanel", pal::kPage, m, m, pw, ph);
    SubmitProblemsPanel.Create(MainNotebook.Handle(), L"SubmitProblemsPanel", pal::kPage, m, m, pw, ph);
    OneClickTweakPanel.Create(MainNotebook.Handle(), L"OneClickTweakPanel", pal::kPage, m, m, pw, ph);
    for (TPanel* page : {&ShowFormPanel, &OptionsPanel, &SubmitProblemsPanel, &OneClickTweakPanel})
        page->SetVisible(false);
    BuildSubmitPage();
    BuildOneClickTweakPage();
}

void TTrenmoorForm::BuildSubmitPage() {
    RECT r{};
    GetClientRect(SubmitProblemsPanel.Handle(), &r);
    SubmitProblemsPanel.OnPaint = [](HDC dc, const RECT& r) {
        DrawPageHeader(dc, r, L"Submit Problems");
        // The contact form itself is not part of the program yet.
        RECT note{S(18), S(112), r.right - S(18), S(132)};
        skin::DrawTextIn(dc, L"Contact form", note, skin::Face::Bold, pal::kHeading,
                         DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        RECT body{S(18), S(134), r.right - S(18), S(154)};
        skin::DrawTextIn(dc, L"Not built yet", body, skin::Face::Normal, pal::kMutedText,
                         DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    };
    Memo1 = MakeMemo(SubmitProblemsPanel.Handle(), Widen(app::kSubmitIntroText), S(18), S(52),
                     r.right - S(36), S(48));
}

void TTrenmoorForm::BuildOneClickTweakPage() {
    RECT r{};
    GetClientRect(OneClickTweakPanel.Handle(), &r);
    OneClickTweakPanel.OnPaint = [](HDC dc, const RECT& r) {
        DrawPageHeader(dc, r, L"1-Click Tweak");
        const int mid = r.right / 2;
        DrawHeadings(dc, kLeftHeadings, S(18), S(kHeadingTop), mid - S(8));
        DrawHeadings(dc, kRightHeadings, mid + S(8), S(kHeadingTop), r.right - S(18));
    };
    Memo2 = MakeMemo(OneClickTweakPanel.Handle(), Widen(app::kOneClickPageText), S(18), S(52),
                     r.right - S(36), S(60));
    const int bw = S(140), bh = S(30);
    subOneClickTweakBtn.Create(OneClickTweakPanel.Handle(), L"One Click Tweak", S(18), r.bottom - bh - S(22),
                               bw, bh);
    MakeTextButton(subOneClickTweakBtn, L"One Click Tweak", pal::kPage);
    subOneClickTweakBtn.OnClick = [this] { subOneClickTweakBtnClick(); };
}

}  // namespace trenmoor::views
