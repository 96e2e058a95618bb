#include "registry_cleaner/registry_backup.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <optional>

#include "common/shared_helpers.h"
#include "platform/text_encoding.h"
#include "platform/text_file.h"
#include "registry_cleaner/reg_script.h"
#include "registry_cleaner/repair_targets.h"

namespace trenmoor::registry_cleaner {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan.",  "Feb.", "Mar.",  "Apr.", "May.", "June.",
                                                          "July.", "Aug.", "Sept.", "Oct.", "Nov.", "Dec."};

struct SplitPath {
    std::optional<platform::RootKey> root;
    std::string rootName;
    std::string subkey;
};

SplitPath SplitKeyPath(std::string_view fullPath) {
    const size_t slash = fullPath.find('\\');
    SplitPath s;
    s.rootName = fullPath.substr(0, slash);
    s.subkey = slash == std::string_view::npos ? std::string() : std::string(fullPath.substr(slash + 1));
    s.root = RootKeyFromName(s.rootName);
    return s;
}

std::unique_ptr<platform::RegKey> OpenReadOnly(platform::Registry& registry, const SplitPath& path) {
    if (!path.root) return nullptr;
    return registry.open(*path.root, path.subkey, false, false);
}

std::string QuotedCommand(std::string_view verb, std::string_view path) {
    std::string command = "regedit ";
    command += verb;
    command += " \"";
    command += path;
    command += '"';
    return command;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           platform::EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

// True when the file begins with a registry-script header (a whole export is not read for this).
bool StartsAsRegistryScript(platform::FileSystem& files, std::string_view path) {
    std::unique_ptr<platform::FileStream> stream = files.open(path, platform::OpenMode::Read);
    if (!stream) return false;
    std::string head(2 + 2 * kRegHeader5.size(), '\0');
    head.resize(stream->read(head.data(), head.size()));
    std::string unicodeHeader = "\xFF\xFE";
    for (const char c : kRegHeader5) {
        unicodeHeader.push_back(c);
        unicodeHeader.push_back('\0');
    }
    const std::string_view h = head;
    return h.starts_with(unicodeHeader) || h.starts_with(kRegHeader4) || h.starts_with(kRegHeader5);
}

// What the registry must hold after importing a script: keys that exist or not, values with their
// exact type and bytes or absent. Later lines override earlier ones, as an import applies them.
struct Expectations {
    std::map<std::string, std::pair<std::string, bool>> keys;  // upper path -> (path, exists)
    std::map<std::pair<std::string, std::string>, std::pair<RegScriptEntry, bool>> values;

    void Add(const RegScriptEntry& e) {
        const std::string upperKey = platform::UpperUtf8(e.keyPath);
        switch (e.kind) {
            case RegScriptEntry::Kind::Key:
                keys[upperKey] = {e.keyPath, true};
                break;
            case RegScriptEntry::Kind::DeleteKey: {
                const std::string prefix = upperKey + "\\";
                std::erase_if(keys, [&](const auto& k) { return k.first.starts_with(prefix); });
                std::erase_if(values, [&](const auto& v) {
                    return v.first.first == upperKey || v.first.first.starts_with(prefix);
                });
                keys[upperKey] = {e.keyPath, false};
                break;
            }
            case RegScriptEntry::Kind::Value:
            case RegScriptEntry::Kind::DeleteValue:
                values[{upperKey, platform::UpperUtf8(e.valueName)}] = {
                    e, e.kind == RegScriptEntry::Kind::Value};
                break;
        }
    }
};

// Up to twice `maxSample` key paths spread evenly over the file: every stride-th key, the stride
// doubling (and every other kept key dropped) whenever the sample fills up.
class KeySample {
  public:
    explicit KeySample(size_t maxSample) : max_(std::max<size_t>(maxSample, 1)) {}
    void Offer(const std::string& key) {
        if (seen_++ % stride_ != 0) return;
        keys_.push_back(key);
        if (keys_.size() >= 2 * max_) {
            std::vector<std::string> kept;
            for (size_t i = 0; i < keys_.size(); i += 2) kept.push_back(std::move(keys_[i]));
            keys_ = std::move(kept);
            stride_ *= 2;
        }
    }
    const std::vector<std::string>& Keys() const { return keys_; }

  private:
    size_t max_;
    size_t stride_ = 1;
    size_t seen_ = 0;
    std::vector<std::string> keys_;
};

struct ParsedExpectations {
    Expectations expected;
    std::vector<std::string> sampledKeys;
};

std::optional<ParsedExpectations> ReadExpectations(std::string_view fileBytes, bool sampleKeysOnly,
                                                   size_t maxSample) {
    ParsedExpectations parsed;
    KeySample sample(maxSample);
    size_t keys = 0;
    const auto format = ParseRegScript(
        fileBytes,
        [&](const RegScriptEntry& e) {
            if (!sampleKeysOnly) {
                parsed.expected.Add(e);
            } else if (e.kind == RegScriptEntry::Kind::Key) {
                sample.Offer(e.keyPath);
                ++keys;
            }
        },
        // A full export is regedit's own file: a text value it wrote with raw line breaks must not make
        // the whole export look broken. Our repair backups are checked line by line.
        sampleKeysOnly ? RegScriptParse::SkipValues : RegScriptParse::Strict);
    if (!format || (sampleKeysOnly && keys == 0)) return std::nullopt;
    parsed.sampledKeys = sample.Keys();
    return parsed;
}

bool KeyExists(platform::Registry& registry, std::string_view path) {
    return OpenReadOnly(registry, SplitKeyPath(path)) != nullptr;
}

bool RegistryHolds(platform::Registry& registry, const ParsedExpectations& parsed) {
    for (const std::string& key : parsed.sampledKeys) {
        if (!KeyExists(registry, key)) return false;
    }
    for (const auto& [upper, key] : parsed.expected.keys) {
        if (KeyExists(registry, key.first) != key.second) return false;
    }
    for (const auto& [id, expectation] : parsed.expected.values) {
        const RegScriptEntry& e = expectation.first;
        std::unique_ptr<platform::RegKey> key = OpenReadOnly(registry, SplitKeyPath(e.keyPath));
        const std::optional<platform::RawValue> actual = key ? key->queryValue(e.valueName) : std::nullopt;
        if (expectation.second ? actual != e.value : actual.has_value()) return false;
    }
    return true;
}

}  // namespace

