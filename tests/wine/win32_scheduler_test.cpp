// The system task scheduler through the Win32 backend: tasks of each trigger kind are created, listed,
// read back field by field, replaced and deleted. Wine stores them but never runs them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/win32_backends.h"

namespace trenmoor::testing {
namespace {

using platform::TaskDefinition;
using platform::TaskTrigger;
using platform::TriggerKind;

std::string Unique(const std::string& name) {
    return name + "-" + std::to_string(GetCurrentProcessId());
}

TaskTrigger Trigger(TriggerKind kind, int hour, int minute) {
    TaskTrigger t;
    t.kind = kind;
    t.beginYear = 2026;
    t.beginMonth = 12;
    t.beginDay = 11;
    t.startHour = hour;
    t.startMinute = minute;
    return t;
}

TaskDefinition Task(const std::string& name, const TaskTrigger& trigger) {
    TaskDefinition task;
    task.name = Unique(name);
    task.applicationPath = "C:\\Program Files\\Trenmoor\\Quorvel.exe";
    task.parameters = "-Scan";
    task.workingDirectory = "C:\\Program Files\\Trenmoor\\";
    task.comment = "Runs Trenmoor at Scheduled Time.";
    task.account = "tester";
    task.runOnlyIfLoggedOn = true;
    task.triggers.push_back(trigger);
    return task;
}

class Win32Scheduler : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(scheduler_.connect(), 0); }
    void TearDown() override {
        for (const auto& name : made_) (void)scheduler_.deleteTask(name);
    }
    int32_t save(const TaskDefinition& task) {
        made_.push_back(task.name);
        return scheduler_.saveTask(task);
    }
    bool listed(const std::string& name) {
        const auto names = scheduler_.taskNames();
        return std::find(names.begin(), names.end(), name) != names.end();
    }
    // Everything a task holds; the account only where the scheduler gives it back (Wine keeps none).
    void expectSame(const TaskDefinition& read, const TaskDefinition& written) {
        EXPECT_EQ(read.name, written.name);
        EXPECT_EQ(read.applicationPath, written.applicationPath);
        EXPECT_EQ(read.parameters, written.parameters);
        EXPECT_EQ(read.workingDirectory, written.workingDirectory);
        EXPECT_EQ(read.comment, written.comment);
        EXPECT_EQ(read.runOnlyIfLoggedOn, written.runOnlyIfLoggedOn);
        if (!read.account.empty()) {
            EXPECT_EQ(read.account, written.account);
        }
        EXPECT_EQ(read.triggers, written.triggers);
    }

    platform::win32::Win32TaskScheduler scheduler_;
    std::vector<std::string> made_;
};

TEST_F(Win32Scheduler, EachTriggerKindRoundTrips) {
    TaskTrigger weekly = Trigger(TriggerKind::Weekly, 12, 0);
    weekly.interval = 1;
    weekly.weekDays = platform::kTuesday | platform::kFriday;
    TaskTrigger biweekly = Trigger(TriggerKind::Weekly, 23, 59);
    biweekly.interval = 56;
    biweekly.weekDays = platform::kSunday | platform::kSaturday;
    TaskTrigger monthly = Trigger(TriggerKind::MonthlyByDate, 6, 30);
    monthly.monthDays = 1u << (3 - 1);  // day 3
    monthly.months = 0xFFF;
    TaskTrigger lastDay = Trigger(TriggerKind::MonthlyByDate, 0, 0);
    lastDay.monthDays = 1u << (31 - 1);
    TaskTrigger daily = Trigger(TriggerKind::Daily, 7, 5);
    daily.interval = 2;
    TaskTrigger yearly = Trigger(TriggerKind::Daily, 18, 45);
    yearly.interval = 365;
    TaskTrigger once = Trigger(TriggerKind::Once, 9, 15);

    const struct {
        const char* title;
        TaskTrigger trigger;
    } table[] = {
        {"weekly Tue Fri", weekly},
        {"every 56 weeks", biweekly},
        {"monthly day 3", monthly},
        {"monthly day 31", lastDay},
        {"every 2 days", daily},
        {"every 365 days", yearly},
        {"once", once},
    };
    int n = 0;
    for (const auto& c : table) {
        SCOPED_TRACE(c.title);
        const TaskDefinition task = Task("TrenmoorTest-kind" + std::to_string(n++), c.trigger);
        ASSERT_EQ(save(task), 0);
        EXPECT_TRUE(listed(task.name));
        int32_t error = 0;
        const auto read = scheduler_.readTask(task.name, &error);
        ASSERT_TRUE(read.has_value()) << std::hex << error;
        expectSame(*read, task);
    }
}

