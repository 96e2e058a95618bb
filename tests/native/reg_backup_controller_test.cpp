#include "registry_cleaner/reg_backup_controller.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/registry_accessor.h"
#include "platform/text_file.h"
#include "support/scripted_ui.h"
#include "support/sim_machine.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using Page = TRegBackupController::Page;

class RegBackupWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ctx.PlatformKind = kPlatformNT;
        platform::TRegistry reg(m->registry());
        ASSERT_TRUE(reg.OpenKey("\\Software\\BackupTest", true));
        ASSERT_TRUE(reg.WriteString("Value", "original"));
    }
    // A repair backup of the test value, as the cleaner writes it before a repair.
    std::string MakeRepairBackup() {
        std::array<TRegistryContents, kSectionCount + 1> sections;
        TContent& p = sections[17][sections[17].Add()].Content;
        p.Checked = true;
        p.KeyPath = "HKEY_CURRENT_USER\\Software\\BackupTest";
        p.ValueName = "Value";
        const RepairBackupResult result = WriteRepairBackup(ctx, sections);
        EXPECT_TRUE(result.written);
        return result.path;
    }
    std::string ReadValue() {
        platform::TRegistry reg(m->registry());
        return reg.OpenKeyReadOnly("\\Software\\BackupTest") ? reg.ReadString("Value") : "";
    }
    const testing::ShownMessage& Last() { return ui.shown.back(); }

    testing::SimMachine m;
    testing::ScriptedUi ui;
    AppContext ctx{*m, ui};
    std::vector<bool> hints;
    TRegBackupController form{ctx, [this](bool on) { hints.push_back(on); }};
};

TEST_F(RegBackupWindow, OpensOnThePartialSheetWithItsBackups) {
    const std::string path = MakeRepairBackup();
    ASSERT_TRUE(
        platform::WriteAllBytes(m->files(), "C:\\Program Files\\Trenmoor\\RepairBackup\\speed1.ini", "x"));
    form.FormShow();
    EXPECT_EQ(form.CurrentPage(), Page::kPartialPage);
    ASSERT_EQ(form.Rows(Page::kPartialPage).size(), 1u);
    EXPECT_EQ(form.Rows(Page::kPartialPage)[0].path, path);
    form.ShowSheet(Page::kFullPage);
    EXPECT_EQ(form.CurrentPage(), Page::kFullPage);
    EXPECT_TRUE(form.Rows(Page::kFullPage).empty());
    EXPECT_TRUE(IsShadedRow(0));
    EXPECT_FALSE(IsShadedRow(1));
    EXPECT_TRUE(IsShadedRow(2));
}

TEST_F(RegBackupWindow, EveryCommandAsksForASelectionFirst) {
    form.FormShow();
    using Click = void (TRegBackupController::*)();
    for (Click click :
         {&TRegBackupController::RestorePartialBtnClick, &TRegBackupController::RemovePartialBtnClick,
          &TRegBackupController::RestoreRegistryBtnClick, &TRegBackupController::RemoveBackupBtnClick}) {
        ui.shown.clear();
        (form.*click)();
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(Last().text, "Please select the specific item for this operation!");
        EXPECT_EQ(Last().caption, "Trenmoor");
    }
}

