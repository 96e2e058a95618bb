#include "app/main_controller.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/registry_accessor.h"
#include "support/scripted_ui.h"
#include "support/sim_machine.h"

namespace trenmoor::app {
namespace {

class NullWindow : public ToolWindow {
  public:
    void Show() override {}
};
class NullFactory : public ToolWindowFactory {
  public:
    std::unique_ptr<ToolWindow> CreateTool(ToolId) override { return std::make_unique<NullWindow>(); }
    std::unique_ptr<ToolWindow> CreateOptions() override { return std::make_unique<NullWindow>(); }
};

class MainControllerTest : public ::testing::Test {
  protected:
    MainControllerTest() {
        machine->simFiles().setProgramPath("C:\\Program Files\\Trenmoor\\Trenmoor.exe");
        LoadSettings(machine->registry(), ctx.settings);
    }
    std::optional<int32_t> StoredOneSchedule() {
        platform::TRegistry reg(machine->registry());
        if (!reg.OpenKeyReadOnly(kSettingsKey)) return std::nullopt;
        try {
            return reg.ReadInteger("OneScheduleOfWeek");
        } catch (const platform::ERegistryException&) {
            return std::nullopt;
        }
    }
    int TasksNamed(const std::string& name) {
        return static_cast<int>(std::count_if(machine->simScheduler().tasks.begin(),
                                              machine->simScheduler().tasks.end(),
                                              [&](const auto& t) { return t.name == name; }));
    }

    testing::SimMachine machine;
    testing::ScriptedUi ui;
    AppContext ctx{*machine, ui};
    TDM dm{ctx};
    NullFactory factory;
    NavigationController nav{ctx, dm, factory};
    MainController main{ctx, nav};
};

TEST_F(MainControllerTest, FirstStartCreatesTheWeeklyTaskOnceAndRecordsIt) {
    ASSERT_EQ(ctx.settings.OneScheduleOfWeek, 0);
    main.FormShow();
    EXPECT_EQ(nav.ShownTool(), ToolId::RegistryCleaner);
    EXPECT_EQ(nav.GroupTag(GroupId::RepairProblems), kTagSelected);
    EXPECT_EQ(TasksNamed("One-Click Tweak"), 1);
    EXPECT_EQ(ctx.settings.OneScheduleOfWeek, 1);
    EXPECT_EQ(StoredOneSchedule(), 1);
    EXPECT_TRUE(ui.shown.empty());

    // The next start reads 1 and leaves the scheduler alone, even when the task was removed since.
    machine->simScheduler().tasks.clear();
    TMyRegistryInfo reloaded;
    LoadSettings(machine->registry(), reloaded);
    ctx.settings = reloaded;
    main.EnsureWeeklyTask();
    EXPECT_TRUE(machine->simScheduler().tasks.empty());
}

TEST_F(MainControllerTest, ATaskWhoseNameContainsTheTextCountsAsPresent) {
    machine->simScheduler().tasks.push_back({"My One-Click Tweak backup"});
    main.FormShow();
    EXPECT_EQ(machine->simScheduler().tasks.size(), 1u);
    EXPECT_EQ(TasksNamed("One-Click Tweak"), 0);
    EXPECT_EQ(StoredOneSchedule(), 1);
}

TEST_F(MainControllerTest, UnreachableSchedulerIsReportedAndEndsTheProgramWithoutRecording) {
    machine->simScheduler().connectResult = static_cast<int32_t>(0x80070005);
    main.FormShow();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Error in ActiveX.CoCreateInstance.Error Code :80070005");
    EXPECT_EQ(ui.shown[0].caption, "Trenmoor");
    EXPECT_TRUE(main.TerminateRequested());
    EXPECT_EQ(StoredOneSchedule(), 0);
    EXPECT_EQ(ctx.settings.OneScheduleOfWeek, 0);
}

TEST_F(MainControllerTest, HelpOpensTheHelpFileBesideTheProgramElseTheHelpAddress) {
    main.HelpBtnClick();
    ASSERT_EQ(machine->simShell().calls.size(), 1u);
    EXPECT_EQ(machine->simShell().calls[0].verb, "open");
    EXPECT_EQ(machine->simShell().calls[0].target, ctx.settings.HelpURL);

    std::ofstream(machine->simFiles().hostPath("C:\\Program Files\\Trenmoor\\TrenmoorHelp.chm")) << "help";
    main.HelpBtnClick();
    ASSERT_EQ(machine->simShell().calls.size(), 2u);
    EXPECT_EQ(machine->simShell().calls[1].target, "C:\\Program Files\\Trenmoor\\TrenmoorHelp.chm");
    EXPECT_EQ(machine->simShell().calls[1].show, platform::ShowMode::Normal);
}

TEST_F(MainControllerTest, OneClickTweakStartsTheCompanionAndTheLinkOpensItsCaption) {
    main.SubOneClickTweakBtnClick();
    main.LabelWebHomeClick("http://www.trenmoor.com/");
    ASSERT_EQ(machine->simShell().calls.size(), 2u);
    const auto& start = machine->simShell().calls[0];
    EXPECT_EQ(start.verb, "open");
    EXPECT_EQ(start.target, "C:\\Program Files\\Trenmoor\\Quorvel.exe");
    EXPECT_EQ(start.parameters, "-Scan");
    EXPECT_EQ(machine->simShell().calls[1].target, "http://www.trenmoor.com/");
}

TEST(MainTexts, TitleShowsNameAndVersion) {
    EXPECT_EQ(AppNameVersion(), "Trenmoor v4.2");
}

}  // namespace
}  // namespace trenmoor::app
