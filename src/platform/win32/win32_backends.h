#pragma once
// The real machine, one class per platform interface. Each call goes straight to the wide Win32 API;
// nothing is cached, so a test that redirects the predefined registry keys sees its redirection.
#include "platform/platform.h"

namespace trenmoor::platform::win32 {

class Win32Registry final : public Registry {
  public:
    std::unique_ptr<RegKey> open(RootKey root, std::string_view path, bool create, bool writable) override;
};

class Win32FileSystem final : public FileSystem {
  public:
    bool fileExists(std::string_view path) override;
    bool directoryExists(std::string_view path) override;
    bool createDirectory(std::string_view path) override;
    bool removeDirectory(std::string_view path) override;
    bool deleteFile(std::string_view path) override;
    bool renameFile(std::string_view from, std::string_view to) override;
    bool copyFile(std::string_view from, std::string_view to, bool failIfExists) override;
    std::optional<uint32_t> attributes(std::string_view path) override;
    bool setAttributes(std::string_view path, uint32_t attributes) override;
    std::optional<FindData> stat(std::string_view path) override;
    bool find(std::string_view pattern, const std::function<bool(const FindData&)>& onEntry) override;
    DriveType driveType(std::string_view root) override;
    std::vector<std::string> logicalDrives() override;
    std::optional<uint64_t> freeSpace(std::string_view root) override;
    std::unique_ptr<FileStream> open(std::string_view path, OpenMode mode) override;
    std::string windowsDirectory() override;
    std::string systemDirectory() override;
    std::string tempDirectory() override;
    std::string programDirectory() override;
    std::string programPath() override;
};

class Win32Shell final : public Shell {
  public:
    bool execute(std::string_view verb, std::string_view target, std::string_view parameters,
                 std::string_view directory, ShowMode show) override;
    int recycle(std::string_view path) override;
    std::optional<std::string> resolveShortcut(std::string_view lnkPath) override;
};

class Win32ProcessRunner final : public ProcessRunner {
  public:
    ChildResult run(std::string_view commandLine, bool hidden, uint32_t timeoutMs) override;
};

// Task Scheduler 2.0, reached afresh (COM initialised, service connected) by every call, so calls may
// come from any thread.
class Win32TaskScheduler final : public TaskScheduler {
  public:
    int32_t connect() override;
    std::vector<std::string> taskNames() override;
    std::optional<TaskDefinition> readTask(std::string_view name, int32_t* error) override;
    int32_t saveTask(const TaskDefinition& task) override;
    int32_t deleteTask(std::string_view name) override;
};

class Win32Clock final : public Clock {
  public:
    FileTime nowUtc() override;
    DateTime localNow() override;
    std::optional<DateTime> toLocal(FileTime utc) override;
    uint64_t tickMs() override;
};

class Win32SystemInfo final : public SystemInfo {
  public:
    OsVersion osVersion() override;
    std::string userName() override;
};

}  // namespace trenmoor::platform::win32
