// The Registry Backup window and the first-full-backup dialog on the real machine: list, restore and
// remove repair backups, create and remove a full export; a screenshot of both sheets and the dialog.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "app/views/skin.h"
#include "common/shared_helpers.h"
#include "gui/gui_support.h"
#include "platform/text_encoding.h"
#include "platform/text_file.h"
#include "registry_cleaner/registry_backup.h"
#include "registry_cleaner/views/first_full_backup_dialog.h"
#include "registry_cleaner/views/reg_backup_form.h"
#include "support/scripted_ui.h"
#include "wine/scratch_program_machine.h"

namespace trenmoor::views {
namespace {

using platform::RootKey;
namespace rc = registry_cleaner;
using Page = rc::TRegBackupController::Page;

// HKEY_USERS is not redirected by the test program, so the registry editor (another process) and the
// window see the same keys.
class RegBackupWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ctx.PlatformKind = kPlatformNT;
        (void)DeleteKeyAbsolute(machine.registry(), RootKey::Users, "\\" + key);
        auto values = machine.registry().open(RootKey::Users, key, true, true);
        ASSERT_TRUE(values);
        ASSERT_TRUE(values->setValue("Value", {platform::kRegSz, platform::Utf8ToRegBytes("original")}));
        host = CreateWindowExW(0, L"STATIC", L"Registry Backup host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                               0, 0, skin::S(720), skin::S(460), nullptr, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
        ASSERT_NE(host, nullptr);
    }
    void TearDown() override {
        form.reset();
        if (host) DestroyWindow(host);
        (void)DeleteKeyAbsolute(machine.registry(), RootKey::Users, "\\" + key);
    }
    std::string MakeRepairBackup() {
        std::array<rc::TRegistryContents, rc::kSectionCount + 1> sections;
        rc::TContent& p = sections[17][sections[17].Add()].Content;
        p.Checked = true;
        p.KeyPath = "HKEY_USERS\\" + key;
        p.ValueName = "Value";
        const rc::RepairBackupResult result = rc::WriteRepairBackup(ctx, sections);
        EXPECT_TRUE(result.written);
        return result.path;
    }
    std::string ReadValue() {
        auto k = machine.registry().open(RootKey::Users, key, false, false);
        const auto v = k ? k->queryValue("Value") : std::nullopt;
        return v ? platform::RegBytesToUtf8(v->data) : std::string();
    }
    void SetValue(const std::string& text) {
        auto k = machine.registry().open(RootKey::Users, key, false, true);
        ASSERT_TRUE(k && k->setValue("Value", {platform::kRegSz, platform::Utf8ToRegBytes(text)}));
    }
    void Select(HWND list, int row) {
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    void Shot(HWND hwnd, const wchar_t* name) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        testing::Pump(60);
        EXPECT_FALSE(testing::SaveScreenshot(hwnd, name).empty()) << name;
    }

    testing::ScratchProgramMachine machine;
    testing::ScriptedUi ui;
    AppContext ctx{machine, ui};
    const std::string key = ".DEFAULT\\Software\\TrenmoorGuiBackup" + std::to_string(GetCurrentProcessId());
    HWND host = nullptr;
    std::unique_ptr<TRegBackupForm> form;
};

TEST_F(RegBackupWindowTest, ListsRestoresRemovesAndCreatesBackups) {
    const std::string first = MakeRepairBackup();
    const std::string second = MakeRepairBackup();
    ASSERT_TRUE(platform::WriteAllBytes(machine.files(),
                                        ProgramFile(machine.files(), "RepairBackup\\speed1.ini"), "x"));

    form = std::make_unique<TRegBackupForm>(host, ctx);
    form->Show();
    testing::Pump(80);
    EXPECT_EQ(testing::TextOf(form->Handle()), L"Registry Backup");
    const HWND partial = form->PartialListView();
    ASSERT_TRUE(IsWindowVisible(partial));
    EXPECT_FALSE(IsWindowVisible(form->BackupDataListView()));
    ASSERT_EQ(ListView_GetItemCount(partial), 2);  // the .ini restore file is not listed
    // Alternating rows: the first light blue, the second the window colour.
    RECT row0{}, row1{};
    ListView_GetItemRect(partial, 0, &row0, LVIR_LABEL);
    ListView_GetItemRect(partial, 1, &row1, LVIR_LABEL);
    Shot(form->Handle(), L"registry_backup_1_partial");
    EXPECT_EQ(testing::ScreenPixel(partial, row0.right - 3, (row0.top + row0.bottom) / 2),
              RGB(0xE3, 0xEA, 0xF4));
    EXPECT_EQ(testing::ScreenPixel(partial, row1.right - 3, (row1.top + row1.bottom) / 2),
              GetSysColor(COLOR_WINDOW));

    // Restore without a selection, then with one.
    form->RestorePartialBtnClick();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown.back().text, "Please select the specific item for this operation!");
    SetValue("changed");
    Select(partial, 0);
    form->RestorePartialBtnClick();
    ASSERT_EQ(ui.shown.size(), 3u);
    EXPECT_EQ(ui.shown[1].text, "Would you like to restore the registry now?");
    EXPECT_EQ(ui.shown.back().text, "The registry was restored successfully!");
    EXPECT_EQ(ReadValue(), "original");

