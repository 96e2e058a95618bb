#pragma once
// Lets pending window messages run during long loops (scans, repairs, walks, shredding) on a time budget:
// at most once every 15 ms, so Abort, Stop and Cancel still answer within a fraction of a second while the
// loops run at full speed instead of paying for a message round on every entry.
#include <cstdint>

#include "platform/clock.h"
#include "platform/ui.h"

namespace trenmoor {

class MessagePump {
  public:
    static constexpr uint64_t kIntervalMs = 15;

    MessagePump(platform::Ui& ui, platform::Clock& clock) : ui_(ui), clock_(clock), last_(clock.tickMs()) {}

    // For the tightest loops (one call per file): reads the clock only every 64th call.
    void Tick() {
        if (++calls_ % 64 != 0) return;
        Pump();
    }
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
    uint32_t calls_ = 0;
};

}  // namespace trenmoor
