#pragma once
// Starting system programs by command line (regedit /E, regedit /s, regsvr32 /s) and waiting for them.
#include <cstdint>
#include <string_view>

namespace trenmoor::platform {

struct ChildResult {
    bool started = false;   // the process could be created
    bool finished = false;  // it ended within the time-out (otherwise it is left running)
    uint32_t exitCode = 0;  // meaningful only when finished
};

class ProcessRunner {
  public:
    virtual ~ProcessRunner() = default;
    // Runs a whole command line ("regedit /s \"C:\\x.reg\""), optionally with a hidden window,
    // and waits at most `timeoutMs` milliseconds for it to end.
    [[nodiscard]] virtual ChildResult run(std::string_view commandLine, bool hidden, uint32_t timeoutMs) = 0;
};

}  // namespace trenmoor::platform
