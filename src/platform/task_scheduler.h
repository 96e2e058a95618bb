#pragma once
// The system task scheduler: tasks that start a program at daily, weekly or monthly times.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trenmoor::platform {

enum class TriggerKind : int { Once = 0, Daily = 1, Weekly = 2, MonthlyByDate = 3, Other = 99 };

// Weekday bits, Sunday 0x01 to Saturday 0x40.
enum WeekDay : uint16_t {
    kSunday = 0x01,
    kMonday = 0x02,
    kTuesday = 0x04,
    kWednesday = 0x08,
    kThursday = 0x10,
    kFriday = 0x20,
    kSaturday = 0x40,
};

struct TaskTrigger {
    TriggerKind kind = TriggerKind::Daily;
    int beginYear = 0, beginMonth = 0, beginDay = 0;  // begin date; no end date
    int startHour = 0, startMinute = 0;
    int interval = 1;         // every N days (daily) or weeks (weekly)
    uint16_t weekDays = 0;    // weekly: WeekDay bits
    uint32_t monthDays = 0;   // monthly: bit N-1 set for day N
    uint16_t months = 0xFFF;  // monthly: bit per month, January = 0x1

    friend bool operator==(const TaskTrigger&, const TaskTrigger&) = default;
};

struct TaskDefinition {
    std::string name;
    std::string applicationPath;
    std::string parameters;
    std::string workingDirectory;
    std::string comment;
    std::string account;  // user name; no password
    bool runOnlyIfLoggedOn = true;
    std::vector<TaskTrigger> triggers;
};

class TaskScheduler {
  public:
    virtual ~TaskScheduler() = default;
    // 0 when the scheduler can be reached, otherwise the system's error code (HRESULT).
    [[nodiscard]] virtual int32_t connect() = 0;
    // Task names in the scheduler's own order.
    [[nodiscard]] virtual std::vector<std::string> taskNames() = 0;
    // Reads one task; on failure returns nothing and sets `error` (HRESULT) when given.
    [[nodiscard]] virtual std::optional<TaskDefinition> readTask(std::string_view name, int32_t* error) = 0;
    // Creates or replaces the task of that name. 0 on success, otherwise an HRESULT.
    [[nodiscard]] virtual int32_t saveTask(const TaskDefinition& task) = 0;
    // 0 on success, otherwise an HRESULT.
    [[nodiscard]] virtual int32_t deleteTask(std::string_view name) = 0;
};

}  // namespace trenmoor::platform