TEST_F(Win32Scheduler, TextBeyondAsciiAndTheFlagRoundTrip) {
    TaskTrigger daily = Trigger(TriggerKind::Daily, 1, 2);
    TaskDefinition task = Task("TrenmoorTest-Grüße", daily);
    task.applicationPath = "C:\\Programme\\Prüfung 日本\\Quorvel.exe";
    task.parameters = "-Scan \"C:\\Ordner mit Leerzeichen\"";
    task.workingDirectory = "C:\\Programme\\Prüfung 日本\\";
    task.comment = "Läuft geplant – 計画";
    task.runOnlyIfLoggedOn = false;
    ASSERT_EQ(save(task), 0);
    EXPECT_TRUE(listed(task.name));
    const auto read = scheduler_.readTask(task.name, nullptr);
    ASSERT_TRUE(read.has_value());
    expectSame(*read, task);
}

TEST_F(Win32Scheduler, SavingAnExistingNameReplacesTheTask) {
    TaskTrigger weekly = Trigger(TriggerKind::Weekly, 12, 0);
    weekly.weekDays = platform::kMonday;
    TaskDefinition first = Task("TrenmoorTest-replace", weekly);
    ASSERT_EQ(save(first), 0);

    TaskTrigger daily = Trigger(TriggerKind::Daily, 8, 0);
    daily.interval = 3;
    TaskDefinition second = Task("TrenmoorTest-replace", daily);
    second.parameters = "-Scan -Other";
    second.comment = "replaced";
    ASSERT_EQ(save(second), 0);
    const auto read = scheduler_.readTask(second.name, nullptr);
    ASSERT_TRUE(read.has_value());
    expectSame(*read, second);  // one trigger, the new one
    const auto names = scheduler_.taskNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), second.name), 1);
}

TEST_F(Win32Scheduler, DeletedAndMissingTasks) {
    TaskDefinition task = Task("TrenmoorTest-delete", Trigger(TriggerKind::Daily, 3, 4));
    ASSERT_EQ(save(task), 0);
    ASSERT_TRUE(listed(task.name));
    EXPECT_EQ(scheduler_.deleteTask(task.name), 0);
    EXPECT_FALSE(listed(task.name));
    EXPECT_NE(scheduler_.deleteTask(task.name), 0);
    int32_t error = 0;
    EXPECT_FALSE(scheduler_.readTask(task.name, &error).has_value());
    EXPECT_NE(error, 0);
    EXPECT_FALSE(scheduler_.readTask(task.name, nullptr).has_value());  // no error slot is fine
}

TEST_F(Win32Scheduler, NamesThatAreNoFileNamesAreRefused) {
    // A task is stored as a file named after it: these would escape the tasks folder or name none.
    const TaskTrigger daily = Trigger(TriggerKind::Daily, 3, 4);
    for (const std::string& name :
         {std::string("..\\..\\TrenmoorEscape"), std::string("a/b"), std::string(""), std::string(".."),
          std::string("C:x"), std::string("nul\0x", 5)}) {
        SCOPED_TRACE(name);
        TaskDefinition task = Task("x", daily);
        task.name = name;
        EXPECT_NE(scheduler_.saveTask(task), 0);
        EXPECT_NE(scheduler_.deleteTask(name), 0);
        int32_t error = 0;
        EXPECT_FALSE(scheduler_.readTask(name, &error).has_value());
        EXPECT_NE(error, 0);
    }
    EXPECT_EQ(GetFileAttributesW(L"C:\\windows\\TrenmoorEscape.job"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(L"C:\\TrenmoorEscape.job"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32Scheduler, AnUnknownTriggerKindIsRefusedAndStoresNothing) {
    TaskDefinition task = Task("TrenmoorTest-other", Trigger(TriggerKind::Other, 1, 1));
    EXPECT_NE(save(task), 0);
    EXPECT_FALSE(listed(task.name));
}

}  // namespace
}  // namespace trenmoor::testing
