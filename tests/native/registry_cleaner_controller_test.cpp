// The Registry Cleaner window's controller on a simulated machine with scripted answers: modes, the
// scan loop with abort, the result lists and check mirroring, select all, the repair flow with its
// backup, cancel and finish, and the small rules behind the displays.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "platform/registry_accessor.h"
#include "registry_cleaner/cleaner_controller.h"
#include "registry_cleaner/cleaner_texts.h"
#include "registry_cleaner/registry_backup.h"
#include "registry_cleaner/sections/section_table.h"
#include "support/cleaner_fixture.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::RootKey;
using ::testing::ElementsAre;

constexpr int kAppPaths = 2, kFonts = 5, kHelp = 6, kSharedDlls = 10, kSounds = 11;
const std::string kFontsKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

class CleanerController : public testing::CleanerFixture {
  protected:
    void SetUp() override { LoadFileReferenceMachine(); }

    TRegistryCleanerController& Make(CleanerHooks hooks = {}) {
        controller = std::make_unique<TRegistryCleanerController>(ctx, std::move(hooks));
        return *controller;
    }
    // Leaves exactly these sections selected (and saved).
    void SelectOnly(std::initializer_list<int> sections) {
        controller->SetSelectAllChecked(true);
        controller->SetSelectAllChecked(false);
        for (const int n : sections) controller->SectionClick(n);
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> out;
        for (const auto& s : ui.shown) out.push_back(s.text);
        return out;
    }
    std::vector<std::string> FinishNames() const {
        std::vector<std::string> out;
        for (const auto& row : controller->FinishRows()) out.push_back(row.Name);
        return out;
    }
    std::vector<std::string> GridCaptions() const {
        std::vector<std::string> out;
        for (const auto& row : controller->Grid()) out.push_back(row.caption);
        return out;
    }
    bool ValueExists(std::string_view key, std::string_view value) {
        platform::TRegistry reg(m->registry(), RootKey::LocalMachine);
        return reg.OpenKeyReadOnly(std::string("\\") + std::string(key)) && reg.ValueExists(value);
    }
    std::string IniValue(int section) {
        platform::IniFile ini(m->files(), ProgramFile(m->files(), "ScanSection.ini"));
        return ini.ReadString("Scan", "Section" + std::to_string(section), "(missing)");
    }

    std::unique_ptr<TRegistryCleanerController> controller;
};

