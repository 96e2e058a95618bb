#include "app/navigation_controller.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/scripted_ui.h"
#include "support/sim_machine.h"

namespace trenmoor::app {
namespace {

using platform::MsgResult;

// Records what happens to the fake windows, so a test can see creation, showing, closing and
// destruction in the order they happened.
struct WindowLog {
    std::vector<std::string> events;
    int alive = 0;
};

class FakeToolWindow : public ToolWindow {
  public:
    FakeToolWindow(WindowLog& log, std::string name) : log_(log), name_(std::move(name)) {
        ++log_.alive;
        log_.events.push_back("create " + name_);
    }
    ~FakeToolWindow() override {
        --log_.alive;
        log_.events.push_back("destroy " + name_);
    }
    void Show() override { log_.events.push_back("show " + name_); }
    void Close() override { log_.events.push_back("close " + name_); }
    bool StartScan() override {
        log_.events.push_back("scan " + name_);
        return scans;
    }
    bool scans = false;

  private:
    WindowLog& log_;
    std::string name_;
};

class FakeFactory : public ToolWindowFactory {
  public:
    explicit FakeFactory(WindowLog& log) : log_(log) {}
    std::unique_ptr<ToolWindow> CreateTool(ToolId tool) override {
        return std::make_unique<FakeToolWindow>(log_, std::string(Tool(tool).windowClass));
    }
    std::unique_ptr<ToolWindow> CreateOptions() override {
        return std::make_unique<FakeToolWindow>(log_, "TFormOptions");
    }

  private:
    WindowLog& log_;
};

class NavigationTest : public ::testing::Test {
  protected:
    NavigationTest() : ctx(*machine, ui), dm(ctx), nav(ctx, dm, factory) {
        nav.JunkCleanerState = [this] { return junkState; };
        nav.DuplicateFinderState = [this] { return duplicateState; };
    }

    bool Has(const std::string& event) const {
        return std::find(log.events.begin(), log.events.end(), event) != log.events.end();
    }

    testing::SimMachine machine;
    testing::ScriptedUi ui;
    AppContext ctx;
    TDM dm;
    WindowLog log;
    FakeFactory factory{log};
    NavigationController nav;
    int junkState = 0;
    int duplicateState = 0;
};

TEST(NavigationTable, GroupsListTheirToolsAndDefaults) {
    EXPECT_EQ(ToolsOf(GroupId::RepairProblems).size(), 5u);
    EXPECT_EQ(ToolsOf(GroupId::AdvancedToolkits).back().caption, "File Shredder");
    EXPECT_EQ(DefaultTool(GroupId::CleanJunks), ToolId::JunkFileCleaner);
    EXPECT_EQ(DefaultTool(GroupId::ManageBackups), ToolId::RegistryBackup);
    EXPECT_EQ(DefaultTool(GroupId::OptimizeSystem), ToolId::SystemOptimizer);
    EXPECT_EQ(DefaultTool(GroupId::AdvancedToolkits), ToolId::EvidenceCleaner);
    EXPECT_FALSE(DefaultTool(GroupId::Options).has_value());
    EXPECT_FALSE(Group(GroupId::Home).visible);
    EXPECT_EQ(Tool(ToolId::IERepair).windowClass, "TFormIePlugins");
}

// Every group: the page it turns to, the window it opens and the panel height it grows to.
TEST_F(NavigationTest, ChoosingEachGroupOpensItsPageDefaultToolAndExpandsItsPanel) {
    struct Case {
        GroupId group;
        NotebookPage page;
        std::optional<ToolId> shown;
        int height;
    };
    const Case cases[] = {
        {GroupId::RepairProblems, NotebookPage::ShowForm, ToolId::RegistryCleaner, 193},
        {GroupId::CleanJunks, NotebookPage::ShowForm, ToolId::JunkFileCleaner, 100},
        {GroupId::ManageBackups, NotebookPage::ShowForm, ToolId::RegistryBackup, 99},
        {GroupId::OptimizeSystem, NotebookPage::ShowForm, ToolId::SystemOptimizer, 100},
        {GroupId::AdvancedToolkits, NotebookPage::ShowForm, ToolId::EvidenceCleaner, 162},
        {GroupId::Options, NotebookPage::Options, std::nullopt, 28},
        {GroupId::SubmitProblems, NotebookPage::SubmitProblems, std::nullopt, 28},
        {GroupId::OneClickTweak, NotebookPage::OneClickTweak, std::nullopt, 28},
        {GroupId::Home, NotebookPage::Home, std::nullopt, 28},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(Group(c.group).caption));
        ASSERT_TRUE(nav.ChooseGroup(c.group));
        EXPECT_EQ(nav.Page(), c.page);
        EXPECT_EQ(nav.ShownTool(), c.shown);
        EXPECT_EQ(nav.ExpandedGroup(), c.group);
        for (const auto& g : kGroups) {
            EXPECT_EQ(nav.GroupTag(g.id), g.id == c.group ? kTagSelected : kTagIdle);
            EXPECT_EQ(nav.PanelHeight(g.id, 28), g.id == c.group ? c.height : 28);
        }
        if (c.shown) {
            EXPECT_NE(nav.Window(*c.shown), nullptr);
            EXPECT_EQ(nav.ToolTag(*c.shown), kTagSelected);
        }
        int alive = 0;
        for (const auto& t : kTools) alive += nav.Window(t.id) != nullptr;
        EXPECT_EQ(alive, c.shown ? 1 : 0);
    }
}

TEST_F(NavigationTest, SwitchingToolsInAGroupKeepsTheirWindowsAndMovesTheMark) {
    nav.ChooseGroup(GroupId::RepairProblems);
    ToolWindow* cleaner = nav.Window(ToolId::RegistryCleaner);
    ASSERT_NE(cleaner, nullptr);
    ASSERT_TRUE(nav.ChooseTool(ToolId::IERepair));
    EXPECT_EQ(nav.ToolTag(ToolId::IERepair), kTagSelected);
    EXPECT_EQ(nav.ToolTag(ToolId::RegistryCleaner), kTagIdle);
    ASSERT_TRUE(nav.ChooseTool(ToolId::RegistryCleaner));
    EXPECT_EQ(nav.Window(ToolId::RegistryCleaner), cleaner);  // the same window: its results survive
    EXPECT_NE(nav.Window(ToolId::IERepair), nullptr);
    EXPECT_EQ(nav.ShownTool(), ToolId::RegistryCleaner);
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "create TRegistryCleanerForm"), 1);
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "show TRegistryCleanerForm"), 2);
}

