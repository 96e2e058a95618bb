#pragma once
// Lets pending window messages run during the scan and repair loops on a time budget: at most once
// every 15 ms, so Abort and Cancel still answer within a fraction of a second while the loops run at
// full speed instead of paying for a message round on every entry.
#include <cstdint>

#include "platform/clock.h"
#include "platform/ui.h"

namespace trenmoor::registry_cleaner {

class MessagePump {
  public:
    static constexpr uint64_t kIntervalMs = 15;

    MessagePump(platform::Ui& ui, platform::Clock& clock) : ui_(ui), clock_(clock), last_(clock.tickMs()) {}

    // Runs pending messages when the budget has passed since the last round.
    void Pump() {
        const uint64_t now = clock_.tickMs();
        if (now - last_ < kIntervalMs) return;
        last_ = now;
        ui_.processMessages();
    }
    // Runs them now (before a blocking step, so the window paints first).
    void Force() {
        last_ = clock_.tickMs();
        ui_.processMessages();
    }

  private:
    platform::Ui& ui_;
    platform::Clock& clock_;
    uint64_t last_;
};

}  // namespace trenmoor::registry_cleaner