TEST_F(CleanerController, ModesShowTheirButtonsFromReadyThroughScanResultsRepairAndFinish) {
    struct Shown {
        bool progress, selectAll, scanNow, abort, repair, finish;
        CleanerPage page;
    };
    auto shown = [&] {
        const auto& c = *controller;
        return Shown{c.ProgressVisible(),
                     c.SelectAllVisible(),
                     c.ScanNowVisible(),
                     c.AbortVisible(),
                     c.RepairVisible(),
                     c.FinishVisible(),
                     c.Page()};
    };
    auto expect = [](const Shown& s, Shown want, const char* where) {
        EXPECT_EQ(s.progress, want.progress) << where;
        EXPECT_EQ(s.selectAll, want.selectAll) << where;
        EXPECT_EQ(s.scanNow, want.scanNow) << where;
        EXPECT_EQ(s.abort, want.abort) << where;
        EXPECT_EQ(s.repair, want.repair) << where;
        EXPECT_EQ(s.finish, want.finish) << where;
        EXPECT_EQ(s.page, want.page) << where;
    };
    bool scanDone = false;
    std::vector<bool> busy;
    CleanerHooks hooks;
    hooks.scanStarted = [&] { scanDone = true; };
    hooks.busyChanged = [&](bool b) { busy.push_back(b); };
    Make(std::move(hooks));
    SelectOnly({kAppPaths, kSounds});
    ctx.settings.NotAutoBackup = true;

    EXPECT_EQ(controller->Mode(), CleanerMode::Ready);
    expect(shown(), {false, true, true, false, false, false, kScanSectionsPage}, "ready");
    std::optional<Shown> during;
    ui.onPump = [&] {
        if (controller->Scanning() && !during) during = shown();
    };
    controller->ScanNowBtnClick();
    EXPECT_TRUE(scanDone);
    EXPECT_THAT(busy, ElementsAre(true, false));
    ASSERT_TRUE(during.has_value());
    expect(*during, {true, false, false, true, false, false, kScanSectionsPage}, "scanning");

    EXPECT_EQ(controller->Mode(), CleanerMode::Results);
    expect(shown(), {false, true, false, false, true, false, kRepairPage}, "results");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(
        ui.shown[0].text,
        "A total of 6 invalid registry entries were found on your system.\rClick on \"Repair\" to repair all "
        "entries.");
    EXPECT_EQ(ui.shown[0].caption, "Problems Found - Trenmoor");
    EXPECT_EQ(ui.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(controller->Image(kAppPaths), SectionImage::Problems);
    EXPECT_EQ(controller->CountText(kAppPaths), "5");
    EXPECT_EQ(controller->CountText(kFonts), "");

    controller->RepairBtnClick();
    EXPECT_EQ(controller->Mode(), CleanerMode::Finished);
    expect(shown(), {false, false, false, false, false, true, kFinishPage}, "finished");
    EXPECT_EQ(controller->FinishRows().Count(), 6u);

    controller->FinishBtnClick();
    EXPECT_EQ(controller->Mode(), CleanerMode::Ready);
    expect(shown(), {false, true, true, false, false, false, kScanSectionsPage}, "ready again");
    EXPECT_EQ(controller->FinishRows().Count(), 0u);
    EXPECT_TRUE(controller->Grid().empty());
    EXPECT_EQ(controller->CountText(kAppPaths), "");
    EXPECT_EQ(controller->Image(kAppPaths), SectionImage::Selected);
    EXPECT_EQ(controller->Image(kFonts), SectionImage::NotSelected);
}

TEST_F(CleanerController, ScanWithNoSectionSelectedWarnsAndChangesNothing) {
    bool scanDone = false;
    CleanerHooks hooks;
    hooks.scanStarted = [&] { scanDone = true; };
    Make(std::move(hooks));
    SelectOnly({});
    controller->ScanNowBtnClick();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Please select the specific options before scanning.");
    EXPECT_EQ(ui.shown[0].caption, "Trenmoor");
    EXPECT_EQ(ui.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(controller->Mode(), CleanerMode::Ready);
    EXPECT_EQ(controller->Progress().totalText, "Total Process:");
    EXPECT_TRUE(scanDone);  // a started scan counts for the main window even when refused
}

TEST_F(CleanerController, AbortDuringTheThirdOfTenSectionsKeepsWhatWasFound) {
    Make();
    SelectOnly({kAppPaths, kFonts, kHelp, kSharedDlls, kSounds, 12, 13, 14, 15, 16});
    ui.onPump = [&] {
        if (controller->Progress().currentSection == kHelp) controller->AbortScanBtnClick();
    };
    controller->ScanNowBtnClick();
    EXPECT_EQ(ctx.ScanState, kScanAbort);
    EXPECT_EQ(controller->Progress().totalPercent, 30);
    EXPECT_EQ(controller->Progress().totalText, "Total Process: 30%");
    EXPECT_EQ(controller->Mode(), CleanerMode::Results);
    EXPECT_THAT(GridCaptions(), ElementsAre("All Problems", "    Application Paths", "    Font Entries"));
    EXPECT_EQ(controller->Grid()[0].count, "7");
    EXPECT_EQ(controller->GridCountTitle(), "Problems Found: 7");
    // Sections after the aborted one were never checked.
    EXPECT_EQ(controller->Image(kSharedDlls), SectionImage::Selected);
    EXPECT_EQ(controller->CountText(kSharedDlls), "");
    EXPECT_EQ(controller->Scan().Contents()[kSharedDlls].Count(), 0u);
}

TEST_F(CleanerController, AScanFindingNothingGoesStraightToTheFinishPage) {
    Make();
    SelectOnly({kAppPaths});
    LoadReg(
        "REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths]\r\n");
    controller->ScanNowBtnClick();
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(controller->Mode(), CleanerMode::Finished);
    ASSERT_EQ(controller->FinishRows().Count(), 1u);
    EXPECT_EQ(controller->FinishRows()[0].Name, "Problems Found: 0");
    EXPECT_EQ(controller->FinishRows()[0].Status, "");
    EXPECT_TRUE(controller->FinishVisible());
    EXPECT_FALSE(controller->RepairVisible());
    EXPECT_FALSE(controller->ScanNowVisible());
    EXPECT_EQ(controller->Image(kAppPaths), SectionImage::Clean);
    EXPECT_EQ(controller->ElapsedMessage().rfind("Elapsed time: ", 0), 0u);
}

TEST_F(CleanerController, SectionsNotBuiltYetAreSaidSoNeverPassedOffAsClean) {
    // The first two sections whose checkers are not built yet, whichever they are.
    std::vector<int> notBuilt;
    for (const SectionDef& def : Sections())
        if (!def.Built()) notBuilt.push_back(def.number);
    if (notBuilt.size() < 2) GTEST_SKIP() << "fewer than two sections are not built yet";
    const int a = notBuilt[0], b = notBuilt[1];
    ASSERT_GT(a, kAppPaths);
    const std::string captionA(SectionByNumber(a)->caption), captionB(SectionByNumber(b)->caption);
    Make();
    SelectOnly({a, kAppPaths, b});
    LoadReg(
        "REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths]\r\n");
    controller->ScanNowBtnClick();
    EXPECT_EQ(controller->CountText(a), "not built yet");
    EXPECT_EQ(controller->Image(a), SectionImage::NotBuilt);
    EXPECT_THAT(FinishNames(),
                ElementsAre("Problems Found: 0", captionA + ": not built yet", captionB + ": not built yet"));

    // With problems found, the grid lists them too, as rows without problems to show or repair.
    controller->FinishBtnClick();
    LoadRegFile("file_references.reg");
    controller->ScanNowBtnClick();
    EXPECT_THAT(GridCaptions(),
                ElementsAre("All Problems", "    Application Paths", "    " + captionA, "    " + captionB));
    ASSERT_EQ(controller->Grid().size(), 4u);
    EXPECT_EQ(controller->Grid()[2].count, "not built yet");
    controller->SelectGridRow(2);
    EXPECT_EQ(controller->ProblemRowCount(), 0u);
}

TEST_F(CleanerController, ResultListsCopyEveryProblemIntoAllProblemsAndListTheFirstRow) {
    Make();
    SelectOnly({kAppPaths, kFonts, kHelp, kSharedDlls, kSounds});
    controller->ScanNowBtnClick();
    EXPECT_THAT(GridCaptions(),
                ElementsAre("All Problems", "    Application Paths", "    Font Entries", "    Help Section",
                            "    Shared DLL's Sections", "    Sounds Section"));
    EXPECT_EQ(controller->Grid()[3].count, "4");
    EXPECT_EQ(controller->Grid()[3].section, kHelp);
    EXPECT_EQ(controller->SelectedGridRow(), 0u);
    EXPECT_EQ(controller->ProblemRowCount(), 16u);
    EXPECT_EQ(controller->ProblemsHeaderText(), "16 Problems Found");
    EXPECT_EQ(controller->SelectedProblemRow(), 0u);
    const TContent& first = controller->ProblemRow(0);
    EXPECT_EQ(first.Section, "Application Paths");
    EXPECT_EQ(
        controller->DetailsText(),
        "Application Paths section of registry has been found containing invalid entities that point to the "
        "incorrect application path.");
    controller->SelectGridRow(2);
    EXPECT_EQ(controller->ProblemRowCount(), 2u);
    EXPECT_EQ(controller->ProblemRow(0).Section, "");
    controller->SelectProblemRow(1);
    EXPECT_EQ(
        controller->DetailsText(),
        "The invalid registry entities of the Font could cause the abnormal font styling in applications if "
        "not fixed properly.");
    controller->SelectGridRow(std::nullopt);
    EXPECT_EQ(controller->ProblemRowCount(), 0u);
    EXPECT_FALSE(controller->ProblemsHeaderVisible());
    EXPECT_EQ(controller->DetailsText(), "");
    EXPECT_EQ(controller->ShowHideDetailsCaption(), "Hide Details");
    controller->ShowHideDetailsClick();
    EXPECT_FALSE(controller->DetailsVisible());
    EXPECT_EQ(controller->ShowHideDetailsCaption(), "Show Details");
}

TEST_F(CleanerController, ChecksAreMirroredByIdAndRepairTouchesOnlyCheckedProblems) {
    Make();
    SelectOnly({kAppPaths, kFonts});
    ctx.settings.NotAutoBackup = true;
    controller->ScanNowBtnClick();
    const auto& all = controller->Scan().Contents()[kAllProblemsIndex];
    const auto& fonts = controller->Scan().Contents()[kFonts];

    controller->SelectGridRow(2);  // Font Entries
    controller->SetProblemChecked(0, false);
    EXPECT_FALSE(fonts[0].Content.Checked);
    EXPECT_FALSE(all[5].Content.Checked);  // five Application Paths problems come first
    EXPECT_EQ(all[5].Content.ID, fonts[0].Content.ID);

    controller->SelectGridRow(0);  // All Problems
    controller->SetProblemChecked(6, false);
    EXPECT_FALSE(fonts[1].Content.Checked);
    controller->SetProblemChecked(6, true);
    EXPECT_TRUE(fonts[1].Content.Checked);
    // A click on the check box area flips it; a click elsewhere on the row only selects it.
    controller->ProblemListClick(15, 6 * kProblemRowHeight + 30, 0);
    EXPECT_FALSE(fonts[1].Content.Checked);
    EXPECT_EQ(controller->SelectedProblemRow(), 6u);
    controller->ProblemListClick(100, 6 * kProblemRowHeight + 30, 0);
    EXPECT_FALSE(fonts[1].Content.Checked);
    controller->ProblemListClick(15, 2 * kProblemRowHeight + 30, 4);  // scrolled: row 6 again
    EXPECT_TRUE(fonts[1].Content.Checked);

    controller->RepairBtnClick();
    EXPECT_TRUE(ValueExists("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Gone (TrueType)"));
    EXPECT_FALSE(
        ValueExists("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Elsewhere (TrueType)"));
    EXPECT_EQ(controller->FinishRows().Count(), 6u);
}

TEST(ProblemCheckBox, HitAreaIsTenToTwentySixAcrossAndTwentyNineToFortySixDown) {
    const struct {
        int x, y;
        bool hit;
    } cases[] = {{10, 29, true},  {26, 46, true},  {18, 35, true}, {9, 35, false},
                 {27, 35, false}, {18, 28, false}, {18, 47, false}};
    for (const auto& c : cases) EXPECT_EQ(ProblemCheckBoxHit(c.x, c.y), c.hit) << c.x << "," << c.y;
}

TEST_F(CleanerController, SelectAllActsOnSectionsOnPageZeroAndOnListedProblemsOnPageOne) {
    Make();
    SelectOnly({kFonts});
    EXPECT_EQ(IniValue(kFonts), "1");
    EXPECT_EQ(IniValue(kAppPaths), "0");
    controller->cbSelectAllClick();  // was unchecked: now every section
    EXPECT_TRUE(controller->SelectAllChecked());
    for (int n = 1; n <= 17; ++n) EXPECT_EQ(IniValue(n), "1") << n;
    SelectOnly({kAppPaths, kFonts});
    ctx.settings.SelectAll = true;
    controller->SetSelectAllChecked(true);
    SelectOnly({kAppPaths, kFonts});

    controller->ScanNowBtnClick();
    ASSERT_EQ(controller->Page(), kRepairPage);
    controller->SelectGridRow(1);  // Application Paths
    controller->PopupSelectNone();
    for (const auto& item : controller->Scan().Contents()[kAppPaths]) EXPECT_FALSE(item.Content.Checked);
    for (const auto& item : controller->Scan().Contents()[kFonts]) EXPECT_TRUE(item.Content.Checked);
    for (size_t i = 0; i < 5; ++i)
        EXPECT_FALSE(controller->Scan().Contents()[kAllProblemsIndex][i].Content.Checked);
    controller->PopupSelectAll();
    for (const auto& item : controller->Scan().Contents()[kAllProblemsIndex])
        EXPECT_TRUE(item.Content.Checked);
    // From All Problems the section records follow.
    controller->SelectGridRow(0);
    controller->PopupSelectNone();
    for (const int section : {kAppPaths, kFonts})
        for (const auto& item : controller->Scan().Contents()[section])
            EXPECT_FALSE(item.Content.Checked) << section;
    // SelectAll true turned the unchecked box on after the scan, selecting every section; page 1 leaves
    // that selection alone.
    EXPECT_EQ(IniValue(kHelp), "1");
    EXPECT_TRUE(controller->SectionSelected(kHelp));
}

TEST_F(CleanerController, WithSelectAllFalseEverySectionIsDeselectedAfterTheScanButProblemsStayChecked) {
    Make();
    ctx.settings.SelectAll = false;
    SelectOnly({kAppPaths, kFonts});
    controller->SetSelectAllChecked(true);  // the box is checked before the scan: every section selected
    controller->ScanNowBtnClick();
    EXPECT_FALSE(controller->SelectAllChecked());
    for (int n = 1; n <= 17; ++n) {
        EXPECT_FALSE(controller->SectionSelected(n)) << n;
        EXPECT_EQ(IniValue(n), "0") << n;
    }
    // 16 of the file-reference sections, and the two missing sound files the whole-hive walk finds.
    EXPECT_EQ(controller->Scan().Total(), 18);
    for (const auto& item : controller->Scan().Contents()[kAllProblemsIndex])
        EXPECT_TRUE(item.Content.Checked);
}

TEST_F(CleanerController, SectionClicksFlipAndSaveButAreIgnoredWhileScanning) {
    Make();
    SelectOnly({kAppPaths});
    controller->SectionClick(kAppPaths);
    EXPECT_FALSE(controller->SectionSelected(kAppPaths));
    EXPECT_EQ(IniValue(kAppPaths), "0");
    controller->SectionClick(kAppPaths);
    ui.onPump = [&] {
        controller->SectionClick(kFonts);
        controller->ScanNowBtnClick();  // a second scan is refused too
    };
    controller->ScanNowBtnClick();
    EXPECT_FALSE(controller->SectionSelected(kFonts));
    EXPECT_EQ(IniValue(kFonts), "0");
    EXPECT_EQ(ui.shown.size(), 1u);
}

TEST_F(CleanerController, RepairWritesTheBackupFirstAndSaysWhere) {
    Make();
    SelectOnly({kFonts, kSounds});
    controller->ScanNowBtnClick();
    controller->RepairBtnClick();
    ASSERT_EQ(ui.shown.size(), 2u);
    const std::string folder = ProgramFile(m->files(), "RepairBackup\\");
    EXPECT_EQ(ui.shown[1].text,
              "The registry was successfully backed up at the folder:\r" + folder +
                  "\r\rYou can use the utilities in Registry Backup to restore the registry to a "
                  "previous state.\rPress OK button to fix the problems now!");
    EXPECT_EQ(ui.shown[1].caption, "Trenmoor - Registry Backup Finished");
    EXPECT_EQ(ui.shown[1].icon, MsgIcon::Information);
    const auto backups = ListBackups(ctx, BackupKind::Repair);
    ASSERT_EQ(backups.size(), 1u);
    const auto text = platform::ReadAllBytes(m->files(), backups[0].path);
    ASSERT_TRUE(text.has_value());
    EXPECT_FALSE(ValueExists("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Gone (TrueType)"));
    // The backup brings the removed entries back.
    ASSERT_EQ(RestoreBackup(ctx, backups[0].path, BackupKind::Repair), RestoreOutcome::Restored);
    EXPECT_TRUE(ValueExists("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Gone (TrueType)"));
    EXPECT_TRUE(ValueExists("Control Panel\\Sounds", ""));
}

TEST_F(CleanerController, NotAutoBackupRepairsDirectlyWithoutBackupOrMessage) {
    Make();
    ctx.settings.NotAutoBackup = true;
    SelectOnly({kFonts});
    controller->ScanNowBtnClick();
    controller->RepairBtnClick();
    EXPECT_EQ(ui.shown.size(), 1u);  // the problems-found message only
    EXPECT_TRUE(ListBackups(ctx, BackupKind::Repair).empty());
    EXPECT_FALSE(m->files().directoryExists(ProgramFile(m->files(), "RepairBackup")));
    EXPECT_FALSE(ValueExists("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Gone (TrueType)"));
}

TEST_F(CleanerController, AFailedBackupIsSaidAndRepairsOnlyWhenTheUserGoesOnWithoutOne) {
    // A file where the backup folder should be: the folder cannot be created.
    MakeFile(ProgramFile(m->files(), "RepairBackup"));
    Make();
    SelectOnly({kFonts});
    controller->ScanNowBtnClick();

    ui.answers = {MsgResult::No};
    controller->RepairBtnClick();
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].caption, "Trenmoor - Registry Backup Failed");
    EXPECT_EQ(ui.shown[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.shown[1].buttons, MsgButtons::YesNo);
    EXPECT_NE(ui.shown[1].text.find("could not be written"), std::string::npos);
    EXPECT_EQ(ui.shown[1].text.find("successfully"), std::string::npos);
    EXPECT_EQ(controller->Mode(), CleanerMode::Results);
    EXPECT_TRUE(ValueExists("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Gone (TrueType)"));

    ui.answers = {MsgResult::Yes};
    controller->RepairBtnClick();
    EXPECT_EQ(controller->Mode(), CleanerMode::Finished);
    EXPECT_FALSE(ValueExists("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Gone (TrueType)"));
}

TEST_F(CleanerController, CancelDuringTheSecondOfFiveSectionsStopsTheRepairThere) {
    std::vector<bool> dialog;
    CleanerHooks hooks;
    hooks.showRepairDialog = [&](bool shown) { dialog.push_back(shown); };
    hooks.repairProgress = [&](std::string_view keyPath) {
        if (keyPath == kFontsKey) controller->CancelRepair();
    };
    Make(std::move(hooks));
    ctx.settings.NotAutoBackup = true;
    SelectOnly({kAppPaths, kFonts, kHelp, kSharedDlls, kSounds});
    controller->ScanNowBtnClick();
    controller->RepairBtnClick();
    EXPECT_THAT(dialog, ElementsAre(true, false));
    EXPECT_EQ(controller->Mode(), CleanerMode::Finished);
    // Five Application Paths problems, then the Fonts problem being repaired when Cancel came.
    ASSERT_EQ(controller->FinishRows().Count(), 6u);
    EXPECT_EQ(controller->FinishRows()[5].Name, kFontsKey);
    EXPECT_TRUE(
        ValueExists("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Elsewhere (TrueType)"));
    EXPECT_TRUE(ValueExists("SOFTWARE\\Microsoft\\Windows\\Help", "gone.hlp"));
    EXPECT_TRUE(ValueExists("Control Panel\\Sounds", ""));
}

TEST_F(CleanerController, TheFirstRepairOffersAFullBackupOnceAndClearsOneTime) {
    int offered = 0;
    CleanerHooks hooks;
    hooks.showFirstBackupDialog = [&] { ++offered; };
    Make(std::move(hooks));
    ctx.settings.OneTime = true;
    ctx.settings.NotAutoBackup = true;
    SelectOnly({kSounds});
    controller->ScanNowBtnClick();
    controller->RepairBtnClick();
    EXPECT_EQ(offered, 1);
    EXPECT_FALSE(ctx.settings.OneTime);
    platform::TRegistry reg(m->registry());
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Trenmoor"));
    EXPECT_FALSE(reg.ReadBool("OneTime"));
}

TEST_F(CleanerController, ExcludeAddsTheProblemToTheIgnoreListAndDropsItFromTheResults) {
    Make();
    SelectOnly({kFonts, kHelp});
    controller->ScanNowBtnClick();
    controller->SelectGridRow(1);  // Font Entries
    controller->SelectProblemRow(0);
    controller->PopupExclude();
    EXPECT_EQ(controller->Scan().Contents()[kFonts].Count(), 1u);
    EXPECT_EQ(controller->Grid()[0].count, "5");
    EXPECT_EQ(controller->Grid()[1].count, "1");
    EXPECT_EQ(controller->CountText(kFonts), "1");
    EXPECT_EQ(controller->ProblemRowCount(), 1u);
    const auto file = platform::ReadAllBytes(m->files(), ProgramFile(m->files(), "TrenmoorIgnores.dat"));
    ASSERT_TRUE(file.has_value());
    EXPECT_NE(file->find("Font Entries|" + kFontsKey + "|Gone (TrueType)"), std::string::npos);

    // Help problems are excluded by the value that registers the file.
    controller->SelectGridRow(2);
    controller->SelectProblemRow(0);
    controller->PopupExclude();
    controller->FinishBtnClick();
    ui.shown.clear();
    controller->ScanNowBtnClick();
    EXPECT_EQ(controller->Scan().Contents()[kFonts].Count(), 1u);
    // gone.hlp was the first value of the Help key: it ends that key; the Html Help key is still examined.
    ASSERT_EQ(controller->Scan().Contents()[kHelp].Count(), 1u);
    EXPECT_EQ(controller->Scan().Contents()[kHelp][0].Content.KeyName, "gone.chm");
}

TEST(ScanProgressRules, TotalProgressRoundsHalvesToEven) {
    const struct {
        int done, selected, percent;
    } cases[] = {{0, 0, 0},  {0, 5, 0},  {3, 10, 30}, {1, 8, 12}, {3, 8, 38}, {5, 8, 62},
                 {7, 8, 88}, {1, 3, 33}, {2, 3, 67},  {1, 40, 2}, {3, 40, 8}, {17, 17, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(TotalProgressPercent(c.done, c.selected), c.percent) << c.done << "/" << c.selected;
}

TEST(ScanProgressRules, TheItemsGaugeAndLabelMoveOnEveryTwoHundredthEntry) {
    ScanProgress p;
    for (int i = 0; i < 199; ++i) p.TickItemsProcessed();
    EXPECT_EQ(p.itemsGauge, 0);
    EXPECT_EQ(p.itemsLabel, "Items processed: 0");
    p.TickItemsProcessed();
    EXPECT_EQ(p.itemsGauge, 1);
    EXPECT_EQ(p.itemsLabel, "Items processed:        200");
    for (int i = 0; i < 99 * 200; ++i) p.TickItemsProcessed();
    EXPECT_EQ(p.itemsGauge, 0);  // back to 0 on reaching 100
    EXPECT_EQ(p.itemsLabel, "Items processed:      20000");
}

TEST(ScanProgressRules, ElapsedTimeSentenceKeepsTheHours) {
    const struct {
        uint64_t ms;
        const char* sentence;
    } cases[] = {
        {0, "Elapsed time: 0 second      "},    {999, "Elapsed time: 0 second      "},
        {1000, "Elapsed time: 1 second      "}, {65000, "Elapsed time: 1 minute 5 seconds      "},
        {120000, "Elapsed time: 2 minutes "},   {3725000, "Elapsed time: 1 hour 2 minutes 5 seconds      "},
        {7200000, "Elapsed time: 2 hours "},
    };
    for (const auto& c : cases) EXPECT_EQ(ElapsedTimeSentence(c.ms), c.sentence) << c.ms;
    EXPECT_EQ(FormatElapsedClock(3725000), "01:02:05");
}

TEST(MessagePumpBudget, LetsMessagesRunAtMostEveryFifteenMilliseconds) {
    testing::SimMachine m;
    testing::ScriptedUi ui;
    MessagePump pump(ui, m->clock());
    for (int i = 0; i < 1000; ++i) pump.Pump();
    EXPECT_EQ(ui.pumps, 0);  // the clock stood still
    const struct {
        uint64_t tick;
        int pumps;
    } steps[] = {{14, 0}, {15, 1}, {16, 1}, {29, 1}, {30, 2}, {1000, 3}, {1001, 3}};
    for (const auto& step : steps) {
        m->simClock().tick = step.tick;
        pump.Pump();
        EXPECT_EQ(ui.pumps, step.pumps) << step.tick;
    }
    pump.Force();
    EXPECT_EQ(ui.pumps, 4);
}

TEST_F(CleanerController, AbortAnswersWithinTheBudgetOnALongSection) {
    // Thousands of values: the abort is seen at the first message round after the click.
    std::string reg =
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls]\r\n";
    for (int i = 0; i < 5000; ++i)
        reg += "\"C:\\\\Windows\\\\many" + std::to_string(i) + ".dll\"=dword:00000001\r\n";
    LoadReg(reg);
    m->simClock().tickStep = 1;
    Make();
    SelectOnly({kSharedDlls});
    int rounds = 0;
    ui.onPump = [&] {
        if (++rounds == 3) controller->AbortScanBtnClick();
    };
    controller->ScanNowBtnClick();
    EXPECT_EQ(rounds, 3);
    EXPECT_LT(controller->Progress().ItemsProcessed, 100u);
    EXPECT_GT(ui.pumps, 0);
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
