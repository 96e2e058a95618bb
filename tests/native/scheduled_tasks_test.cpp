#include <gtest/gtest.h>

#include "app/scheduled_tasks.h"
#include "support/sim_machine.h"

namespace trenmoor {
namespace {

using platform::TaskDefinition;
using platform::TriggerKind;

class ScheduledTasksTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m->simFiles().setProgramPath("C:\\Program Files\\Trenmoor\\Trenmoor.exe");
        m->simSystem().user = "alice";
        // 2022-06-15 is a Wednesday.
        m->simClock().now = 132'997'248'000'000'000ULL;  // 2022-06-15 00:00 UTC
    }
    const TaskDefinition& Only() {
        EXPECT_EQ(m->simScheduler().tasks.size(), 1u);
        return m->simScheduler().tasks.front();
    }
    testing::SimMachine m;
};

TEST_F(ScheduledTasksTest, OneClickTaskRunsTheCompanionWeeklyOnTodaysWeekdayAtNoon) {
    ScheduledTasks tasks(*m);
    ASSERT_EQ(tasks.CreateOneClickTask(), 0);
    const TaskDefinition& t = Only();
    EXPECT_EQ(t.name, "One-Click Tweak");
    EXPECT_EQ(t.applicationPath, "C:\\Program Files\\Trenmoor\\Quorvel.exe");
    EXPECT_EQ(t.workingDirectory, "C:\\Program Files\\Trenmoor\\");
    EXPECT_EQ(t.parameters, "-Scan");
    EXPECT_EQ(t.comment, "Runs Trenmoor 1-Click Tweak at Scheduled Time.");
    EXPECT_EQ(t.account, "alice");
    EXPECT_TRUE(t.runOnlyIfLoggedOn);
    ASSERT_EQ(t.triggers.size(), 1u);
    const auto& trig = t.triggers[0];
    EXPECT_EQ(trig.kind, TriggerKind::Weekly);
    EXPECT_EQ(trig.interval, 1);
    EXPECT_EQ(trig.weekDays, platform::kWednesday);
    EXPECT_EQ(trig.startHour, 12);
    EXPECT_EQ(trig.startMinute, 0);
    EXPECT_EQ(trig.beginYear, 2022);
    EXPECT_EQ(trig.beginMonth, 6);
    EXPECT_EQ(trig.beginDay, 15);
}

TEST_F(ScheduledTasksTest, FindTaskMatchesAnyNameContainingThePart) {
    ScheduledTasks tasks(*m);
    EXPECT_FALSE(tasks.FindTask("One-Click Tweak"));
    m->simScheduler().tasks.push_back({"Backup"});
    m->simScheduler().tasks.push_back({"Old One-Click Tweak (copy)"});
    EXPECT_TRUE(tasks.FindTask("One-Click Tweak"));
    ASSERT_TRUE(tasks.CurrentTask().has_value());
    EXPECT_EQ(tasks.CurrentTask()->name, "Old One-Click Tweak (copy)");
    EXPECT_FALSE(tasks.FindTask("one-click tweak"));  // the scheduler's names are compared as written
}

TEST_F(ScheduledTasksTest, UserTasksCarryTheirTriggerAsChosen) {
    struct Case {
        ScheduleKind kind;
        int number;
        uint16_t days;
        TriggerKind expectKind;
        int expectInterval;
        uint16_t expectDays;
        uint32_t expectMonthDays;
    };
    const Case table[] = {
        {ScheduleKind::Daily, 2, 0, TriggerKind::Daily, 2, 0, 0},
        {ScheduleKind::Daily, 400, 0, TriggerKind::Daily, 365, 0, 0},
        {ScheduleKind::Weekly, 1, platform::kTuesday | platform::kFriday, TriggerKind::Weekly, 1,
         platform::kTuesday | platform::kFriday, 0},
        {ScheduleKind::Weekly, 3, 0, TriggerKind::Weekly, 3, platform::kMonday, 0},  // none checked: Monday
        {ScheduleKind::Monthly, 3, 0, TriggerKind::MonthlyByDate, 1, 0, 0x4},
        {ScheduleKind::Monthly, 31, 0, TriggerKind::MonthlyByDate, 1, 0, 0x40000000},
    };
    for (const auto& c : table) {
        m->simScheduler().tasks.clear();
        ScheduledTasks tasks(*m);
        ASSERT_EQ(tasks.CreateScheduledTask("06-15-2022_093000", c.kind, c.number, 9, 30, c.days), 0);
        const TaskDefinition& t = Only();
        EXPECT_EQ(t.comment, "Runs Trenmoor at Scheduled Time.");
        ASSERT_EQ(t.triggers.size(), 1u);
        const auto& trig = t.triggers[0];
        EXPECT_EQ(trig.kind, c.expectKind);
        EXPECT_EQ(trig.startHour, 9);
        EXPECT_EQ(trig.startMinute, 30);
        if (c.expectKind != TriggerKind::MonthlyByDate) {
            EXPECT_EQ(trig.interval, c.expectInterval);
        }
        EXPECT_EQ(trig.weekDays, c.expectDays);
        EXPECT_EQ(trig.monthDays, c.expectMonthDays);
        if (c.expectKind == TriggerKind::MonthlyByDate) {
            EXPECT_EQ(trig.months, 0xFFF);
        }
    }
}

TEST_F(ScheduledTasksTest, DeleteReportsTheSchedulersResult) {
    ScheduledTasks tasks(*m);
    ASSERT_EQ(tasks.CreateOneClickTask(), 0);
    m->simScheduler().failDeletes.push_back("One-Click Tweak");
    EXPECT_NE(tasks.DeleteTask("One-Click Tweak"), 0);
    m->simScheduler().failDeletes.clear();
    EXPECT_EQ(tasks.DeleteTask("One-Click Tweak"), 0);
    EXPECT_TRUE(m->simScheduler().tasks.empty());
}

}  // namespace
}  // namespace trenmoor
