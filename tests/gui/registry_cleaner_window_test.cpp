// The Registry Cleaner hosted in the real main window: pick sections, scan, look at the results,
// untick a problem, repair under the repair dialog, and finish; a screenshot of every page.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/views/dm_view.h"
#include "app/views/skin.h"
#include "app/views/trenmoor_form.h"
#include "gui/gui_support.h"
#include "platform/registry_accessor.h"
#include "platform/win32/win32_platform.h"
#include "registry_cleaner/views/registry_cleaner_form.h"
#include "support/scripted_ui.h"

namespace trenmoor::views {
namespace {

using platform::RootKey;
using platform::TRegistry;
namespace rc = registry_cleaner;

// Scripted answers, but window messages really run while the loops let them (for at most 50 ms a
// round, so a busy timer cannot hold the loop).
class PumpingUi : public testing::ScriptedUi {
  public:
    void processMessages() override {
        MSG msg;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 50 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        ScriptedUi::processMessages();
    }
};

constexpr const char* kAppPaths = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

class RegistryCleanerWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // HKEY_LOCAL_MACHINE is the test program's scratch key: broken entries of three sections.
        TRegistry reg(machine.registry(), RootKey::LocalMachine);
        for (const char* program : {"tm_gui_gone.exe", "tm_gui_lost.exe"}) {
            ASSERT_TRUE(reg.OpenKey(std::string(kAppPaths) + "\\" + program, true));
            ASSERT_TRUE(reg.WriteString("", std::string("C:\\tm_gui\\missing\\") + program));
        }
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", true));
        ASSERT_TRUE(reg.WriteString("Gone (TrueType)", "tm_gui_gone.ttf"));
        // Many driver entries, skipped by the Shared DLLs check but each examined: the scan runs long
        // enough for several message rounds.
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls", true));
        for (int i = 0; i < 3000; ++i)
            ASSERT_TRUE(reg.WriteInteger("C:\\tm_gui\\drivers\\d" + std::to_string(i) + ".sys", 1));
        ASSERT_TRUE(reg.OpenKey("\\Control Panel\\Sounds", true));
        ASSERT_TRUE(reg.WriteString("", "tm_gui ding"));

