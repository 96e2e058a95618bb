#pragma once
// Time: the current moment, local-time conversion and a monotonic tick for time budgets.
#include <cstdint>
#include <optional>

#include "platform/file_system.h"

namespace trenmoor::platform {

struct DateTime {
    int year = 0, month = 0, day = 0;  // month 1-12
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    int dayOfWeek = 0;  // 0 Sunday .. 6 Saturday

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

class Clock {
  public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual FileTime nowUtc() = 0;
    [[nodiscard]] virtual DateTime localNow() = 0;
    [[nodiscard]] virtual std::optional<DateTime> toLocal(FileTime utc) = 0;
    [[nodiscard]] virtual uint64_t tickMs() = 0;  // monotonic milliseconds
};

}  // namespace trenmoor::platform