TEST_F(NavigationTest, GroupChangeDestroysEveryToolWindowButKeepsOptions) {
    nav.ChooseGroup(GroupId::Options);
    ToolWindow* options = nav.OptionsWindow();
    ASSERT_NE(options, nullptr);
    nav.ChooseGroup(GroupId::RepairProblems);
    nav.ChooseTool(ToolId::BlockActiveX);
    EXPECT_EQ(log.alive, 3);  // options, registry cleaner, block activex
    nav.ChooseGroup(GroupId::CleanJunks);
    EXPECT_TRUE(Has("destroy TRegistryCleanerForm"));
    EXPECT_TRUE(Has("destroy TFormMalignant"));
    EXPECT_EQ(nav.Window(ToolId::RegistryCleaner), nullptr);
    EXPECT_EQ(log.alive, 2);  // options and the junk file cleaner
    nav.ChooseGroup(GroupId::Options);
    EXPECT_EQ(nav.OptionsWindow(), options);  // created once, kept with its state
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "create TFormOptions"), 1);
    EXPECT_EQ(log.alive, 1);
}

TEST_F(NavigationTest, EvidenceCleanerIsClosedBeforeItIsDestroyed) {
    nav.ChooseGroup(GroupId::AdvancedToolkits);
    nav.ChooseTool(ToolId::StartupManager);
    log.events.clear();
    nav.ChooseGroup(GroupId::Home);
    const std::vector<std::string> expected{"close TEvidenceCleanerForm", "destroy TEvidenceCleanerForm",
                                            "destroy TStartupManagerForm"};
    EXPECT_EQ(log.events, expected);  // the startup manager is destroyed without its close handling
}

TEST_F(NavigationTest, ChoosingAGroupResetsOnlyThatGroupsToolMarks) {
    nav.ChooseGroup(GroupId::RepairProblems);
    nav.ChooseTool(ToolId::RegisterActiveX);
    nav.ChooseGroup(GroupId::RepairProblems);
    EXPECT_EQ(nav.ToolTag(ToolId::RegisterActiveX), kTagIdle);
    EXPECT_EQ(nav.ToolTag(ToolId::RegistryCleaner), kTagSelected);
}

// Which clicks a running scan refuses: every group click, and the tool clicks of the scan's own group.
TEST_F(NavigationTest, RunningScansRefuseGroupClicksAndTheirOwnGroupsTools) {
    struct Case {
        const char* name;
        std::function<void(bool)> setBusy;
        GroupId refusedToolsOf;
    };
    const Case cases[] = {
        {"registry scan", [this](bool on) { dm.ScanTimer.SetEnabled(on); }, GroupId::RepairProblems},
        {"evidence scan", [this](bool on) { dm.EvidenceTimer.SetEnabled(on); }, GroupId::AdvancedToolkits},
        {"junk scan", [this](bool on) { junkState = on ? 1 : 0; }, GroupId::CleanJunks},
        {"duplicate scan", [this](bool on) { duplicateState = on ? 1 : 0; }, GroupId::CleanJunks},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        nav.ChooseGroup(GroupId::OptimizeSystem);
        c.setBusy(true);
        EXPECT_TRUE(nav.IsBusy());
        for (const auto& g : kGroups) EXPECT_FALSE(nav.ChooseGroup(g.id));
        EXPECT_EQ(nav.ExpandedGroup(), GroupId::OptimizeSystem);
        EXPECT_NE(nav.Window(ToolId::SystemOptimizer), nullptr);  // the running tool survives
        for (const auto& t : kTools) EXPECT_EQ(nav.IsRefused(t.id), t.group == c.refusedToolsOf) << t.caption;
        EXPECT_TRUE(nav.ChooseTool(ToolId::TweakMemory));  // Optimize System is never refused
        c.setBusy(false);
        EXPECT_FALSE(nav.IsBusy());
    }
}

