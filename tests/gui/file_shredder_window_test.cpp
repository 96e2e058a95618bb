// The File Shredder window on the real machine: the list filled through the window, the level taken
// from the radio group, a shred with the confirmation answered, and a screenshot.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/views/skin.h"
#include "disk_cleaners/views/advanced_shred_form.h"
#include "gui/gui_support.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "support/scripted_ui.h"
#include "wine/scratch_folder.h"

namespace trenmoor::views {
namespace {

class FileShredderWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.created());
        host = CreateWindowExW(0, L"STATIC", L"File Shredder host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                               0, 0, skin::S(720), skin::S(460), nullptr, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
        ASSERT_NE(host, nullptr);
        form = std::make_unique<TAdvancedShredForm>(host, ctx);
        form->Show();
    }
    void TearDown() override {
        form.reset();
        if (host) DestroyWindow(host);
    }
    void put(const std::string& name) {
        auto s = machine.files().open(dir.path(name), platform::OpenMode::Create);
        ASSERT_TRUE(s && s->write("secret", 6));
    }

    platform::win32::Win32Platform machine;
    testing::ScriptedUi ui;
    AppContext ctx{machine, ui};
    testing::ScratchFolder dir;
    HWND host = nullptr;
    std::unique_ptr<TAdvancedShredForm> form;
};

TEST_F(FileShredderWindowTest, ShredsTheListedItemsAtTheChosenLevel) {
    put("one.txt");
    put("two.txt");
    form->Controller().add(dir.path("one.txt"));
    form->Controller().add(dir.path("two.txt"));
    form->Show();
    EXPECT_EQ(SendMessageW(form->listAdd(), LB_GETCOUNT, 0, 0), 2);
    testing::Pump(60);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testing::Pump(60);
    EXPECT_FALSE(testing::SaveScreenshot(host, L"file_shredder").empty());

    SendMessageW(form->listAdd(), LB_SETCURSEL, 1, 0);
    form->RemoveSelectedFilesfromthelist1Click();
    EXPECT_EQ(SendMessageW(form->listAdd(), LB_GETCOUNT, 0, 0), 1);

    HWND safe = GetDlgItem(form->Handle(), 311);
    ASSERT_NE(safe, nullptr);
    EXPECT_EQ(testing::TextOf(safe), L"Safe(DOD 5220.22-M: 3 overwrite passes)");
    SendMessageW(GetDlgItem(form->Handle(), 310), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(safe, BM_SETCHECK, BST_CHECKED, 0);
    form->btnShredClick();
    EXPECT_EQ(form->Controller().level(), disk_cleaners::ShredLevel::Safe);
    ASSERT_EQ(ui.shown.size(), 2u);  // the question, then the outcome
    EXPECT_EQ(ui.shown.back().text, "File Shreds Completed Successfully!");
    EXPECT_FALSE(machine.files().fileExists(dir.path("one.txt")));
    EXPECT_TRUE(machine.files().fileExists(dir.path("two.txt")));  // removed from the list before
    EXPECT_EQ(SendMessageW(form->listAdd(), LB_GETCOUNT, 0, 0), 0);

    form->btnShredClick();  // an empty list only warns
    EXPECT_EQ(ui.shown.back().text, disk_cleaners::kShredEmptyListText);
}

}  // namespace
}  // namespace trenmoor::views