    // Remove the second backup.
    Select(partial, 1);
    const std::string removed = form->Controller().Rows(Page::kPartialPage)[1].path;
    form->RemovePartialBtnClick();
    EXPECT_EQ(ui.shown.back().text, "The backup file was removed successfully!");
    EXPECT_EQ(ListView_GetItemCount(partial), 1);
    EXPECT_FALSE(machine.files().fileExists(removed));
    EXPECT_TRUE(machine.files().fileExists(removed == first ? second : first));

    // The Full sheet: empty, then one export made with the registry editor.
    form->FullSheetClick();
    testing::Pump(40);
    const HWND full = form->BackupDataListView();
    EXPECT_TRUE(IsWindowVisible(full));
    EXPECT_FALSE(IsWindowVisible(partial));
    EXPECT_EQ(ListView_GetItemCount(full), 0);
    form->BackupRegistryBtnClick();
    EXPECT_EQ(form->Hint(), nullptr);  // the wait window is gone again
    EXPECT_EQ(ui.shown.back().text, "The registry backup was created successfully!");
    ASSERT_EQ(ListView_GetItemCount(full), 1);
    const std::string exported = form->Controller().Rows(Page::kFullPage)[0].path;
    EXPECT_TRUE(machine.files().fileExists(exported));
    Shot(form->Handle(), L"registry_backup_2_full");

    Select(full, 0);
    form->RemoveBackupBtnClick();
    EXPECT_EQ(ui.shown.back().text, "The backup file was removed successfully!");
    EXPECT_EQ(ListView_GetItemCount(full), 0);
    EXPECT_FALSE(machine.files().fileExists(exported));
}

TEST_F(RegBackupWindowTest, FirstFullBackupDialogMakesTheBackupAndCloses) {
    {
        TFirstFullBackupDialog dialog(host, ctx);
        ShowWindow(dialog.Handle(), SW_SHOW);
        testing::Pump(40);
        EXPECT_EQ(testing::TextOf(dialog.Handle()), L"Trenmoor - Create full Registry Backup");
        dialog.BackupBtnClick();
        EXPECT_EQ(dialog.Controller().MessageText(), "Registry backup was successfully created!");
        EXPECT_EQ(dialog.Controller().ButtonCaption(), "OK");
        EXPECT_TRUE(machine.files().fileExists(dialog.Controller().BackupPath()));
        Shot(dialog.Handle(), L"registry_backup_3_first_full_backup");
        (void)machine.files().deleteFile(dialog.Controller().BackupPath());
    }
    // Modal: two clicks wait in the queue ("Backup Now", then "OK"); the owner is disabled meanwhile and
    // enabled again afterwards.
    TFirstFullBackupDialog dialog(host, ctx);
    for (int i = 0; i < 2; ++i) {
        PostMessageW(dialog.BackupBtnHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(dialog.BackupBtnHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    dialog.ShowModal();
    EXPECT_TRUE(dialog.Controller().Closed());
    EXPECT_FALSE(dialog.Controller().BackupPath().empty());
    EXPECT_TRUE(IsWindowEnabled(host));
    (void)machine.files().deleteFile(dialog.Controller().BackupPath());
}

}  // namespace
}  // namespace trenmoor::views