std::string BackupTimeStamp(const platform::DateTime& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d_%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return buffer;
}

std::string FormatBackupTime(const platform::DateTime& t) {
    const std::string_view month = t.month >= 1 && t.month <= 12 ? kMonthNames[t.month - 1] : "";
    const int hour = t.hour > 12 ? t.hour - 12 : t.hour;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*s %d, %d %d:%d:%d %s", static_cast<int>(month.size()),
                  month.data(), t.day, t.year, hour, t.minute, t.second, t.hour < 12 ? "AM" : "PM");
    return buffer;
}

std::string BackupFolder(platform::FileSystem& files, BackupKind kind) {
    return ProgramFile(files, kind == BackupKind::Repair ? kRepairBackupFolder : kFullBackupFolder);
}

std::string NewBackupPath(platform::FileSystem& files, platform::Clock& clock, BackupKind kind) {
    std::string base = BackupFolder(files, kind);
    base += kind == BackupKind::Repair ? std::string_view("_") : kFullBackupPrefix;
    base += BackupTimeStamp(clock.localNow());
    std::string path = base + std::string(kBackupExtension);
    for (int n = 2; files.fileExists(path); ++n) {
        path = base + "_" + std::to_string(n) + std::string(kBackupExtension);
    }
    return path;
}

RepairBackupResult WriteRepairBackup(AppContext& ctx, std::span<const TRegistryContents> sections) {
    platform::Registry& registry = ctx.platform.registry();
    platform::FileSystem& files = ctx.platform.files();
    RegScriptWriter writer(RegScriptFormatFor(ctx.PlatformKind));

    for (size_t section = 1; section < sections.size() && section <= kSectionCount; ++section) {
        for (const TRegistryContentItem& item : sections[section]) {
            const TContent& problem = item.Content;
            if (!problem.Checked) continue;
            const RepairTarget target = RepairTargetFor(static_cast<int>(section), problem);
            if (target.kind == RepairTarget::Kind::None) continue;
            const SplitPath path = SplitKeyPath(target.keyPath);
            // A whole root is never a repair target; a problem naming one is not backed up as a hive.
            if (target.kind == RepairTarget::Kind::Key && path.subkey.empty()) continue;
            std::unique_ptr<platform::RegKey> key = OpenReadOnly(registry, path);
            if (!key) continue;
            const std::string fullPath =
                path.subkey.empty() ? path.rootName : path.rootName + "\\" + path.subkey;
            if (target.kind == RepairTarget::Kind::Key) {
                writer.KeyTree(*key, fullPath);
            } else if (const std::optional<platform::RawValue> value = key->queryValue(target.valueName)) {
                writer.KeyHeader(fullPath);
                writer.Value(target.valueName, *value);
            }
        }
    }

    RepairBackupResult result;
    result.path = NewBackupPath(files, ctx.platform.clock(), BackupKind::Repair);
    if (!writer.HasContent()) return result;
    const std::string folder = BackupFolder(files, BackupKind::Repair);
    if (!files.directoryExists(folder) && !files.createDirectory(folder)) return result;
    result.written = platform::WriteAllBytes(files, result.path, writer.FileBytes());
    return result;
}

