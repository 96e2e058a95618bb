#pragma once
// The real Windows machine behind the platform interfaces.
#include "platform/platform.h"
#include "platform/win32/win32_backends.h"

namespace trenmoor::platform::win32 {

class Win32Platform final : public Platform {
  public:
    Win32Platform() = default;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Registry& registry() override { return registry_; }
    FileSystem& files() override { return files_; }
    Shell& shell() override { return shell_; }
    ProcessRunner& processes() override { return processes_; }
    TaskScheduler& scheduler() override { return scheduler_; }
    Clock& clock() override { return clock_; }
    SystemInfo& system() override { return system_; }

  private:
    Win32Registry registry_;
    Win32FileSystem files_;
    Win32Shell shell_;
    Win32ProcessRunner processes_;
    Win32TaskScheduler scheduler_;
    Win32Clock clock_;
    Win32SystemInfo system_;
};

}  // namespace trenmoor::platform::win32
