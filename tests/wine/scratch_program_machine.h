#pragma once
// The real machine (Win32Platform) with the program folder moved to a scratch folder, removed with its
// contents afterwards: backups "beside the program" land there, and the registry editor can reach them
// (the test executables themselves live outside the prefix's drives).
#include <functional>
#include <memory>
#include <string>

#include "platform/win32/win32_platform.h"
#include "wine/scratch_folder.h"

namespace trenmoor::testing {

// The real file system, with the program folder moved to a scratch folder (the test executable itself
// lives outside the prefix's drives).
class ScratchProgramFiles final : public platform::FileSystem {
  public:
    ScratchProgramFiles(platform::FileSystem& real, std::string folder)
        : real_(real), folder_(std::move(folder)) {}
    bool fileExists(std::string_view p) override { return real_.fileExists(p); }
    bool directoryExists(std::string_view p) override { return real_.directoryExists(p); }
    bool createDirectory(std::string_view p) override { return real_.createDirectory(p); }
    bool removeDirectory(std::string_view p) override { return real_.removeDirectory(p); }
    bool deleteFile(std::string_view p) override { return real_.deleteFile(p); }
    bool renameFile(std::string_view a, std::string_view b) override { return real_.renameFile(a, b); }
    bool copyFile(std::string_view a, std::string_view b, bool f) override { return real_.copyFile(a, b, f); }
    std::optional<uint32_t> attributes(std::string_view p) override { return real_.attributes(p); }
    bool setAttributes(std::string_view p, uint32_t a) override { return real_.setAttributes(p, a); }
    std::optional<platform::FindData> stat(std::string_view p) override { return real_.stat(p); }
    bool find(std::string_view p, const std::function<bool(const platform::FindData&)>& f) override {
        return real_.find(p, f);
    }
    platform::DriveType driveType(std::string_view r) override { return real_.driveType(r); }
    std::vector<std::string> logicalDrives() override { return real_.logicalDrives(); }
    std::optional<uint64_t> freeSpace(std::string_view r) override { return real_.freeSpace(r); }
    std::unique_ptr<platform::FileStream> open(std::string_view p, platform::OpenMode m) override {
        return real_.open(p, m);
    }
    std::string windowsDirectory() override { return real_.windowsDirectory(); }
    std::string systemDirectory() override { return real_.systemDirectory(); }
    std::string tempDirectory() override { return real_.tempDirectory(); }
    std::string programDirectory() override { return folder_; }
    std::string programPath() override { return folder_ + "Trenmoor.exe"; }

  private:
    platform::FileSystem& real_;
    std::string folder_;
};

class ScratchProgramMachine final : public platform::Platform {
  public:
    ScratchProgramMachine() : files_(real_.files(), scratch_.path() + "\\") {}
    platform::Registry& registry() override { return real_.registry(); }
    platform::FileSystem& files() override { return files_; }
    platform::Shell& shell() override { return real_.shell(); }
    platform::ProcessRunner& processes() override { return real_.processes(); }
    platform::TaskScheduler& scheduler() override { return real_.scheduler(); }
    platform::Clock& clock() override { return real_.clock(); }
    platform::SystemInfo& system() override { return real_.system(); }

  private:
    ScratchFolder scratch_;  // the program folder, removed with the backups afterwards
    platform::win32::Win32Platform real_;
    ScratchProgramFiles files_;
};

}  // namespace trenmoor::testing
