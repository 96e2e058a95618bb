// The real main window on the real machine backend, clicked through by mouse messages.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/views/dm_view.h"
#include "app/views/hint_form.h"
#include "app/views/skin.h"
#include "app/views/trenmoor_form.h"
#include "app/views/trenmoor_form_layout.h"
#include "gui/gui_support.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "support/scripted_ui.h"

namespace trenmoor::views {
namespace {

using app::GroupId;
using app::NotebookPage;
using app::ToolId;
using platform::win32::Widen;
using testing::ClassOf;
using testing::Click;
using testing::TextOf;

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { Open(); }
    void TearDown() override { Close(); }

    void Open() {
        LoadSettings(machine.registry(), ctx.settings);
        // The weekly task is the scheduler's business and has tests of its own; the window tests leave
        // the machine's task folder alone.
        ctx.settings.OneScheduleOfWeek = 1;
        dm = std::make_unique<TDM>(ctx);
        dmView = std::make_unique<TDMView>(*dm);
        form = std::make_unique<TTrenmoorForm>(ctx, *dm, *dmView);
        ASSERT_NE(form->Handle(), nullptr);
        form->OnDestroyed = [this] { ++destroyed; };
        form->Show();
        SetForegroundWindow(form->Handle());
        testing::Pump(50);
    }
    void Close() {
        form.reset();
        dmView.reset();
        dm.reset();
    }

    void WaitForAnimation() {
        ASSERT_TRUE(testing::PumpUntil([this] { return !form->Animating(); }));
    }

    // The page that MainNotebook shows: exactly one of the five is visible.
    NotebookPage VisiblePage() {
        int visible = 0;
        NotebookPage shown = NotebookPage::Home;
        for (int p = 0; p <= 4; ++p) {
            const auto page = static_cast<NotebookPage>(p);
            if (IsWindowVisible(form->Page(page).Handle())) {
                ++visible;
                shown = page;
            }
        }
        EXPECT_EQ(visible, 1);
        return shown;
    }

    void ExpectMarks(GroupId group, std::optional<ToolId> tool) {
        for (const auto& g : app::kGroups)
            EXPECT_EQ(form->GroupButton(g.id).Tag, g.id == group ? 2 : 0) << g.button;
        if (!tool) return;
        for (const auto& t : app::ToolsOf(group))
            EXPECT_EQ(form->ToolButton(t.id).Tag, t.id == *tool ? 2 : 0) << t.button;
    }

    // The hosted tool window in front in ShowFormPanel shows this tool.
    void ExpectHosted(ToolId tool) {
        HWND top = testing::TopVisibleChild(form->ShowFormPanel.Handle());
        ASSERT_NE(top, nullptr);
        EXPECT_EQ(ClassOf(top), Widen(app::Tool(tool).windowClass));
        EXPECT_EQ(TextOf(top), Widen(app::Tool(tool).caption));
        RECT host{}, r{};
        GetClientRect(form->ShowFormPanel.Handle(), &host);
        GetClientRect(top, &r);
        EXPECT_EQ(r.right, host.right);  // aligned to fill the panel
        EXPECT_EQ(r.bottom, host.bottom);
    }

