// The Junk File Cleaner hosted in the real main window: the drives page, the junk types with a type
// added and changed through its dialog, a scan of a scratch folder standing in for a drive, the report
// and its details dialog, permanent deletion and the cleanup page; a screenshot of each page.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/views/dm_view.h"
#include "app/views/trenmoor_form.h"
#include "common/shared_helpers.h"
#include "disk_cleaners/views/sys_disk_cleaner_form.h"
#include "gui/gui_support.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "support/scripted_ui.h"
#include "wine/scratch_folder.h"

namespace trenmoor::views {
namespace {

namespace dcl = disk_cleaners;
using platform::win32::Widen;

std::wstring Cell(HWND list, int row, int column) {
    wchar_t text[512] = {};
    ListView_GetItemText(list, row, column, text, 511);
    return text;
}

class JunkCleanerWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.created());
        types = ProgramFile(machine.files(), dcl::kJunkTypesFileName);
        (void)machine.files().deleteFile(types);  // the default junk types
        LoadSettings(machine.registry(), ctx.settings);
        ctx.settings.OneScheduleOfWeek = 1;  // leave the machine's task folder alone
        dm = std::make_unique<TDM>(ctx);
        dmView = std::make_unique<TDMView>(*dm);
        main = std::make_unique<TTrenmoorForm>(ctx, *dm, *dmView);
        ASSERT_NE(main->Handle(), nullptr);
        main->Show();
        testing::Pump(50);
        testing::Click(main->GroupButton(app::GroupId::CleanJunks).Handle());
        ASSERT_TRUE(testing::PumpUntil([this] { return !main->Animating(); }));
        const HWND hosted =
            FindWindowExW(main->ShowFormPanel.Handle(), nullptr, L"TSysDiskCleanerForm", nullptr);
        ASSERT_NE(hosted, nullptr);
        form = dynamic_cast<TSysDiskCleanerForm*>(
            reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hosted, GWLP_USERDATA)));
        ASSERT_NE(form, nullptr);
    }
    void TearDown() override {
        main.reset();
        dmView.reset();
        dm.reset();
        (void)machine.files().deleteFile(types);
    }
    void put(const std::string& name, size_t size) {
        const std::string path = dir.path(name);
        (void)machine.files().createDirectory(path.substr(0, path.rfind('\\')));
        auto s = machine.files().open(path, platform::OpenMode::Create);
        const std::string bytes(size, 'j');
        ASSERT_TRUE(s && s->write(bytes.data(), bytes.size()));
    }
    void Shot(const wchar_t* name) {
        RedrawWindow(main->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        testing::Pump(80);
        EXPECT_FALSE(testing::SaveScreenshot(main->Handle(), name).empty()) << name;
    }

    platform::win32::Win32Platform machine;
    testing::ScriptedUi ui;
    AppContext ctx{machine, ui};
    testing::ScratchFolder dir;
    std::string types;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TDMView> dmView;
    std::unique_ptr<TTrenmoorForm> main;
    TSysDiskCleanerForm* form = nullptr;
};

