#pragma once
// The simulated machine: an in-memory registry with Windows semantics that reads and writes .reg files,
// drive letters mapped to host folders, and scriptable fakes for the shell, child processes, the task
// scheduler, the clock and the system facts. Used by the native build for tests, benchmarks and the
// offline command line.
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace trenmoor::platform::sim {

enum class RegFileFormat {
    Regedit4,  // "REGEDIT4", 8-bit text
    Unicode5,  // "Windows Registry Editor Version 5.00", UTF-16LE with byte-order mark
};

class SimRegistry final : public Registry {
  public:
    SimRegistry();
    ~SimRegistry() override;
    std::unique_ptr<RegKey> open(RootKey root, std::string_view path, bool create, bool writable) override;

    // Imports .reg text in either format (bytes as read from the file): keys, values of every type
    // ("...", dword:, hex:, hex(N):, line continuations), "[-key]" and "name"=- deletions.
    // Returns false (and changes nothing) when the text is not a registry script.
    bool importReg(std::string_view fileBytes);
    // Exports one key with everything below it in the form regedit writes (header line, blank line,
    // "[key]" sections, CR LF). A missing key gives nothing.
    std::optional<std::string> exportReg(RootKey root, std::string_view path, RegFileFormat format);
    // Exports every root (local machine, users, classes root, current config, current user) into one
    // file, as "regedit /E file" without a key does.
    std::string exportAll(RegFileFormat format);

    // Makes `path` a registry link to `targetPath` (same root), as a key created with the link option.
    bool createLink(RootKey root, std::string_view path, std::string_view targetPath);

    // Every open of the key fails from now on, even when it only comes into being later, and no
    // subkeys can be created below it (simulates a key without rights); tests only.
    void denyAccess(RootKey root, std::string_view path);

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

class SimFileSystem final : public FileSystem {
  public:
    SimFileSystem();
    ~SimFileSystem() override;
    // Drive letter -> host folder. Drives not mapped do not exist.
    void mapDrive(char letter, const std::filesystem::path& hostFolder, DriveType type = DriveType::Fixed);
    // A drive letter that exists with the given type but has no folder (CD-ROM without disc, network...).
    void addDrive(char letter, DriveType type);
    // Host path of a Windows path on a mapped drive; empty when the drive is not mapped.
    std::filesystem::path hostPath(std::string_view windowsPath) const;

    void setWindowsDirectory(std::string dir);  // each with trailing backslash
    void setSystemDirectory(std::string dir);
    void setTempDirectory(std::string dir);
    void setProgramPath(std::string path);

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
    bool findNames(std::string_view pattern, const std::function<bool(const FindData&)>& onEntry) override;
    DriveType driveType(std::string_view root) override;
    std::vector<std::string> logicalDrives() override;
    std::optional<uint64_t> freeSpace(std::string_view root) override;
    std::unique_ptr<FileStream> open(std::string_view path, OpenMode mode) override;
    std::string windowsDirectory() override;
    std::string systemDirectory() override;
    std::string tempDirectory() override;
    std::string programDirectory() override;
    std::string programPath() override;

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

// Shell verbs are recorded and answered as scripted. A shortcut is a file whose text is "lnk:" followed
// by its target path; any other content cannot be loaded as a shortcut. The recycle bin is opt-in
// (enableRecycleBin): without it, recycle() answers kShellNotSupported as on a system without one.
class SimShell final : public Shell {
  public:
    explicit SimShell(FileSystem* files = nullptr) : files_(files) {}
    struct Call {
        std::string verb, target, parameters, directory;
        ShowMode show;
    };
    bool execute(std::string_view verb, std::string_view target, std::string_view parameters,
                 std::string_view directory, ShowMode show) override;
    // With the bin enabled, a file moves to it (it leaves its folder and is listed in `recycled`).
    int recycle(std::string_view path) override;
    std::optional<std::string> resolveShortcut(std::string_view lnkPath) override;

    void enableRecycleBin() { recycleBin_ = true; }
    static constexpr std::string_view kShortcutPrefix = "lnk:";

    std::vector<Call> calls;
    bool result = true;
    std::vector<std::string> recycled;

  private:
    FileSystem* files_;
    bool recycleBin_ = false;
};

// Child processes: "regedit /E file [key]" and "regedit /s file" act on the simulated registry and
// files; any other command line goes to `handler` (or fails to start when there is none).
class SimProcessRunner final : public ProcessRunner {
  public:
    SimProcessRunner(SimRegistry& registry, SimFileSystem& files);
    ChildResult run(std::string_view commandLine, bool hidden, uint32_t timeoutMs) override;
    std::vector<std::string> commandLines;
    std::function<ChildResult(std::string_view)> handler;

  private:
    SimRegistry& registry_;
    SimFileSystem& files_;
};

class SimTaskScheduler final : public TaskScheduler {
  public:
    int32_t connect() override { return connectResult; }
    std::vector<std::string> taskNames() override;
    std::optional<TaskDefinition> readTask(std::string_view name, int32_t* error) override;
    int32_t saveTask(const TaskDefinition& task) override;
    int32_t deleteTask(std::string_view name) override;

    int32_t connectResult = 0;
    std::vector<TaskDefinition> tasks;     // in the scheduler's order
    std::vector<std::string> failDeletes;  // names whose deletion fails (tests)
};

class SimClock final : public Clock {
  public:
    FileTime nowUtc() override;
    DateTime localNow() override;
    std::optional<DateTime> toLocal(FileTime utc) override;  // local time = UTC + offset
    uint64_t tickMs() override;

    FileTime now = 133'000'000'000'000'000ULL;  // a fixed moment in 2022
    int64_t utcOffsetMinutes = 0;
    uint64_t tick = 0;
    uint64_t tickStep = 0;  // added to `tick` at every tickMs() call
};

class SimSystemInfo final : public SystemInfo {
  public:
    OsVersion osVersion() override { return version; }
    std::string userName() override { return user; }
    OsVersion version{2, 6, 1, 7601};
    std::string user = "tester";
};

// A whole simulated machine. By default drive C: is mapped to `hostRoot` (created when missing) with
// C:\Windows\, C:\Windows\System32\, a temp folder and the program in C:\Program Files\Trenmoor\.
class SimPlatform final : public Platform {
  public:
    explicit SimPlatform(const std::filesystem::path& hostRoot);
    ~SimPlatform() override;

    Registry& registry() override { return registry_; }
    FileSystem& files() override { return files_; }
    Shell& shell() override { return shell_; }
    ProcessRunner& processes() override { return processes_; }
    TaskScheduler& scheduler() override { return scheduler_; }
    Clock& clock() override { return clock_; }
    SystemInfo& system() override { return system_; }

    SimRegistry& simRegistry() { return registry_; }
    SimFileSystem& simFiles() { return files_; }
    SimShell& simShell() { return shell_; }
    SimProcessRunner& simProcesses() { return processes_; }
    SimTaskScheduler& simScheduler() { return scheduler_; }
    SimClock& simClock() { return clock_; }
    SimSystemInfo& simSystem() { return system_; }

  private:
    SimRegistry registry_;
    SimFileSystem files_;
    SimShell shell_;
    SimProcessRunner processes_;
    SimTaskScheduler scheduler_;
    SimClock clock_;
    SimSystemInfo system_;
};

}  // namespace trenmoor::platform::sim