TEST_F(NavigationTest, StatesOtherThanScanningDoNotBlock) {
    junkState = 2;
    duplicateState = 3;
    EXPECT_FALSE(nav.IsBusy());
    EXPECT_TRUE(nav.ChooseGroup(GroupId::CleanJunks));
}

TEST_F(NavigationTest, RefusedToolClickChangesNothing) {
    nav.ChooseGroup(GroupId::RepairProblems);
    dm.ScanTimer.SetEnabled(true);
    EXPECT_FALSE(nav.ChooseTool(ToolId::IERepair));
    EXPECT_EQ(nav.Window(ToolId::IERepair), nullptr);
    EXPECT_EQ(nav.ToolTag(ToolId::RegistryCleaner), kTagSelected);
    EXPECT_TRUE(ui.shown.empty());
    dm.ScanTimer.SetEnabled(false);
    // After the scan the same click works, and a group change discards the cleaner.
    EXPECT_TRUE(nav.ChooseGroup(GroupId::CleanJunks));
    EXPECT_EQ(nav.Window(ToolId::RegistryCleaner), nullptr);
}

TEST_F(NavigationTest, ErrorUtilityAsksBeforeAnyRegistryScan) {
    nav.ChooseGroup(GroupId::RepairProblems);
    ui.answers = {MsgResult::No};
    EXPECT_TRUE(nav.ChooseTool(ToolId::ErrorUtility));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, kErrorUtilityQuestion);
    EXPECT_EQ(ui.shown[0].caption, "Trenmoor");
    EXPECT_EQ(ui.shown[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(ui.shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_NE(nav.Window(ToolId::ErrorUtility), nullptr);
    EXPECT_EQ(nav.ShownTool(), ToolId::ErrorUtility);
    EXPECT_EQ(nav.ToolTag(ToolId::ErrorUtility), kTagSelected);
}

TEST_F(NavigationTest, ErrorUtilityYesOpensTheRegistryCleanerAndStartsItsScan) {
    nav.ChooseGroup(GroupId::RepairProblems);
    nav.ChooseTool(ToolId::IERepair);
    log.events.clear();
    ui.answers = {MsgResult::Yes};
    EXPECT_FALSE(nav.ChooseTool(ToolId::ErrorUtility));
    EXPECT_EQ(nav.Window(ToolId::ErrorUtility), nullptr);
    EXPECT_EQ(nav.Window(ToolId::IERepair), nullptr);  // the group was chosen afresh
    EXPECT_EQ(nav.ShownTool(), ToolId::RegistryCleaner);
    const std::vector<std::string> expected{"destroy TRegistryCleanerForm", "destroy TFormIePlugins",
                                            "create TRegistryCleanerForm", "show TRegistryCleanerForm",
                                            "scan TRegistryCleanerForm"};
    EXPECT_EQ(log.events, expected);
}

TEST_F(NavigationTest, ErrorUtilityDoesNotAskOnceARegistryScanStarted) {
    nav.ChooseGroup(GroupId::RepairProblems);
    nav.RegistryScanDone = true;  // a scan started in this run, even one that was aborted
    EXPECT_TRUE(nav.ChooseTool(ToolId::ErrorUtility));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_NE(nav.Window(ToolId::ErrorUtility), nullptr);
}

TEST_F(NavigationTest, OptionsCreatesItsWindowOnceAndOtherPagesCreateNone) {
    nav.ChooseGroup(GroupId::Options);
    nav.ChooseGroup(GroupId::SubmitProblems);
    nav.ChooseGroup(GroupId::Options);
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "create TFormOptions"), 1);
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "show TFormOptions"), 2);
    EXPECT_EQ(nav.Page(), NotebookPage::Options);
}

TEST_F(NavigationTest, OnChangedReportsEveryChoice) {
    int changes = 0;
    nav.OnChanged = [&] { ++changes; };
    nav.ChooseGroup(GroupId::ManageBackups);
    EXPECT_GT(changes, 0);
    const int before = changes;
    dm.ScanTimer.SetEnabled(true);
    nav.ChooseGroup(GroupId::Home);
    EXPECT_EQ(changes, before);  // an ignored click changes nothing
}

}  // namespace
}  // namespace trenmoor::app