TEST_F(JunkCleanerWindowTest, ScansAScratchFolderReportsAndDeletesTheJunk) {
    EXPECT_EQ(testing::TextOf(form->Handle()), L"Junk File Cleaner");
    ASSERT_TRUE(main->Navigation().JunkCleanerState);  // the busy hook reads this window's run state
    EXPECT_EQ(main->Navigation().JunkCleanerState(), dcl::kJunkIdle);
    EXPECT_EQ(form->Controller().page(), dcl::JunkPage::Drives);
    ASSERT_GE(ListView_GetItemCount(form->DiskListView()), 1);  // the fixed drive C:
    // The drive as the shell shows it ("Local Disk (C:)" or the like).
    EXPECT_NE(Cell(form->DiskListView(), 0, 0).find(L"C:"), std::wstring::npos)
        << Cell(form->DiskListView(), 0, 0);
    EXPECT_EQ(Cell(form->DiskListView(), 0, 2).back(), L'B');  // "...MB"
    EXPECT_TRUE(ListView_GetCheckState(form->DiskListView(), 0));
    Shot(L"junk_cleaner_drives");

    put("a.tmp", 2048);
    put("keep.txt", 100);
    put("README.TXT", 100);  // names are compared without regard to case
    put("sub\\b.log", 1024);
    put("sub\\c.bak", 512);
    form->Controller().drives() = {{dir.path(), 0, true}};  // the scratch folder stands in for a drive
    form->Sync();

    form->NextBtnClick();
    ASSERT_EQ(form->Controller().page(), dcl::JunkPage::JunkFiles);
    ASSERT_EQ(ListView_GetItemCount(form->JunkFilesListView()), 47);
    EXPECT_EQ(Cell(form->JunkFilesListView(), 0, 0), L"*.swp");
    EXPECT_EQ(Cell(form->JunkFilesListView(), 0, 1), L"Temporary Junk Files");
    EXPECT_TRUE(ListView_GetCheckState(form->JunkFilesListView(), 46));
    Shot(L"junk_cleaner_types");

    // A type added through the dialog, then its description changed.
    int dialogs = 0;
    form->ShowTypeDialog = [&](TTemporaryFileForm& dialog) {
        ++dialogs;
        if (dialogs == 1) {
            EXPECT_EQ(testing::TextOf(dialog.Handle()), L"Add a new file type");
            EXPECT_FALSE(IsWindowEnabled(dialog.mrOkBtn()));  // nothing entered yet
            SetWindowTextW(dialog.edExtension(), L"  ");
            EXPECT_FALSE(IsWindowEnabled(dialog.mrOkBtn()));  // blanks only
            SetWindowTextW(dialog.edExtension(), L"*.junk");
            SetWindowTextW(dialog.edDesc(), L"Scratch junk");
            EXPECT_TRUE(IsWindowEnabled(dialog.mrOkBtn()));
            ShowWindow(dialog.Handle(), SW_SHOW);
            RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            testing::Pump(80);
            EXPECT_FALSE(testing::SaveScreenshot(dialog.Handle(), L"junk_cleaner_add_type").empty());
        } else {
            EXPECT_EQ(testing::TextOf(dialog.Handle()), L"Modify file type");
            EXPECT_EQ(testing::TextOf(dialog.edExtension()), L"*.junk");
            SetWindowTextW(dialog.edDesc(), L"Junk of the test");
        }
        dialog.mrOkBtnClick();
        return dialog.Accepted();
    };
    form->AddBtnClick();
    ASSERT_EQ(ListView_GetItemCount(form->JunkFilesListView()), 48);
    EXPECT_EQ(Cell(form->JunkFilesListView(), 47, 0), L"*.junk");
    EXPECT_EQ(Cell(form->JunkFilesListView(), 47, 1), L"Scratch junk");
    EXPECT_TRUE(ListView_GetCheckState(form->JunkFilesListView(), 47));
    ListView_SetItemState(form->JunkFilesListView(), 47, LVIS_SELECTED, LVIS_SELECTED);
    form->EditBtnClick();
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(Cell(form->JunkFilesListView(), 47, 1), L"Junk of the test");
    put("d.junk", 0);

    // While the scan runs the window shows it: the Scan page with its Stop button, and the main window
    // refuses to leave the tool.
    int liveScanUpdates = 0;
    form->AfterLiveUpdate = [&] {
        if (form->Controller().runState() != dcl::kJunkScanning || liveScanUpdates++ > 0) return;
        EXPECT_EQ(form->Controller().page(), dcl::JunkPage::Scan);
        EXPECT_TRUE(IsWindowVisible(form->ScanListView()));
        EXPECT_FALSE(IsWindowVisible(form->JunkFilesListView()));
        EXPECT_TRUE(form->StopScanVisible());
        EXPECT_TRUE(main->Navigation().IsBusy());
        EXPECT_FALSE(main->Navigation().ChooseGroup(app::GroupId::RepairProblems));
        Shot(L"junk_cleaner_scanning");
    };
    form->NextBtnClick();  // the scan
    EXPECT_GT(liveScanUpdates, 0);
    EXPECT_FALSE(main->Navigation().IsBusy());
    EXPECT_FALSE(form->StopScanVisible());
    ASSERT_EQ(form->Controller().page(), dcl::JunkPage::Scan);
    EXPECT_EQ(form->Controller().runState(), dcl::kJunkScanned);
    EXPECT_EQ(main->Navigation().JunkCleanerState(), dcl::kJunkScanned);
    EXPECT_FALSE(main->Navigation().IsRefused(app::ToolId::DuplicateCleaner));  // only 1 is busy
    ASSERT_EQ(ListView_GetItemCount(form->ScanListView()), 1);
    EXPECT_EQ(Cell(form->ScanListView(), 0, 0), Widen(dir.path()));
    EXPECT_EQ(Cell(form->ScanListView(), 0, 1), L"Finished");
    EXPECT_EQ(form->Controller().found().size(), 5u);
    EXPECT_TRUE(machine.files().fileExists(types));  // the types were saved as the scan started
    Shot(L"junk_cleaner_scan");

    form->NextBtnClick();
    ASSERT_EQ(form->Controller().page(), dcl::JunkPage::Report);
    ASSERT_EQ(ListView_GetItemCount(form->ReportListView()), 1);
    EXPECT_NE(Cell(form->ReportListView(), 0, 0).find(L"C:"), std::wstring::npos);
    EXPECT_EQ(Cell(form->ReportListView(), 0, 1), L"5");
    EXPECT_EQ(Cell(form->ReportListView(), 0, 2), L"3 KB");
    EXPECT_TRUE(ListView_GetCheckState(form->ReportListView(), 0));
    EXPECT_EQ(form->ReportStatusText(), L"Selected:  5  3 KB");
    Shot(L"junk_cleaner_report");

    // "Click here" lists every found file; a double click on the drive row lists that drive's.
    int shown = 0;
    form->ShowDetails = [&](TDetailTempFileForm& details) {
        ++shown;
        EXPECT_EQ(testing::TextOf(details.Handle()), L"Details of Temporary Files found");
        EXPECT_EQ(testing::TextOf(details.abFileTotal()), L"Total: 5");
        const HWND list = details.TempFilesListBox();
        ASSERT_EQ(ListView_GetItemCount(list), 5);
        bool sawTmp = false;
        for (int row = 0; row < 5; ++row) {
            if (Cell(list, row, 0) != L"a.tmp") continue;
            sawTmp = true;
            EXPECT_EQ(Cell(list, row, 1), L"2KB");
            EXPECT_EQ(Cell(list, row, 2), Widen(dir.path("a.tmp")));
        }
        EXPECT_TRUE(sawTmp);
        if (shown == 1) {
            ShowWindow(details.Handle(), SW_SHOW);
            RedrawWindow(details.Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            testing::Pump(80);
            EXPECT_FALSE(testing::SaveScreenshot(details.Handle(), L"junk_cleaner_details").empty());
        }
        details.CloseBtnClick();
    };
    form->ClickHereClick();
    form->ReportListViewDblClick(0);
    EXPECT_EQ(shown, 2);

    form->NextBtnClick();
    ASSERT_EQ(form->Controller().page(), dcl::JunkPage::CleanupOptions);
    EXPECT_EQ(SendMessageW(form->RadioButton(1), BM_GETCHECK, 0, 0), BST_CHECKED);  // the recycle bin
    EXPECT_EQ(testing::TextOf(form->RadioButton(0)), L"Permanently delete files");
    SendMessageW(form->RadioButton(1), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(form->RadioButton(0), BM_SETCHECK, BST_CHECKED, 0);
    form->RadioButtonClick();
    EXPECT_EQ(form->Controller().mode, dcl::CleanMode::Delete);
    Shot(L"junk_cleaner_options");

    // While cleaning, the "please wait" notice stays on top; it goes when the cleaning ends.
    bool noticeShown = false;
    form->AfterLiveUpdate = [&] {
        if (form->Controller().runState() != dcl::kJunkCleaning) return;
        const THintForm* notice = form->CleaningNotice();
        ASSERT_NE(notice, nullptr);
        EXPECT_TRUE(IsWindowVisible(notice->Handle()));
        EXPECT_EQ(notice->Message(), L"Please wait for the process to be finished.");
        if (!noticeShown) {
            noticeShown = true;
            RedrawWindow(notice->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            EXPECT_FALSE(testing::SaveScreenshot(notice->Handle(), L"junk_cleaner_please_wait").empty());
        }
    };
    ui.answers = {platform::MsgResult::Yes};
    form->NextBtnClick();
    EXPECT_TRUE(noticeShown);
    EXPECT_EQ(form->CleaningNotice(), nullptr);
    ASSERT_FALSE(ui.shown.empty());
    EXPECT_EQ(ui.shown.back().caption, dcl::kJunkDeleteCaption);
    ASSERT_EQ(form->Controller().page(), dcl::JunkPage::Cleanup);
    ASSERT_EQ(ListView_GetItemCount(form->CleanerListView()), 5);
    for (int row = 0; row < 5; ++row) EXPECT_EQ(Cell(form->CleanerListView(), row, 1), L"File Deleted");
    for (const char* gone : {"a.tmp", "README.TXT", "d.junk", "sub\\b.log", "sub\\c.bak"})
        EXPECT_FALSE(machine.files().fileExists(dir.path(gone))) << gone;
    EXPECT_TRUE(machine.files().fileExists(dir.path("keep.txt")));
    EXPECT_EQ(form->Controller().nextCaption(), "Finish");
    Shot(L"junk_cleaner_cleanup");

    form->NextBtnClick();  // "Finish": the wizard starts again
    EXPECT_EQ(form->Controller().page(), dcl::JunkPage::Drives);
}

TEST_F(JunkCleanerWindowTest, StopDuringTheScanEndsItAndFreesTheMainWindow) {
    for (int i = 0; i < 40; ++i) put("f" + std::to_string(i) + "\\x.tmp", 10);
    form->Controller().drives() = {{dir.path(), 0, true}, {dir.path("f1"), 0, true}};
    form->Sync();
    form->NextBtnClick();  // the junk types
    ASSERT_EQ(form->Controller().page(), dcl::JunkPage::JunkFiles);

    // The Stop button is pressed as the first folder is examined.
    form->AfterLiveUpdate = [&] {
        if (form->Controller().runState() != dcl::kJunkScanning || form->Controller().scanMessage().empty())
            return;
        ASSERT_TRUE(form->StopScanVisible());
        form->StopScanBtnClick();
    };
    form->NextBtnClick();
    form->AfterLiveUpdate = nullptr;
    EXPECT_EQ(form->Controller().runState(), dcl::kJunkStop);
    EXPECT_LT(form->Controller().found().size(), 40u);
    ASSERT_EQ(ListView_GetItemCount(form->ScanListView()), 2);
    EXPECT_EQ(Cell(form->ScanListView(), 0, 1), L"User Stop");
    EXPECT_EQ(Cell(form->ScanListView(), 1, 1), L"") << "the second drive is not scanned";
    EXPECT_FALSE(form->StopScanVisible());
    EXPECT_FALSE(main->Navigation().IsBusy());
    form->NextBtnClick();  // the report of what was found before the stop
    EXPECT_EQ(form->Controller().page(), dcl::JunkPage::Report);
}

}  // namespace
}  // namespace trenmoor::views