        LoadSettings(machine.registry(), ctx.settings);
        ctx.settings.OneScheduleOfWeek = 1;
        ctx.settings.NotAutoBackup = true;  // no backup files beside the test program
        ctx.settings.OneTime = false;       // the first-full-backup offer has its own test
        dm = std::make_unique<TDM>(ctx);
        dmView = std::make_unique<TDMView>(*dm);
        main = std::make_unique<TTrenmoorForm>(ctx, *dm, *dmView);
        ASSERT_NE(main->Handle(), nullptr);
        main->Show();
        SetForegroundWindow(main->Handle());
        testing::Pump(80);
        form = dynamic_cast<TRegistryCleanerForm*>(main->Navigation().Window(app::ToolId::RegistryCleaner));
        ASSERT_NE(form, nullptr);
    }
    void TearDown() override {
        main.reset();
        dmView.reset();
        dm.reset();
        TRegistry reg(machine.registry(), RootKey::LocalMachine);
        reg.DeleteKey("\\SOFTWARE");
        reg.DeleteKey("\\Control Panel");
    }
    bool AppPathExists(const char* program) {
        TRegistry reg(machine.registry(), RootKey::LocalMachine);
        return reg.KeyExists(std::string(kAppPaths) + "\\" + program);
    }
    void Shot(const wchar_t* name) {
        RedrawWindow(main->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        testing::Pump(60);
        EXPECT_FALSE(testing::SaveScreenshot(main->Handle(), name).empty()) << name;
    }

    platform::win32::Win32Platform machine;
    PumpingUi ui;
    AppContext ctx{machine, ui};
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TDMView> dmView;
    std::unique_ptr<TTrenmoorForm> main;
    TRegistryCleanerForm* form = nullptr;
};

TEST_F(RegistryCleanerWindowTest, ScanResultsRepairAndFinishThroughTheWindow) {
    auto& c = form->Controller();
    EXPECT_EQ(c.Mode(), rc::CleanerMode::Ready);
    // The results page's controls stay hidden on the sections page, also right after the first show.
    EXPECT_FALSE(IsWindowVisible(form->ShowHideDetailsLink()));
    EXPECT_FALSE(IsWindowVisible(form->RepairGrid()));
    // Select All off (every section deselected), then four sections by their pictures.
    if (c.SelectAllChecked()) form->cbSelectAllClick();
    for (const int n : {2, 5, 10, 11}) c.SectionClick(n);
    testing::Pump(60);
    Shot(L"registry_cleaner_1_sections");

    bool busySeen = false, scanShot = false, dialogShot = false;
    ui.onPump = [&] {
        if (c.Scanning()) {
            busySeen = busySeen || main->Navigation().IsBusy();
            if (!scanShot && c.Progress().currentSection == 10 && c.Progress().ItemsProcessed > 1000) {
                scanShot = true;
                Shot(L"registry_cleaner_2_scanning");
            }
        }
        // The repair lets messages run once as soon as the dialog shows.
        if (form->RepairDialog() && !dialogShot) {
            dialogShot = true;
            RedrawWindow(form->RepairDialog()->Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            EXPECT_FALSE(
                testing::SaveScreenshot(form->RepairDialog()->Handle(), L"registry_cleaner_4_repair_dialog")
                    .empty());
        }
    };
    // Enough time passes between entries for the 15 ms message budget.
    form->ScanNowBtnClick();
    testing::Pump(100);
    EXPECT_TRUE(busySeen);
    EXPECT_FALSE(main->Navigation().IsBusy());
    EXPECT_TRUE(main->Navigation().RegistryScanDone);
    ASSERT_EQ(c.Mode(), rc::CleanerMode::Results);
    ASSERT_FALSE(ui.shown.empty());
    EXPECT_EQ(ui.shown.back().caption, "Problems Found - Trenmoor");
    EXPECT_EQ(ListView_GetItemCount(form->RepairGrid()), 4);  // All Problems and three sections with problems
    EXPECT_TRUE(IsWindowVisible(form->RepairGrid()));
    EXPECT_EQ(SendMessageW(form->ProblemsListBox(), LB_GETCOUNT, 0, 0), 4);
    Shot(L"registry_cleaner_3_results");

    // Untick the first problem (tm_gui_gone.exe) with a click on its check box.
    const int x = 18 * skin::Dpi() / 96, y = 37 * skin::Dpi() / 96;
    SendMessageW(form->ProblemsListBox(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(form->ProblemsListBox(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    testing::Pump(60);
    EXPECT_FALSE(c.ProblemRow(0).Checked);
    EXPECT_FALSE(c.Scan().Contents()[2][0].Content.Checked);

    form->RepairBtnClick();
    testing::Pump(100);
    EXPECT_TRUE(dialogShot);
    EXPECT_EQ(form->RepairDialog(), nullptr);
    ASSERT_EQ(c.Mode(), rc::CleanerMode::Finished);
    EXPECT_TRUE(IsWindowVisible(form->FinishListView()));
    EXPECT_EQ(ListView_GetItemCount(form->FinishListView()), 3);
    EXPECT_TRUE(AppPathExists("tm_gui_gone.exe"));
    EXPECT_FALSE(AppPathExists("tm_gui_lost.exe"));
    Shot(L"registry_cleaner_5_finish");

    form->FinishBtnClick();
    testing::Pump(60);
    EXPECT_EQ(c.Mode(), rc::CleanerMode::Ready);
    EXPECT_FALSE(IsWindowVisible(form->FinishListView()));
}

// Every section over the test system's own registry and drive: each one scans (none is left out), the
// window stays live through the whole-hive walks, and the results page shows what was found.
TEST_F(RegistryCleanerWindowTest, ScanOfEverySectionOnTheTestSystem) {
    auto& c = form->Controller();
    if (!c.SelectAllChecked()) form->cbSelectAllClick();
    bool scanShot = false;
    int liveRounds = 0;
    ui.onPump = [&] {
        if (!c.Scanning()) return;
        ++liveRounds;
        if (!scanShot && c.Progress().currentSection >= 15) {
            scanShot = true;
            Shot(L"registry_cleaner_all_sections_scanning");
        }
    };
    form->ScanNowBtnClick();
    testing::Pump(100);
    ui.onPump = nullptr;
    EXPECT_TRUE(scanShot);
    EXPECT_GT(liveRounds, 17);
    for (int n = 1; n <= rc::kSectionCount; ++n) {
        const std::string& count = c.Progress().countText[static_cast<size_t>(n)];
        EXPECT_TRUE(!count.empty() && count.find_first_not_of("0123456789") == std::string::npos)
            << "section " << n << ": " << count;
    }
    Shot(L"registry_cleaner_all_sections_results");
}

}  // namespace
}  // namespace trenmoor::views
