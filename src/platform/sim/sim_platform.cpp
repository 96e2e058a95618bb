// The simulated machine's smaller parts: shell, child processes (regedit), task scheduler, clock,
// and the machine that puts everything together.
#include "platform/sim/sim_platform.h"

#include <algorithm>

#include "platform/text_encoding.h"
#include "platform/text_file.h"

namespace trenmoor::platform::sim {
namespace {

constexpr int32_t kHresultFileNotFound = static_cast<int32_t>(0x80070002);
constexpr int32_t kHresultAccessDenied = static_cast<int32_t>(0x80070005);

// Splits a command line as the C runtime does: blanks separate, double quotes group.
std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> args;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i == line.size()) break;
        std::string arg;
        bool quoted = false;
        for (; i < line.size(); ++i) {
            const char c = line[i];
            if (c == '"') {
                quoted = !quoted;
            } else if (!quoted && (c == ' ' || c == '\t')) {
                break;
            } else {
                arg += c;
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

bool IsRegedit(std::string_view program) {
    const size_t cut = program.find_last_of("\\/");
    if (cut != std::string_view::npos) program.remove_prefix(cut + 1);
    if (program.size() > 4 && EqualsNoCase(program.substr(program.size() - 4), ".exe"))
        program.remove_suffix(4);
    return EqualsNoCase(program, "regedit");
}

std::optional<std::pair<RootKey, std::string>> ParseKeyArgument(std::string_view key) {
    static constexpr std::pair<std::string_view, RootKey> kNames[] = {
        {"HKEY_CLASSES_ROOT", RootKey::ClassesRoot},
        {"HKCR", RootKey::ClassesRoot},
        {"HKEY_CURRENT_USER", RootKey::CurrentUser},
        {"HKCU", RootKey::CurrentUser},
        {"HKEY_LOCAL_MACHINE", RootKey::LocalMachine},
        {"HKLM", RootKey::LocalMachine},
        {"HKEY_USERS", RootKey::Users},
        {"HKU", RootKey::Users},
        {"HKEY_CURRENT_CONFIG", RootKey::CurrentConfig},
        {"HKCC", RootKey::CurrentConfig},
    };
    const size_t cut = key.find('\\');
    const std::string_view root = key.substr(0, cut);
    for (const auto& [name, value] : kNames)
        if (EqualsNoCase(root, name))
            return std::make_pair(
                value, cut == std::string_view::npos ? std::string() : std::string(key.substr(cut + 1)));
    return std::nullopt;
}

bool WriteWholeFile(FileSystem& files, std::string_view path, std::string_view bytes) {
    auto stream = files.open(path, OpenMode::Create);
    return stream && stream->write(bytes.data(), bytes.size());
}

std::optional<std::string> ReadWholeFile(FileSystem& files, std::string_view path) {
    auto stream = files.open(path, OpenMode::Read);
    if (!stream) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const size_t n = stream->read(buffer, sizeof buffer);
        if (n == 0) break;
        bytes.append(buffer, n);
    }
    return bytes;
}

// Days since 1970-01-01 -> civil date (proleptic Gregorian).
void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2 ? 1 : 0));
}

}  // namespace

// ---------------------------------------------------------------------------------------------

bool SimShell::execute(std::string_view verb, std::string_view target, std::string_view parameters,
                       std::string_view directory, ShowMode show) {
    calls.push_back(
        Call{std::string(verb), std::string(target), std::string(parameters), std::string(directory), show});
    return result;
}

int SimShell::recycle(std::string_view path) {
    if (!recycleBin_ || !files_) return kShellNotSupported;
    constexpr int kFileNotFound = 2;  // ERROR_FILE_NOT_FOUND, as the shell answers for a missing file
    if (!files_->fileExists(path)) return kFileNotFound;
    constexpr int kAccessDenied = 5;  // ERROR_ACCESS_DENIED
    if (!files_->deleteFile(path)) return kAccessDenied;
    recycled.emplace_back(path);
    return 0;
}

std::optional<std::string> SimShell::resolveShortcut(std::string_view lnkPath) {
    if (!files_) return std::nullopt;
    const std::optional<std::string> text = ReadAllBytes(*files_, lnkPath);
    if (!text || !text->starts_with(kShortcutPrefix)) return std::nullopt;
    return text->substr(kShortcutPrefix.size());
}

// ---------------------------------------------------------------------------------------------

SimProcessRunner::SimProcessRunner(SimRegistry& registry, SimFileSystem& files)
    : registry_(registry), files_(files) {}

