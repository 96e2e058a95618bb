#include "app/scheduled_tasks.h"

#include <algorithm>

#include "common/shared_helpers.h"

namespace trenmoor {
namespace {

using platform::TaskTrigger;
using platform::TriggerKind;

constexpr std::string_view kOneClickComment = "Runs Trenmoor 1-Click Tweak at Scheduled Time.";
constexpr std::string_view kUserTaskComment = "Runs Trenmoor at Scheduled Time.";

constexpr uint16_t kWeekDayBits[7] = {platform::kSunday,    platform::kMonday,   platform::kTuesday,
                                      platform::kWednesday, platform::kThursday, platform::kFriday,
                                      platform::kSaturday};

TaskTrigger TodayTrigger(platform::Clock& clock, TriggerKind kind, int hour, int minute) {
    const platform::DateTime today = clock.localNow();
    TaskTrigger t;
    t.kind = kind;
    t.beginYear = today.year;
    t.beginMonth = today.month;
    t.beginDay = today.day;
    t.startHour = hour;
    t.startMinute = minute;
    return t;
}

}  // namespace

ScheduledTasks::ScheduledTasks(platform::Platform& platform) : platform_(platform) {}

std::string ScheduledTasks::CompanionPath() {
    return ProgramFile(platform_.files(), kCompanionExe);
}

bool ScheduledTasks::FindTask(std::string_view namePart) {
    auto& scheduler = platform_.scheduler();
    for (const auto& name : scheduler.taskNames()) {
        if (name.find(namePart) == std::string::npos) continue;
        int32_t error = 0;
        current_ = scheduler.readTask(name, &error);
        // A task that exists but cannot be read still counts as found: creating a second one would
        // give the user two weekly runs.
        if (!current_) current_ = platform::TaskDefinition{name};
        return true;
    }
    return false;
}

platform::TaskDefinition ScheduledTasks::BaseTask(std::string_view name, std::string_view comment) {
    platform::TaskDefinition task;
    task.name = std::string(name);
    task.applicationPath = CompanionPath();
    task.workingDirectory = ProgramFolder(platform_.files());
    task.parameters = std::string(kScanParameter);
    task.comment = std::string(comment);
    task.account = platform_.system().userName().substr(0, 255);
    task.runOnlyIfLoggedOn = true;
    return task;
}

int32_t ScheduledTasks::CreateOneClickTask() {
    auto task = BaseTask(kOneClickTaskName, kOneClickComment);
    TaskTrigger trigger = TodayTrigger(platform_.clock(), TriggerKind::Weekly, 12, 0);
    trigger.interval = 1;
    trigger.weekDays = kWeekDayBits[std::clamp(platform_.clock().localNow().dayOfWeek, 0, 6)];
    task.triggers.push_back(trigger);
    const int32_t result = platform_.scheduler().saveTask(task);
    if (result == 0) current_ = task;
    return result;
}

int32_t ScheduledTasks::CreateScheduledTask(std::string_view name, ScheduleKind kind, int number, int hour,
                                            int minute, uint16_t weekDays) {
    auto task = BaseTask(name, kUserTaskComment);
    TaskTrigger trigger;
    switch (kind) {
        case ScheduleKind::Daily:
            trigger = TodayTrigger(platform_.clock(), TriggerKind::Daily, hour, minute);
            trigger.interval = std::clamp(number, 1, 365);
            break;
        case ScheduleKind::Weekly:
            trigger = TodayTrigger(platform_.clock(), TriggerKind::Weekly, hour, minute);
            trigger.interval = std::clamp(number, 1, 56);
            trigger.weekDays = weekDays != 0 ? weekDays : static_cast<uint16_t>(platform::kMonday);
            break;
        case ScheduleKind::Monthly:
            trigger = TodayTrigger(platform_.clock(), TriggerKind::MonthlyByDate, hour, minute);
            trigger.monthDays = 1u << (std::clamp(number, 1, 31) - 1);
            trigger.months = 0xFFF;
            break;
    }
    task.triggers.push_back(trigger);
    const int32_t result = platform_.scheduler().saveTask(task);
    if (result == 0) current_ = task;
    return result;
}

int32_t ScheduledTasks::DeleteTask(std::string_view name) {
    return platform_.scheduler().deleteTask(name);
}

}  // namespace trenmoor
