#pragma once
// Lets pending window messages run during a long loop, throttled by time rather than by entry, so a
// walk keeps the window responsive (Stop, timers, repaints) without paying for it on every file.
#include <cstdint>

#include "platform/clock.h"
#include "platform/ui.h"

namespace trenmoor::disk_cleaners {

class LoopPacer {
  public:
    static constexpr uint64_t kIntervalMs = 15;
    LoopPacer(platform::Ui& ui, platform::Clock& clock) : ui_(ui), clock_(clock), last_(clock.tickMs()) {}

    void tick() {
        if (++calls_ % 64 != 0) return;  // the clock itself is not free
        pump();
    }
    // Lets messages run now when the interval has passed.
    void pump() {
        const uint64_t now = clock_.tickMs();
        if (now - last_ < kIntervalMs) return;
        last_ = now;
        ui_.processMessages();
    }
    void force() {
        last_ = clock_.tickMs();
        ui_.processMessages();
    }

  private:
    platform::Ui& ui_;
    platform::Clock& clock_;
    uint64_t last_;
    uint32_t calls_ = 0;
};

}  // namespace trenmoor::disk_cleaners