ChildResult SimProcessRunner::run(std::string_view commandLine, bool hidden, uint32_t timeoutMs) {
    (void)hidden;
    (void)timeoutMs;
    commandLines.emplace_back(commandLine);
    const auto args = SplitCommandLine(commandLine);
    if (args.empty() || !IsRegedit(args[0])) {
        if (handler) return handler(commandLine);
        return ChildResult{};
    }

    bool exportUnicode = false;
    bool exportAnsi = false;
    std::vector<std::string> operands;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() == 2 && (a[0] == '/' || a[0] == '-')) {
            const char sw = static_cast<char>(a[1] | 0x20);
            if (sw == 'e') exportUnicode = true;
            if (sw == 'a') exportAnsi = true;
            continue;  // /s (silent) and others change nothing here
        }
        operands.push_back(a);
    }
    ChildResult done{true, true, 0};
    if (operands.empty()) return done;  // the editor window opens and is closed again

    if (exportUnicode || exportAnsi) {
        const RegFileFormat format = exportAnsi ? RegFileFormat::Regedit4 : RegFileFormat::Unicode5;
        std::optional<std::string> text;
        if (operands.size() < 2 || operands[1].empty()) {
            text = registry_.exportAll(format);
        } else if (const auto key = ParseKeyArgument(operands[1])) {
            text = registry_.exportReg(key->first, key->second, format);
        }
        if (!text || !WriteWholeFile(files_, operands[0], *text)) done.exitCode = 1;
        return done;
    }

    const auto bytes = ReadWholeFile(files_, operands[0]);
    if (!bytes) {
        done.exitCode = 1;
        return done;
    }
    (void)registry_.importReg(*bytes);  // like regedit, a file that is no script still ends with 0
    return done;
}

// ---------------------------------------------------------------------------------------------

std::vector<std::string> SimTaskScheduler::taskNames() {
    std::vector<std::string> names;
    for (const auto& t : tasks) names.push_back(t.name);
    return names;
}

std::optional<TaskDefinition> SimTaskScheduler::readTask(std::string_view name, int32_t* error) {
    for (const auto& t : tasks)
        if (EqualsNoCase(t.name, name)) return t;
    if (error) *error = kHresultFileNotFound;
    return std::nullopt;
}

int32_t SimTaskScheduler::saveTask(const TaskDefinition& task) {
    if (connectResult != 0) return connectResult;
    for (auto& t : tasks) {
        if (EqualsNoCase(t.name, task.name)) {
            t = task;
            return 0;
        }
    }
    tasks.push_back(task);
    return 0;
}

int32_t SimTaskScheduler::deleteTask(std::string_view name) {
    for (const auto& f : failDeletes)
        if (EqualsNoCase(f, name)) return kHresultAccessDenied;
    const auto it = std::find_if(tasks.begin(), tasks.end(),
                                 [&](const TaskDefinition& t) { return EqualsNoCase(t.name, name); });
    if (it == tasks.end()) return kHresultFileNotFound;
    tasks.erase(it);
    return 0;
}

// ---------------------------------------------------------------------------------------------

FileTime SimClock::nowUtc() {
    return now;
}

DateTime SimClock::localNow() {
    return toLocal(now).value_or(DateTime{});
}

std::optional<DateTime> SimClock::toLocal(FileTime utc) {
    if (utc >= 0x8000000000000000ULL) return std::nullopt;
    const int64_t local = static_cast<int64_t>(utc) + utcOffsetMinutes * 60LL * 10000000LL;
    if (local < 0) return std::nullopt;
    const int64_t totalMs = local / 10000;
    const int64_t totalSeconds = totalMs / 1000;
    const int64_t days1601 = totalSeconds / 86400;
    const int64_t secondOfDay = totalSeconds % 86400;
    DateTime dt;
    CivilFromDays(days1601 - 134774, dt.year, dt.month, dt.day);  // 134774 days from 1601 to 1970
    dt.hour = static_cast<int>(secondOfDay / 3600);
    dt.minute = static_cast<int>(secondOfDay / 60 % 60);
    dt.second = static_cast<int>(secondOfDay % 60);
    dt.millisecond = static_cast<int>(totalMs % 1000);
    dt.dayOfWeek = static_cast<int>((days1601 + 1) % 7);  // 1601-01-01 was a Monday
    return dt;
}

uint64_t SimClock::tickMs() {
    const uint64_t t = tick;
    tick += tickStep;
    return t;
}

// ---------------------------------------------------------------------------------------------

namespace {

void MakeFolders(SimFileSystem& files, std::string_view path) {
    std::string prefix;
    size_t i = 0;
    while (i <= path.size()) {
        size_t j = path.find('\\', i);
        if (j == std::string_view::npos) j = path.size();
        prefix += std::string(path.substr(i, j - i));
        if (j > i && prefix.size() > 2 && !files.directoryExists(prefix)) (void)files.createDirectory(prefix);
        prefix += '\\';
        i = j + 1;
    }
}

}  // namespace

SimPlatform::SimPlatform(const std::filesystem::path& hostRoot)
    : shell_(&files_), processes_(registry_, files_) {
    std::error_code ec;
    std::filesystem::create_directories(hostRoot, ec);
    files_.mapDrive('C', hostRoot, DriveType::Fixed);
    files_.setWindowsDirectory("C:\\Windows\\");
    files_.setSystemDirectory("C:\\Windows\\System32\\");
    files_.setTempDirectory("C:\\Users\\tester\\AppData\\Local\\Temp\\");
    files_.setProgramPath("C:\\Program Files\\Trenmoor\\Trenmoor.exe");
    for (const char* folder : {"C:\\Windows\\System32", "C:\\Windows\\Fonts",
                               "C:\\Users\\tester\\AppData\\Local\\Temp", "C:\\Program Files\\Trenmoor"})
        MakeFolders(files_, folder);
}

SimPlatform::~SimPlatform() = default;

}  // namespace trenmoor::platform::sim