    platform::win32::Win32Platform machine;
    trenmoor::testing::ScriptedUi ui;
    AppContext ctx{machine, ui};
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TDMView> dmView;
    std::unique_ptr<TTrenmoorForm> form;
    int destroyed = 0;
};

TEST_F(MainWindowTest, FirstShowOpensTheRegistryCleanerInARoundedBorderlessWindow) {
    EXPECT_EQ(TextOf(form->Handle()), L"Trenmoor");
    EXPECT_EQ(form->LabelAppNameVer.Caption(), L"Trenmoor v4.2");
    const LONG style = GetWindowLongW(form->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(form->Handle(), region), COMPLEXREGION);  // the rounded corners
    DeleteObject(region);
    EXPECT_EQ(VisiblePage(), NotebookPage::ShowForm);
    ExpectMarks(GroupId::RepairProblems, ToolId::RegistryCleaner);
    ExpectHosted(ToolId::RegistryCleaner);
    EXPECT_FALSE(IsWindowVisible(form->GroupPanel(GroupId::Home).Handle()));
    EXPECT_EQ(TextOf(form->Memo1), Widen(app::kSubmitIntroText));
}

// Every visible group and every tool, clicked in turn; one screenshot per group.
TEST_F(MainWindowTest, EveryGroupAndToolButtonOpensItsPageAndWindow) {
    ui.answers = {platform::MsgResult::No};  // the Error Utility question: continue to the utility
    for (const auto& g : app::kGroups) {
        if (!g.visible) continue;
        SCOPED_TRACE(std::string(g.caption));
        Click(form->GroupButton(g.id).Handle());
        WaitForAnimation();
        EXPECT_EQ(VisiblePage(), g.page);
        ExpectMarks(g.id, app::DefaultTool(g.id));
        RECT panel{};
        GetWindowRect(form->GroupPanel(g.id).Handle(), &panel);
        const int expected = g.expandedHeight > 0 ? g.expandedHeight : layout::kGroupButtonHeight;
        EXPECT_EQ(panel.bottom - panel.top, skin::S(expected));
        for (const auto& other : app::kGroups) {
            if (other.id == g.id || !other.visible) continue;
            GetWindowRect(form->GroupPanel(other.id).Handle(), &panel);
            EXPECT_EQ(panel.bottom - panel.top, skin::S(layout::kGroupButtonHeight)) << other.panel;
        }
        if (const auto def = app::DefaultTool(g.id)) ExpectHosted(*def);
        if (g.id == GroupId::Options) {
            HWND options = testing::TopVisibleChild(form->OptionsPanel.Handle());
            ASSERT_NE(options, nullptr);
            EXPECT_EQ(ClassOf(options), L"TFormOptions");
            EXPECT_EQ(TextOf(options), L"Preferences");
        }
        if (g.id == GroupId::OneClickTweak) {
            EXPECT_EQ(form->subOneClickTweakBtn.Caption(), L"One Click Tweak");
        }
        for (const auto& t : app::ToolsOf(g.id)) {
            SCOPED_TRACE(std::string(t.caption));
            Click(form->ToolButton(t.id).Handle());
            testing::Pump(20);
            ExpectMarks(g.id, t.id);
            ExpectHosted(t.id);
            EXPECT_EQ(VisiblePage(), NotebookPage::ShowForm);
        }
        // Back to the default tool, so the screenshot shows the group as it opens.
        if (const auto def = app::DefaultTool(g.id)) Click(form->ToolButton(*def).Handle());
        EXPECT_NE(testing::SaveScreenshot(form->Handle(), L"main-" + Widen(g.panel)), L"");
    }
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, app::kErrorUtilityQuestion);
}

TEST_F(MainWindowTest, GroupChangeDestroysToolWindowsAndKeepsOptions) {
    Click(form->ToolButton(ToolId::IERepair).Handle());
    EXPECT_EQ(testing::CountChildren(form->ShowFormPanel.Handle()), 2);  // Registry Cleaner and IE Repair
    HWND cleaner = FindWindowExW(form->ShowFormPanel.Handle(), nullptr, L"TRegistryCleanerForm", nullptr);
    Click(form->ToolButton(ToolId::RegistryCleaner).Handle());
    EXPECT_EQ(FindWindowExW(form->ShowFormPanel.Handle(), nullptr, L"TRegistryCleanerForm", nullptr),
              cleaner);

    Click(form->GroupButton(GroupId::Options).Handle());
    HWND options = testing::TopVisibleChild(form->OptionsPanel.Handle());
    EXPECT_EQ(testing::CountChildren(form->ShowFormPanel.Handle()), 0);
    EXPECT_FALSE(IsWindow(cleaner));
    Click(form->GroupButton(GroupId::CleanJunks).Handle());
    Click(form->GroupButton(GroupId::Options).Handle());
    EXPECT_EQ(testing::TopVisibleChild(form->OptionsPanel.Handle()), options);
    EXPECT_EQ(testing::CountChildren(form->OptionsPanel.Handle()), 1);
}

TEST_F(MainWindowTest, RunningScansRefuseNavigationClicks) {
    dm->ScanTimer.SetEnabled(true);
    Click(form->GroupButton(GroupId::CleanJunks).Handle());
    Click(form->ToolButton(ToolId::IERepair).Handle());
    testing::Pump(50);
    ExpectMarks(GroupId::RepairProblems, ToolId::RegistryCleaner);
    ExpectHosted(ToolId::RegistryCleaner);
    dm->ScanTimer.SetEnabled(false);
    Click(form->GroupButton(GroupId::CleanJunks).Handle());
    ExpectMarks(GroupId::CleanJunks, ToolId::JunkFileCleaner);
    ExpectHosted(ToolId::JunkFileCleaner);

    dm->EvidenceTimer.SetEnabled(true);
    Click(form->GroupButton(GroupId::AdvancedToolkits).Handle());
    ExpectMarks(GroupId::CleanJunks, ToolId::JunkFileCleaner);
    dm->EvidenceTimer.SetEnabled(false);
}