FullBackupResult MakeFullBackup(AppContext& ctx) {
    platform::FileSystem& files = ctx.platform.files();
    FullBackupResult result;
    const std::string folder = BackupFolder(files, BackupKind::Full);
    if (!files.directoryExists(folder)) (void)files.createDirectory(folder);
    result.path = NewBackupPath(files, ctx.platform.clock(), BackupKind::Full);
    const platform::ChildResult run =
        ctx.platform.processes().run(QuotedCommand("/E", result.path), true, kRegeditTimeoutMs);
    if (!run.started || !run.finished) return result;
    result.ok = run.exitCode == 0 && StartsAsRegistryScript(files, result.path);
    // A finished export that is not a registry script would only be listed as a backup that cannot
    // restore anything.
    if (!result.ok && files.fileExists(result.path)) (void)files.deleteFile(result.path);
    return result;
}

bool RegistryMatchesScript(platform::Registry& registry, std::string_view fileBytes, bool sampleKeysOnly,
                           size_t maxSample) {
    const std::optional<ParsedExpectations> parsed = ReadExpectations(fileBytes, sampleKeysOnly, maxSample);
    return parsed && RegistryHolds(registry, *parsed);
}

RestoreOutcome RestoreBackup(AppContext& ctx, std::string_view path, BackupKind kind) {
    platform::FileSystem& files = ctx.platform.files();
    if (!files.fileExists(path)) return RestoreOutcome::Unreadable;
    std::optional<ParsedExpectations> parsed;
    {
        const std::optional<std::string> bytes = platform::ReadAllBytes(files, path);
        if (!bytes) return RestoreOutcome::Unreadable;
        parsed = ReadExpectations(*bytes, kind == BackupKind::Full, 64);
    }
    if (!parsed) return RestoreOutcome::Unreadable;
    const platform::ChildResult run =
        ctx.platform.processes().run(QuotedCommand("/s", path), true, kRegeditTimeoutMs);
    if (!run.started || !run.finished) return RestoreOutcome::EditorFailed;
    return RegistryHolds(ctx.platform.registry(), *parsed) ? RestoreOutcome::Restored
                                                           : RestoreOutcome::NotApplied;
}

std::vector<BackupFileRow> ListBackups(AppContext& ctx, BackupKind kind) {
    platform::FileSystem& files = ctx.platform.files();
    const std::string folder = BackupFolder(files, kind);
    std::vector<BackupFileRow> rows;
    (void)files.find(folder + "*" + std::string(kBackupExtension), [&](const platform::FindData& entry) {
        // The mask also matches longer extensions through short names; only ".reg" files are backups.
        if (entry.isDirectory() || !EndsWithNoCase(entry.name, kBackupExtension)) return true;
        const std::optional<platform::DateTime> created = ctx.platform.clock().toLocal(entry.creationTime);
        rows.push_back({created ? FormatBackupTime(*created) : std::string(), folder + entry.name});
        return true;
    });
    return rows;
}

}  // namespace trenmoor::registry_cleaner
