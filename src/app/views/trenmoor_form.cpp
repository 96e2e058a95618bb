#include "app/views/trenmoor_form.h"

#include <algorithm>

#include "app/views/about_form.h"
#include "app/views/skin.h"
#include "app/views/trenmoor_form_layout.h"
#include "common/shared_helpers.h"
#include "platform/win32/wide.h"

namespace trenmoor::views {

namespace pal = skin::palette;
using platform::win32::Widen;
using skin::S;

namespace {
constexpr UINT_PTR kAnimationTimer = 1;
}

TTrenmoorForm::TTrenmoorForm(AppContext& ctx, TDM& dm, TDMView& dmView)
    : ctx_(ctx), dm_(dm), dmView_(dmView), navigation_(ctx, dm, *this), controller_(ctx, navigation_) {
    const int w = S(layout::kWidth), h = S(layout::kHeight);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + std::max(0, static_cast<int>(work.right - work.left - w) / 2);
    const int y = work.top + std::max(0, static_cast<int>(work.bottom - work.top - h) / 2);
    Create(L"TTrenmoorForm", Widen(kProgramName), WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX,
           WS_EX_APPWINDOW, x, y, w, h, nullptr);
    // FormCreate: the rounded shape, the title, the Submit Problems text, no registry scan yet.
    skin::ApplyRoundRegion(Handle(), 12);
    BuildTitle();
    BuildNavigation();
    BuildPages();
    BuildFooter();
    navigation_.RegistryScanDone = false;
    navigation_.OnChanged = [this] { NavigationChanged(); };

    dmView_.OnOpen = [this] {
        ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(Handle());
    };
    dmView_.OnHome = [this] { OpenURL(ctx_.platform.shell(), ctx_.settings.HomePage); };
    dmView_.OnAbout = [this] { AboutBtnClick(); };
    dmView_.OnExit = [this] { PostMessageW(Handle(), WM_CLOSE, 0, 0); };
}

TTrenmoorForm::~TTrenmoorForm() {
    dmView_.OnOpen = nullptr;
    dmView_.OnHome = nullptr;
    dmView_.OnAbout = nullptr;
    dmView_.OnExit = nullptr;
}

ToolHost TTrenmoorForm::Host(HWND panel) {
    return ToolHost{panel, ctx_, dm_, dmView_, navigation_};
}

std::unique_ptr<app::ToolWindow> TTrenmoorForm::CreateTool(app::ToolId tool) {
    return MakeToolWindow(tool, Host(ShowFormPanel.Handle()));
}

std::unique_ptr<app::ToolWindow> TTrenmoorForm::CreateOptions() {
    return MakeOptionsWindow(Host(OptionsPanel.Handle()));
}

void TTrenmoorForm::Show() {
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
    if (shown_) return;
    shown_ = true;
    controller_.FormShow();
    FinishAnimation();
    if (controller_.TerminateRequested()) PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TTrenmoorForm::BuildTitle() {
    const int w = S(layout::kWidth), th = S(layout::kTitleHeight);
    TopPanel.Create(Handle(), L"TopPanel", pal::kTitleBottom, 0, 0, w, th);
    TopPanel.OnPaint = [](HDC dc, const RECT& r) {
        skin::FillGradient(dc, r, pal::kTitleTop, pal::kTitleBottom);
    };
    TopPanel.OnMouseDown = [this](int, int) { TopPanelMouseDown(); };
    TopPanel.OnRightClick = [this](int x, int y) {
        POINT p{x, y};
        ClientToScreen(TopPanel.Handle(), &p);
        TopPanelRightClick(p);
    };

    const std::wstring title = Widen(app::AppNameVersion());
    const int bw = S(layout::kTitleButtonWidth);
    LabelAppNameVer.Create(TopPanel.Handle(), title, S(12), 0, w - 2 * bw - S(24), th);
    LabelAppNameVer.OnPaint = [](HDC dc, const RECT& r, const TImageEx& self) {
        skin::FillGradient(dc, r, pal::kTitleTop, pal::kTitleBottom);
        // A small mark before the name: the program's tile.
        const int k = S(14);
        RECT tile{0, (r.bottom - k) / 2, k, (r.bottom - k) / 2 + k};
        skin::RoundGradient(dc, tile, S(4), RGB(0xFF, 0xFF, 0xFF), RGB(0xD6, 0xE4, 0xF5),
                            RGB(0xFF, 0xFF, 0xFF));
        skin::DrawTextIn(dc, L"T", tile, skin::Face::Bold, pal::kTitleTop,
                         DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        RECT text{k + S(8), 0, r.right, r.bottom};
        skin::DrawTextIn(dc, self.Caption(), text, skin::Face::Title, pal::kTitleText,
                         DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    };
    LabelAppNameVer.OnMouseDown = [this](int, int) { TopPanelMouseDown(); };
    LabelAppNameVer.OnRightClick = [this](int x, int y) {
        POINT p{x, y};
        ClientToScreen(LabelAppNameVer.Handle(), &p);
        TopPanelRightClick(p);
    };

    auto titleButton = [](skin::TitleGlyph glyph) {
        return [glyph](HDC dc, const RECT& r, const TImageEx& self) {
            skin::FillGradient(dc, r, pal::kTitleTop, pal::kTitleBottom);
            RECT face{r.left + S(3), r.top + S(3), r.right - S(3), r.bottom - S(3)};
            skin::PaintTitleButton(dc, face, glyph, self.Hovered());
        };
    };
    MinimizeBtn.Create(TopPanel.Handle(), L"Minimize", w - 2 * bw - S(6), 0, bw, th);
    MinimizeBtn.OnPaint = titleButton(skin::TitleGlyph::Minimize);
    MinimizeBtn.OnClick = [this] { MinimizeBtnClick(); };
    CloseBtn.Create(TopPanel.Handle(), L"Close", w - bw - S(6), 0, bw, th);
    CloseBtn.OnPaint = titleButton(skin::TitleGlyph::Close);
    CloseBtn.OnClick = [this] { CloseBtnClick(); };

    const int sh = S(layout::kStripHeight);
    StripPanel.Create(Handle(), L"StripPanel", pal::kStrip, 0, th, w, sh);
    StripPanel.OnPaint = [this](HDC dc, const RECT& r) {
        RECT line{0, r.bottom - 1, r.right, r.bottom};
        skin::FillSolid(dc, line, pal::kStripLine);
        // Where the user is: group, then tool.
        std::wstring where;
        if (const auto g = navigation_.ExpandedGroup()) {
            where = Widen(app::Group(*g).caption);
            if (const auto t = navigation_.ShownTool()) where += L"  \x203A  " + Widen(app::Tool(*t).caption);
        }
        RECT text{S(14), 0, r.right / 2, r.bottom};
        skin::DrawTextIn(dc, where, text, skin::Face::Normal, pal::kMutedText,
                         DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    };
    const int sbw = S(layout::kStripButtonWidth), sbh = S(layout::kStripButtonHeight);
    const int sy = (sh - sbh) / 2;
    HelpBtn.Create(StripPanel.Handle(), L"Help", w - 2 * sbw - S(16), sy, sbw, sbh);
    MakeTextButton(HelpBtn, L"Help", pal::kStrip);
    HelpBtn.OnClick = [this] { HelpBtnClick(); };
    AboutBtn.Create(StripPanel.Handle(), L"About", w - sbw - S(10), sy, sbw, sbh);
    MakeTextButton(AboutBtn, L"About", pal::kStrip);
    AboutBtn.OnClick = [this] { AboutBtnClick(); };
}

void TTrenmoorForm::BuildFooter() {
    const int w = S(layout::kWidth), h = S(layout::kHeight), fh = S(layout::kFooterHeight);
    FooterPanel.Create(Handle(), L"FooterPanel", pal::kStrip, 0, h - fh, w, fh);
    FooterPanel.OnPaint = [](HDC dc, const RECT& r) {
        RECT line{0, 0, r.right, 1};
        skin::FillSolid(dc, line, pal::kStripLine);
        RECT right{r.right / 2, 0, r.right - S(14), r.bottom};
        skin::DrawTextIn(dc, L"Version " + Widen(kProgramVersion), right, skin::Face::Small, pal::kMutedText,
                         DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    };
    const std::wstring site = Widen(ctx_.settings.HomePage);
    LabelWebHome.Create(FooterPanel.Handle(), site, S(14), S(2), S(260), fh - S(3));
    MakeLinkLabel(LabelWebHome, site, pal::kStrip);
    LabelWebHome.OnClick = [this] { LabelWebHomeClick(); };
}

TPanel& TTrenmoorForm::Page(app::NotebookPage page) {
    switch (page) {
        case app::NotebookPage::Home:
            return HomePanel;
        case app::NotebookPage::ShowForm:
            return ShowFormPanel;
        case app::NotebookPage::Options:
            return OptionsPanel;
        case app::NotebookPage::SubmitProblems:
            return SubmitProblemsPanel;
        case app::NotebookPage::OneClickTweak:
            break;
    }
    return OneClickTweakPanel;
}

void TTrenmoorForm::NavigationChanged() {
    for (const auto& g : app::kGroups) {
        TImageEx& button = GroupButton(g.id);
        button.Tag = navigation_.GroupTag(g.id);
        button.Invalidate();
    }
    for (const auto& t : app::kTools) {
        TImageEx& button = ToolButton(t.id);
        button.Tag = navigation_.ToolTag(t.id);
        button.Invalidate();
    }
    for (int p = 0; p <= static_cast<int>(app::NotebookPage::OneClickTweak); ++p) {
        const auto page = static_cast<app::NotebookPage>(p);
        Page(page).SetVisible(page == navigation_.Page());
    }
    if (navigation_.Page() == app::NotebookPage::OneClickTweak)
        DrawButtonCaption(0, L"One Click Tweak", subOneClickTweakBtn);
    StripPanel.Invalidate();
    if (!animating_) {
        animating_ = true;
        SetTimer(Handle(), kAnimationTimer, layout::kAnimationTickMs, nullptr);
    }
}

void TTrenmoorForm::HelpBtnClick() {
    controller_.HelpBtnClick();
}

void TTrenmoorForm::AboutBtnClick() {
    TAboutForm about(Handle(), Widen(ctx_.settings.HomePage),
                     [this] { OpenURL(ctx_.platform.shell(), ctx_.settings.HomePage); });
    about.ShowModal();
}

void TTrenmoorForm::MinimizeBtnClick() {
    ShowWindow(Handle(), SW_MINIMIZE);
}

// Posted, so the button that was clicked is not destroyed inside its own click.
void TTrenmoorForm::CloseBtnClick() {
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TTrenmoorForm::LabelWebHomeClick() {
    controller_.LabelWebHomeClick(platform::win32::Narrow(LabelWebHome.Caption()));
}

void TTrenmoorForm::subOneClickTweakBtnClick() {
    controller_.SubOneClickTweakBtnClick();
}

void TTrenmoorForm::TopPanelMouseDown() {
    ReleaseCapture();
    SendMessageW(Handle(), WM_SYSCOMMAND, 0xF012, 0);
}

void TTrenmoorForm::TopPanelRightClick(POINT screen) {
    dmView_.PopupMainMenu(Handle(), screen);
}

LRESULT TTrenmoorForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case kMsgRestore:
            if (IsIconic(Handle())) {
                ShowWindow(Handle(), SW_SHOW);
                ShowWindow(Handle(), SW_RESTORE);
            }
            return 0;
        case kMsgEnd:
            PostMessageW(Handle(), WM_CLOSE, 0, 0);
            return 0;
        case WM_TIMER:
            if (wp == kAnimationTimer) {
                AnimateStep();
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintDC paint(Handle());
            RECT r{};
            GetClientRect(Handle(), &r);
            skin::FillSolid(paint.get(), r, pal::kColumn);
            return 0;
        }
        case WM_CLOSE:
            DestroyWindow(Handle());
            return 0;
        case WM_DESTROY:
            KillTimer(Handle(), kAnimationTimer);
            if (OnDestroyed) OnDestroyed();
            return 0;
        default:
            break;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

}  // namespace trenmoor::views