TEST_F(RegBackupWindow, RestoreAsksThenImportsAndChecks) {
    MakeRepairBackup();
    form.FormShow();
    form.Select(Page::kPartialPage, 0);
    platform::TRegistry reg(m->registry());
    ASSERT_TRUE(reg.OpenKey("\\Software\\BackupTest", false));
    ASSERT_TRUE(reg.WriteString("Value", "changed"));

    ui.answers = {MsgResult::No};
    form.RestorePartialBtnClick();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(Last().text, "Would you like to restore the registry now?");
    EXPECT_EQ(Last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(ReadValue(), "changed");

    ui.answers = {MsgResult::Yes};
    form.RestorePartialBtnClick();
    ASSERT_EQ(ui.shown.size(), 3u);
    EXPECT_EQ(Last().text, "The registry was restored successfully!");
    EXPECT_EQ(ReadValue(), "original");
}

TEST_F(RegBackupWindow, RestoreOfADamagedFileNamesTheFile) {
    const std::string path = MakeRepairBackup();
    ASSERT_TRUE(platform::WriteAllBytes(m->files(), path, "damaged"));
    form.FormShow();
    form.Select(Page::kPartialPage, 0);
    form.RestorePartialBtnClick();
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_NE(Last().text.find(path), std::string::npos) << Last().text;
    EXPECT_NE(Last().text, "The registry was restored successfully!");
    EXPECT_EQ(Last().icon, MsgIcon::Error);
}

TEST_F(RegBackupWindow, RemoveDeletesTheFileAndItsRow) {
    const std::string first = MakeRepairBackup();
    const std::string second = MakeRepairBackup();
    form.FormShow();
    ASSERT_EQ(form.Rows(Page::kPartialPage).size(), 2u);
    form.Select(Page::kPartialPage, 0);
    const std::string chosen = form.Rows(Page::kPartialPage)[0].path;

    ui.answers = {MsgResult::No};
    form.RemovePartialBtnClick();
    EXPECT_EQ(Last().text, "Are you sure to remove this backup file now?\rThis operation is not reversible!");
    EXPECT_EQ(Last().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(m->files().fileExists(chosen));

    form.RemovePartialBtnClick();  // default answer Yes
    EXPECT_EQ(Last().text, "The backup file was removed successfully!");
    EXPECT_FALSE(m->files().fileExists(chosen));
    ASSERT_EQ(form.Rows(Page::kPartialPage).size(), 1u);
    EXPECT_NE(form.Rows(Page::kPartialPage)[0].path, chosen);
    EXPECT_FALSE(form.Selected(Page::kPartialPage).has_value());
}

TEST_F(RegBackupWindow, RemovingABackupWhoseFileIsGoneRemovesTheRowSilently) {
    const std::string path = MakeRepairBackup();
    form.FormShow();
    ASSERT_TRUE(m->files().deleteFile(path));
    form.Select(Page::kPartialPage, 0);
    form.RemovePartialBtnClick();
    ASSERT_EQ(ui.shown.size(), 1u);  // only the question
    EXPECT_TRUE(form.Rows(Page::kPartialPage).empty());
}

TEST_F(RegBackupWindow, CreateBackupAddsARowOnTheFullSheet) {
    form.FormShow();
    form.ShowSheet(Page::kFullPage);
    form.BackupRegistryBtnClick();
    EXPECT_EQ(hints, (std::vector<bool>{true, false}));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(Last().text, "The registry backup was created successfully!");
    ASSERT_EQ(form.Rows(Page::kFullPage).size(), 1u);
    EXPECT_TRUE(m->files().fileExists(form.Rows(Page::kFullPage)[0].path));
    EXPECT_FALSE(form.Rows(Page::kFullPage)[0].caption.empty());
    EXPECT_EQ(form.CurrentPage(), Page::kFullPage);

    // Restore the full backup after a change; the sheet stays.
    platform::TRegistry reg(m->registry());
    ASSERT_TRUE(reg.OpenKey("\\Software\\BackupTest", false));
    ASSERT_TRUE(reg.WriteString("Value", "changed"));
    form.Select(Page::kFullPage, 0);
    form.RestoreRegistryBtnClick();
    EXPECT_EQ(Last().text, "The registry was restored successfully!");
    EXPECT_EQ(ReadValue(), "original");
    EXPECT_EQ(form.CurrentPage(), Page::kFullPage);

    form.RemoveBackupBtnClick();
    EXPECT_EQ(Last().text, "The backup file was removed successfully!");
    EXPECT_TRUE(form.Rows(Page::kFullPage).empty());
}

TEST_F(RegBackupWindow, CreateBackupReportsAFailedExport) {
    m->simFiles().setProgramPath("Q:\\Nowhere\\Trenmoor.exe");  // an unmapped drive: nothing can be written
    form.ShowSheet(Page::kFullPage);
    form.BackupRegistryBtnClick();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(Last().text, "Creating registry backup was failed.");
    EXPECT_TRUE(form.Rows(Page::kFullPage).empty());
}

TEST_F(RegBackupWindow, FirstFullBackupDialog) {
    int repaints = 0;
    TFirstFullBackupController dialog(ctx, [&] {
        ++repaints;
        EXPECT_EQ(dialog.MessageText(), "Please wait until the backup operation is finished.");
        EXPECT_FALSE(dialog.ButtonEnabled());
    });
    EXPECT_FALSE(dialog.MessageVisible());
    EXPECT_EQ(dialog.ButtonCaption(), "Backup Now");
    dialog.ButtonClick();
    EXPECT_EQ(repaints, 1);
    EXPECT_TRUE(dialog.MessageVisible());
    EXPECT_EQ(dialog.MessageText(), "Registry backup was successfully created!");
    EXPECT_EQ(dialog.ButtonCaption(), "OK");
    EXPECT_TRUE(dialog.ButtonEnabled());
    EXPECT_TRUE(m->files().fileExists(dialog.BackupPath()));
    EXPECT_FALSE(dialog.Closed());
    dialog.ButtonClick();
    EXPECT_TRUE(dialog.Closed());
}

TEST_F(RegBackupWindow, FirstFullBackupDialogDoesNotClaimAFailedBackup) {
    m->simFiles().setProgramPath("Q:\\Nowhere\\Trenmoor.exe");
    TFirstFullBackupController dialog(ctx);
    dialog.ButtonClick();
    EXPECT_EQ(dialog.MessageText(), "Creating registry backup was failed.");
    EXPECT_TRUE(dialog.BackupPath().empty());

    TFirstFullBackupController closedWithoutBackup(ctx);
    closedWithoutBackup.FormClose();
    EXPECT_TRUE(closedWithoutBackup.Closed());
    EXPECT_TRUE(closedWithoutBackup.BackupPath().empty());
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
