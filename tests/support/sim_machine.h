#pragma once
// A fresh simulated machine per test, its C: drive in a temporary host folder removed afterwards.
#include <unistd.h>
#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/sim/sim_platform.h"

namespace trenmoor::testing {

class SimMachine {
  public:
    SimMachine() {
        static std::atomic<int> counter{0};
        root_ = std::filesystem::temp_directory_path() /
                ("trenmoor-sim-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        platform_ = std::make_unique<platform::sim::SimPlatform>(root_);
    }
    ~SimMachine() {
        platform_.reset();
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    SimMachine(const SimMachine&) = delete;
    SimMachine& operator=(const SimMachine&) = delete;

    platform::sim::SimPlatform& operator*() { return *platform_; }
    platform::sim::SimPlatform* operator->() { return platform_.get(); }
    const std::filesystem::path& hostRoot() const { return root_; }

  private:
    std::filesystem::path root_;
    std::unique_ptr<platform::sim::SimPlatform> platform_;
};

}  // namespace trenmoor::testing
