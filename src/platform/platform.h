#pragma once
// Everything the suite asks of the operating system, gathered behind one object.
// `Win32Platform` (platform/win32) is the real machine; `SimPlatform` (platform/sim) the simulated one.
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/process_runner.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"
#include "platform/task_scheduler.h"

namespace trenmoor::platform {

class Platform {
  public:
    virtual ~Platform() = default;
    virtual Registry& registry() = 0;
    virtual FileSystem& files() = 0;
    virtual Shell& shell() = 0;
    virtual ProcessRunner& processes() = 0;
    virtual TaskScheduler& scheduler() = 0;
    virtual Clock& clock() = 0;
    virtual SystemInfo& system() = 0;
};

}  // namespace trenmoor::platform
