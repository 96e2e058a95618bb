#pragma once
// Scheduled scans: tasks of the system scheduler that start "Quorvel.exe -Scan" from the program folder.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace trenmoor {

inline constexpr std::string_view kOneClickTaskName = "One-Click Tweak";
inline constexpr std::string_view kCompanionExe = "Quorvel.exe";
inline constexpr std::string_view kScanParameter = "-Scan";

enum class ScheduleKind { Daily = 0, Weekly = 1, Monthly = 2 };

class ScheduledTasks {
  public:
    explicit ScheduledTasks(platform::Platform& platform);

    // The first task (in the scheduler's order) whose name contains `namePart` becomes the current task.
    bool FindTask(std::string_view namePart);
    // The weekly "One-Click Tweak" task: today's weekday, every week, at 12:00. 0 on success.
    int32_t CreateOneClickTask();
    // A user task: daily every N days, weekly every N weeks on `weekDays` (Monday alone when none),
    // or monthly on day N. 0 on success.
    int32_t CreateScheduledTask(std::string_view name, ScheduleKind kind, int number, int hour, int minute,
                                uint16_t weekDays);
    int32_t DeleteTask(std::string_view name);

    const std::optional<platform::TaskDefinition>& CurrentTask() const { return current_; }
    std::string CompanionPath();

  private:
    platform::TaskDefinition BaseTask(std::string_view name, std::string_view comment);

    platform::Platform& platform_;
    std::optional<platform::TaskDefinition> current_;
};

}  // namespace trenmoor