TEST_F(MainWindowTest, ErrorUtilityYesReopensRepairProblemsInsteadOfTheUtility) {
    Click(form->ToolButton(ToolId::IERepair).Handle());
    ui.answers = {platform::MsgResult::Yes};
    Click(form->ToolButton(ToolId::ErrorUtility).Handle());
    // The question, then at most the started scan's own result message (the prefix's registry may hold
    // problems of the built sections, such as empty keys).
    ASSERT_GE(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].icon, platform::MsgIcon::Exclamation);
    ASSERT_LE(ui.shown.size(), 2u);
    if (ui.shown.size() == 2) {
        EXPECT_EQ(ui.shown[1].caption, "Problems Found - Trenmoor");
    }
    ExpectHosted(ToolId::RegistryCleaner);
    ExpectMarks(GroupId::RepairProblems, ToolId::RegistryCleaner);
    EXPECT_EQ(FindWindowExW(form->ShowFormPanel.Handle(), nullptr, L"TErrorFixForm", nullptr), nullptr);
    EXPECT_EQ(FindWindowExW(form->ShowFormPanel.Handle(), nullptr, L"TFormIePlugins", nullptr), nullptr);
}

TEST_F(MainWindowTest, ButtonsFollowTheMouse) {
    TImageEx& tool = form->ToolButton(ToolId::BlockActiveX);
    testing::Hover(tool.Handle());
    EXPECT_EQ(tool.State(), skin::ButtonState::Hover);
    testing::Leave(tool.Handle());
    EXPECT_EQ(tool.State(), skin::ButtonState::Idle);

    testing::Hover(form->HelpBtn.Handle());
    EXPECT_EQ(form->HelpBtn.FaceState, 1);
    testing::Leave(form->HelpBtn.Handle());
    EXPECT_EQ(form->HelpBtn.FaceState, 0);

    // The web link: dark blue and underlined under the mouse, black otherwise.
    HWND link = form->LabelWebHome.Handle();
    auto textPixels = [&](COLORREF wanted) {
        RedrawWindow(link, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        testing::Pump(60);
        RECT r{};
        GetClientRect(link, &r);
        int hits = 0;
        for (int y = 0; y < r.bottom; ++y)
            for (int x = 0; x < std::min<int>(r.right, 120); ++x)
                hits += testing::ScreenPixel(link, x, y) == wanted;
        return hits;
    };
    EXPECT_GT(textPixels(RGB(0, 0, 0)), 0);
    testing::Hover(link);
    EXPECT_TRUE(form->LabelWebHome.Hovered());
    EXPECT_GT(textPixels(RGB(0x0F, 0x59, 0xBC)), 0);
    testing::Leave(link);
    EXPECT_EQ(textPixels(RGB(0x0F, 0x59, 0xBC)), 0);
}

TEST_F(MainWindowTest, AboutBoxShowsNameVersionAndClosesWithOk) {
    struct Seen {
        std::wstring version, screenshot;
        bool found = false;
    };
    static Seen seen;
    seen = {};
    // The about box is modal: a timer inside its loop looks at it and presses OK.
    SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        HWND about = FindWindowW(L"TAboutForm", nullptr);
        if (!about) return;
        seen.found = true;
        HWND ok = nullptr;
        for (HWND c = GetWindow(about, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (TextOf(c) == L"4.2") seen.version = TextOf(c);
            if (TextOf(c) == L"OK") ok = c;
        }
        seen.screenshot = testing::SaveScreenshot(about, L"about");
        if (ok) Click(ok);
    });
    Click(form->AboutBtn.Handle());  // returns when the box has closed
    EXPECT_TRUE(seen.found);
    EXPECT_EQ(seen.version, L"4.2");
    EXPECT_NE(seen.screenshot, L"");
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_EQ(FindWindowW(L"TAboutForm", nullptr), nullptr);
}

