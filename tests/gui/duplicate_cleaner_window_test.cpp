// The Duplicate Cleaner window on the real machine: the drive tree, a scan of a scratch folder, marking
// a group, deletion to the recycle bin and the finish page; a screenshot of each page.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/views/skin.h"
#include "disk_cleaners/views/delete_duplicates_form.h"
#include "gui/gui_support.h"
#include "platform/win32/win32_platform.h"
#include "support/scripted_ui.h"
#include "wine/scratch_folder.h"

namespace trenmoor::views {
namespace {

namespace dcl = disk_cleaners;

class DuplicateCleanerWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.created());
        host = CreateWindowExW(0, L"STATIC", L"Duplicate Cleaner host",
                               WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, skin::S(760), skin::S(520),
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(host, nullptr);
        form = std::make_unique<TDeleteDuplicatesForm>(host, ctx);
        form->Show();
    }
    void TearDown() override {
        form.reset();
        if (host) DestroyWindow(host);
    }
    void put(const std::string& name) {
        const std::string path = dir.path(name);
        (void)machine.files().createDirectory(path.substr(0, path.rfind('\\')));
        auto s = machine.files().open(path, platform::OpenMode::Create);
        ASSERT_TRUE(s && s->write("same", 4));
    }
    void Shot(const wchar_t* name) {
        RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        testing::Pump(80);
        EXPECT_FALSE(testing::SaveScreenshot(host, name).empty()) << name;
    }

    platform::win32::Win32Platform machine;
    testing::ScriptedUi ui;
    AppContext ctx{machine, ui};
    testing::ScratchFolder dir;
    HWND host = nullptr;
    std::unique_ptr<TDeleteDuplicatesForm> form;
};

TEST_F(DuplicateCleanerWindowTest, ScanMarkDeleteAndFinish) {
    EXPECT_EQ(form->Controller().page(), dcl::DupPage::Criteria);
    ASSERT_NE(form->TreeRoot(), nullptr);
    EXPECT_NE(TreeView_GetChild(form->tvDiskDir(), form->TreeRoot()), nullptr);  // the fixed drive C:
    EXPECT_TRUE(form->CheckedRoots().empty());
    form->ScanNowButtonClick();  // nothing checked: the error, page 0 stays
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, dcl::kNoRootsText);
    Shot(L"duplicate_cleaner_criteria");

    for (const char* folder : {"a", "b", "c"}) put(std::string(folder) + "\\report.doc");
    form->ScanRoots({dir.path()});
    ASSERT_EQ(form->Controller().page(), dcl::DupPage::Results);
    EXPECT_EQ(ListView_GetItemCount(form->DuplicatesListView()), 4);
    form->DuplicatesListViewColumnClick(0);  // by folder: a, b, c
    form->DuplicatesListViewMouseDown(0);    // the group: all but the first copy
    Shot(L"duplicate_cleaner_results");

    ui.answers = {platform::MsgResult::Yes};
    form->DeleteButtonClick();
    EXPECT_EQ(ui.shown.back().caption, dcl::kDuplicateDeleteCaption);
    ASSERT_EQ(form->Controller().page(), dcl::DupPage::Finish);
    EXPECT_EQ(ListView_GetItemCount(form->FinishListView()), 2);
    EXPECT_TRUE(machine.files().fileExists(dir.path("a\\report.doc")));
    EXPECT_FALSE(machine.files().fileExists(dir.path("b\\report.doc")));
    EXPECT_FALSE(machine.files().fileExists(dir.path("c\\report.doc")));
    EXPECT_EQ(form->Controller().finishText(1), "2 files have been deleted successfully.");
    Shot(L"duplicate_cleaner_finish");

    form->FinishButtonClick();
    EXPECT_EQ(form->Controller().page(), dcl::DupPage::Criteria);
}

}  // namespace
}  // namespace trenmoor::views
