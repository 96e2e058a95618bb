// The disk cleaners' window controllers with a scripted Ui: pages, run states, messages and stops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "disk_cleaners/duplicates_controller.h"
#include "disk_cleaners/junk_cleaner_controller.h"
#include "disk_cleaners/junk_one_click.h"
#include "disk_cleaners/shredder_controller.h"
#include "support/disk_tree.h"
#include "support/scripted_ui.h"
#include "support/sim_machine.h"

namespace trenmoor::disk_cleaners {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using testing::PutFile;

class Controllers : public ::testing::Test {
  protected:
    void SetUp() override { machine->simClock().tickStep = 20; }  // time passes: the pacer lets messages run
    testing::SimMachine machine;
    testing::ScriptedUi ui;
    AppContext ctx{*machine, ui};
    platform::FileSystem& files = machine->files();
};

TEST_F(Controllers, ShredderAsksShredsAndReports) {
    ShredderController c(ctx);
    EXPECT_TRUE(c.shred().empty());
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, kShredEmptyListText);
    EXPECT_EQ(ui.shown[0].caption, "Trenmoor");
    EXPECT_EQ(ui.shown[0].icon, MsgIcon::Exclamation);

    PutFile(files, "C:\\S\\a.txt", "a");
    PutFile(files, "C:\\S\\dir\\b.txt", "b");
    c.add("C:\\S\\a.txt");
    c.add("C:\\S\\dir");
    c.add("C:\\S\\gone.txt");
    c.removeAt(7);  // no selection: nothing happens
    ui.answers = {MsgResult::No};
    EXPECT_TRUE(c.shred().empty());
    EXPECT_EQ(ui.shown.back().text, kShredConfirmText);
    EXPECT_EQ(ui.shown.back().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(files.fileExists("C:\\S\\a.txt"));
    EXPECT_EQ(c.items().size(), 3u);

    c.setLevel(ShredLevel::Thorough);
    const auto done = c.shred();
    EXPECT_EQ(done.size(), 4u);  // a.txt, b.txt, the folder, the missing name
    EXPECT_FALSE(files.fileExists("C:\\S\\a.txt"));
    EXPECT_FALSE(files.directoryExists("C:\\S\\dir"));
    EXPECT_EQ(ui.shown.back().caption, kShredDoneCaption);
    EXPECT_EQ(ui.shown.back().text, "These items could not be shredded:\rC:\\S\\gone.txt");
    EXPECT_TRUE(c.items().empty());

    c.add("C:\\S");
    c.shred();
    EXPECT_EQ(ui.shown.back().text, "File Shreds Completed Successfully!");
}

TEST(ElapsedText, TwoDigitParts) {
    const std::pair<uint64_t, const char*> cases[] = {{0, "00:00:00"},
                                                      {59'999, "00:00:59"},
                                                      {61'000, "00:01:01"},
                                                      {3'600'000, "01:00:00"},
                                                      {360'000'000, "100:00:00"}};
    for (const auto& [ms, text] : cases) EXPECT_EQ(ElapsedText(ms), text);
}

TEST_F(Controllers, DuplicatesFlowFromCriteriaToFinish) {
    DuplicatesController c(ctx);
    EXPECT_EQ(c.finishText(0), "0 files have been scanned. 0 files were selected for deletion.");
    c.scan({});
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, kNoRootsText);
    EXPECT_EQ(ui.shown[0].caption, kNoRootsCaption);
    EXPECT_EQ(c.page(), DupPage::Criteria);

    PutFile(files, "C:\\A\\x.txt", "1");
    PutFile(files, "C:\\B\\x.txt", "1");
    PutFile(files, "C:\\B\\y.txt", "2");
    c.scan({"C:\\A", "C:\\B"});
    EXPECT_EQ(c.page(), DupPage::Results);
    EXPECT_EQ(c.scanState(), kDupFinished);
    EXPECT_EQ(c.buttons(), (DupButtons{false, false, true, true, false}));
    EXPECT_EQ(c.statusText(), "1 duplicate groups found where 2 files are contained within.");
    EXPECT_EQ(c.duplicateGroupsText(), "1");
    EXPECT_EQ(c.duplicateFilesText(), "2");
    EXPECT_NE(c.elapsedText(), "");

    c.columnClick(0);
    c.toggleMark(0);  // keeps C:\A\x.txt
    c.deleteToRecycleBin = false;
    ui.answers = {MsgResult::No};
    EXPECT_FALSE(c.deleteMarked());
    EXPECT_EQ(ui.shown.back().text, kPermanentDeleteQuestion);
    EXPECT_EQ(ui.shown.back().caption, kDuplicateDeleteCaption);
    EXPECT_TRUE(files.fileExists("C:\\B\\x.txt"));
    EXPECT_TRUE(c.deleteMarked());
    EXPECT_FALSE(files.fileExists("C:\\B\\x.txt"));
    EXPECT_TRUE(files.fileExists("C:\\A\\x.txt"));
    EXPECT_EQ(c.page(), DupPage::Finish);
    ASSERT_EQ(c.finishRows().size(), 1u);
    EXPECT_EQ(c.finishRows()[0].status, "Succeeded");
    EXPECT_EQ(c.finishText(1), "1 files have been deleted successfully.");
    EXPECT_FALSE(c.failureInRed());

    c.reset();
    EXPECT_EQ(c.page(), DupPage::Criteria);
    EXPECT_TRUE(c.deleteToRecycleBin);
    EXPECT_EQ(c.criteria.MinSizeKb, 10u);
    EXPECT_EQ(c.finishText(2), "Fail to delete 0 files");

    c.criteria.Category = FileCategory::Music;
    c.scan({"C:\\A"});
    EXPECT_EQ(c.page(), DupPage::Finish);  // nothing found
    EXPECT_EQ(c.buttons(), (DupButtons{false, false, false, false, true}));
}

TEST_F(Controllers, DuplicatesStopShowsWhatWasFound) {
    for (int i = 0; i < 40; ++i) {
        PutFile(files, "C:\\A\\d" + std::to_string(i) + "\\same.txt", "s");
        PutFile(files, "C:\\A\\d" + std::to_string(i) + "\\u" + std::to_string(i) + ".txt", "u");
    }
    DuplicatesController c(ctx);
    ui.onPump = [&] {
        if (c.scanState() == kDupScanning && c.duplicateFilesText() != "0") c.stop();
    };
    c.scan({"C:\\A"});
    EXPECT_EQ(c.scanState(), kDupStop);
    EXPECT_EQ(c.page(), DupPage::Results);
    ASSERT_EQ(c.results().groupCount(), 1u);
    EXPECT_LT(c.results().fileRowCount(), 40u);
}

TEST_F(Controllers, JunkWizardWalksItsPages) {
    PutFile(files, "C:\\Work\\a.tmp", "aaaa");
    PutFile(files, "C:\\Work\\b.bak", std::string(3000, 'b'));
    PutFile(files, "C:\\Work\\Thumbs.db", "t");
    JunkCleanerController c(ctx);
    c.show();
    ASSERT_FALSE(c.drives().empty());
    EXPECT_EQ(c.drives()[0].Drive, "C:");
    EXPECT_FALSE(c.backEnabled());

    c.next();  // types: the defaults, written at once
    EXPECT_EQ(c.page(), JunkPage::JunkFiles);
    ASSERT_EQ(c.types().size(), 47u);
    const std::string typesFile = "C:\\Program Files\\Trenmoor\\JunkFile.dat";
    EXPECT_TRUE(files.fileExists(typesFile));
    c.selectAll(false);
    c.editType(5, "*.tmp", "edited");
    c.types()[5].Checked = true;
    c.addType("*.bak", "backups");
    ui.answers = {MsgResult::No};
    c.removeType(0);
    EXPECT_EQ(ui.shown.back().text, kRemoveTypeQuestion);
    EXPECT_EQ(c.types().size(), 48u);

    // Back is refused while the scan runs.
    JunkPage pageDuringScan = JunkPage::Drives;
    ui.onPump = [&] {
        if (c.runState() == kJunkScanning) {
            c.back();
            pageDuringScan = c.page();
        }
    };
    c.next();
    EXPECT_EQ(pageDuringScan, JunkPage::Scan);
    EXPECT_EQ(c.page(), JunkPage::Scan);
    EXPECT_EQ(c.runState(), kJunkScanned);
    const auto saved = LoadJunkTypes(files, typesFile);
    EXPECT_EQ(saved[5], (TJunkFileType{true, "*.tmp", "edited"}));  // the edit reached the file
    EXPECT_EQ(saved.size(), 48u);
    ASSERT_EQ(c.found().size(), 2u);  // Thumbs.db is unchecked now
    EXPECT_EQ(c.scanRows()[0].Status, kFinished);

    c.next();
    ASSERT_EQ(c.reportRows().size(), 1u);
    EXPECT_EQ(c.reportTotals().Count, 2u);
    EXPECT_EQ(c.reportTotals().Kilobytes, 2u);
    EXPECT_EQ(c.foundOn("C:").size(), 2u);

    c.next();
    c.mode = CleanMode::Delete;
    ui.answers = {MsgResult::No};
    c.next();
    EXPECT_EQ(c.page(), JunkPage::CleanupOptions);
    EXPECT_EQ(ui.shown.back().caption, kJunkDeleteCaption);
    EXPECT_TRUE(files.fileExists("C:\\Work\\a.tmp"));
    c.next();
    EXPECT_EQ(c.page(), JunkPage::Cleanup);
    EXPECT_EQ(c.nextCaption(), "Finish");
    ASSERT_EQ(c.cleanRows().size(), 2u);
    EXPECT_EQ(c.cleanRows()[0].Status, kStatusFileDeleted);
    EXPECT_FALSE(files.fileExists("C:\\Work\\a.tmp"));
    EXPECT_TRUE(files.fileExists("C:\\Work\\Thumbs.db"));

    c.next();  // Finish: back to the start, ready to run again
    EXPECT_EQ(c.page(), JunkPage::Drives);
    EXPECT_TRUE(c.nextEnabled());
    EXPECT_FALSE(c.backEnabled());
}

TEST_F(Controllers, JunkScanStopMarksTheDrive) {
    for (int i = 0; i < 50; ++i) PutFile(files, "C:\\Many\\d" + std::to_string(i) + "\\f.tmp", "x");
    JunkCleanerController c(ctx);
    c.show();
    c.next();
    ui.onPump = [&] {
        if (!c.found().empty()) c.stopScan();
    };
    c.next();
    EXPECT_EQ(c.runState(), kJunkStop);
    EXPECT_EQ(c.scanRows()[0].Status, kUserStop);
    EXPECT_LT(c.found().size(), 50u);
}

// A shell that moves a file into a bin folder, as the real recycle bin does.
class BinShell final : public platform::Shell {
  public:
    explicit BinShell(platform::FileSystem& files) : files_(files) {}
    bool execute(std::string_view, std::string_view, std::string_view, std::string_view,
                 platform::ShowMode) override {
        return false;
    }
    int recycle(std::string_view path) override {
        recycled.emplace_back(path);
        return files_.renameFile(path, "C:\\Bin\\" + std::to_string(recycled.size())) ? 0 : 5;
    }
    std::vector<std::string> recycled;

  private:
    platform::FileSystem& files_;
};

TEST_F(Controllers, OneClickStepRecyclesJunkOfEveryFixedDrive) {
    PutFile(files, "C:\\Users\\tester\\x.tmp", "123");
    PutFile(files, "C:\\Users\\tester\\keep.doc", "k");
    PutFile(files, "C:\\Windows\\Temp\\setup.log", "w");  // the Windows folder is left alone
    testing::MakeFolders(files, "C:\\Bin");
    struct BinPlatform : platform::Platform {
        BinPlatform(platform::Platform& p, platform::Shell& s) : p_(p), s_(s) {}
        platform::Registry& registry() override { return p_.registry(); }
        platform::FileSystem& files() override { return p_.files(); }
        platform::Shell& shell() override { return s_; }
        platform::ProcessRunner& processes() override { return p_.processes(); }
        platform::TaskScheduler& scheduler() override { return p_.scheduler(); }
        platform::Clock& clock() override { return p_.clock(); }
        platform::SystemInfo& system() override { return p_.system(); }
        platform::Platform& p_;
        platform::Shell& s_;
    };
    BinShell shell(files);
    BinPlatform withBin(*machine, shell);
    AppContext binCtx(withBin, ui);
    const OneClickJunkResult r = RunTemporaryFilesStep(binCtx);
    EXPECT_EQ(r.Found, 1u);
    EXPECT_EQ(r.Recycled, 1u);
    EXPECT_EQ(r.BytesRecycled, 3u);
    EXPECT_EQ(shell.recycled, (std::vector<std::string>{"C:\\Users\\tester\\x.tmp"}));
    EXPECT_TRUE(files.fileExists("C:\\Windows\\Temp\\setup.log"));
    EXPECT_TRUE(files.fileExists("C:\\Users\\tester\\keep.doc"));
}

}  // namespace
}  // namespace trenmoor::disk_cleaners