TEST_F(MainWindowTest, HintWindowIsAlwaysOnTopWithItsStripAndMessage) {
    THintForm hint(form->Handle());
    hint.SetTitle(L"Registry Backup");
    hint.SetMessage(L"Please wait while the registry is being backed up...");
    hint.ShowNow();
    RECT r{};
    GetWindowRect(hint.Handle(), &r);
    EXPECT_EQ(r.right - r.left, skin::S(318));
    EXPECT_EQ(r.bottom - r.top, skin::S(57));
    EXPECT_TRUE(GetWindowLongW(hint.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(IsWindowEnabled(hint.Handle()));  // takes no input
    EXPECT_NE(testing::SaveScreenshot(hint.Handle(), L"hint"), L"");
}

TEST_F(MainWindowTest, OutsideMessagesRestoreAndEndTheWindow) {
    ShowWindow(form->Handle(), SW_MINIMIZE);
    testing::Pump(50);
    ASSERT_TRUE(IsIconic(form->Handle()));
    SendMessageW(form->Handle(), kMsgRestore, 0, 0);
    testing::Pump(50);
    EXPECT_FALSE(IsIconic(form->Handle()));
    SendMessageW(form->Handle(), kMsgRestore, 0, 0);  // not minimised: nothing to do
    EXPECT_TRUE(IsWindowVisible(form->Handle()));

    HWND hwnd = form->Handle();
    PostMessageW(hwnd, kMsgEnd, 0, 0);
    ASSERT_TRUE(testing::PumpUntil([&] { return !IsWindow(hwnd); }));
    EXPECT_EQ(destroyed, 1);
}

TEST_F(MainWindowTest, CloseButtonEndsTheWindow) {
    HWND hwnd = form->Handle();
    Click(form->CloseBtn.Handle());
    ASSERT_TRUE(testing::PumpUntil([&] { return !IsWindow(hwnd); }));
    EXPECT_EQ(destroyed, 1);
}

TEST_F(MainWindowTest, MainPopupMenuHasItsItems) {
    HMENU menu = dmView->MainPopupMenu();
    ASSERT_EQ(GetMenuItemCount(menu), 7);
    const std::pair<int, const wchar_t*> items[] = {
        {0, L"Trenmoor"}, {1, L"Home Page"}, {2, L"About"}, {4, L"Update online"}, {6, L"Exit"}};
    for (const auto& [pos, text] : items) {
        wchar_t buffer[64] = {};
        GetMenuStringW(menu, pos, buffer, 64, MF_BYPOSITION);
        EXPECT_STREQ(buffer, text);
    }
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(kOpenMenu));
    // Exit ends the program through the window.
    HWND hwnd = form->Handle();
    dmView->RunMainMenuCommand(kExit1);
    ASSERT_TRUE(testing::PumpUntil([&] { return !IsWindow(hwnd); }));
}

// The same window laid out for a 150 % screen.
TEST_F(MainWindowTest, LaysOutAtOneHundredFiftyPercent) {
    Close();
    skin::OverrideDpi(144);
    Open();
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.right - r.left, layout::kWidth * 3 / 2);
    EXPECT_EQ(r.bottom - r.top, layout::kHeight * 3 / 2);
    GetWindowRect(form->GroupPanel(GroupId::RepairProblems).Handle(), &r);
    EXPECT_EQ(r.bottom - r.top, MulDiv(193, 144, 96));
    EXPECT_NE(testing::SaveScreenshot(form->Handle(), L"main-150-percent"), L"");
    Click(form->GroupButton(GroupId::OneClickTweak).Handle());
    WaitForAnimation();
    EXPECT_NE(testing::SaveScreenshot(form->Handle(), L"main-150-percent-one-click"), L"");
    Close();
    skin::OverrideDpi(0);
}

}  // namespace
}  // namespace trenmoor::views

namespace trenmoor::views {
namespace {

TEST_F(MainWindowTest, ImageListsHaveTheCountsAndSizesTheWindowsRelyOn) {
    struct Case {
        const char* name;
        HIMAGELIST list;
        int width, height, count;
    };
    const Case cases[] = {
        {"StatImageList", dmView->StatImageList(), 16, 16, 15},
        {"TreeImageList", dmView->TreeImageList(), 16, 16, 15},
        {"ProblemsImageList", dmView->ProblemsImageList(), 16, 70, 2},
        {"LelvelImageList", dmView->LelvelImageList(), 36, 12, 3},
        {"minmaxImageList", dmView->minmaxImageList(), 21, 21, 1},
        {"BtnImageList", dmView->BtnImageList(), 97, 23, 2},
        {"ScanNowImageList", dmView->ScanNowImageList(), 186, 75, 2},
        {"PopupImageList", dmView->PopupImageList(), 16, 16, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.list, nullptr);
        int w = 0, h = 0;
        ImageList_GetIconSize(c.list, &w, &h);
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);
        EXPECT_EQ(ImageList_GetImageCount(c.list), c.count);
    }
    // A contact sheet of every picture, on the Home page, for the eye.
    form->HomePanel.OnPaint = [&](HDC dc, const RECT&) {
        int y = 10;
        for (const auto& c : cases) {
            int x = 10;
            for (int i = 0; i < c.count; ++i) {
                ImageList_Draw(c.list, i, dc, x, y, ILD_NORMAL);
                x += c.width + 6;
                if (x + c.width > 440) {
                    x = 10;
                    y += c.height + 6;
                }
            }
            y += c.height + 10;
        }
    };
    form->Navigation().ChooseGroup(GroupId::Home);
    WaitForAnimation();
    EXPECT_NE(testing::SaveScreenshot(form->Handle(), L"image-lists"), L"");
    form->HomePanel.OnPaint = nullptr;
}

}  // namespace
}  // namespace trenmoor::views
