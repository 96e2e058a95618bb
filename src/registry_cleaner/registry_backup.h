#pragma once
// Registry backups beside the program: repair backups ("RepairBackup\_yyyymmdd_hhnnss.reg", written
// before a repair and holding everything the repair will remove) and full exports
// ("FullBackup\Backup_yyyymmdd_hhnnss.reg", made by the system's registry editor); restoring either
// through the registry editor and checking that the import really happened.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_context.h"
#include "platform/clock.h"
#include "registry_cleaner/registry_contents.h"

namespace trenmoor::registry_cleaner {

inline constexpr std::string_view kRepairBackupFolder = "RepairBackup\\";
inline constexpr std::string_view kFullBackupFolder = "FullBackup\\";
inline constexpr std::string_view kFullBackupPrefix = "Backup_";
inline constexpr std::string_view kBackupExtension = ".reg";
// The registry editor exports a whole registry in seconds to minutes; beyond this it is stuck.
inline constexpr uint32_t kRegeditTimeoutMs = 20 * 60 * 1000;

enum class BackupKind { Repair, Full };

// "yyyymmdd_hhnnss".
std::string BackupTimeStamp(const platform::DateTime& time);
// "Jan. 15, 2009 9:30:7 AM": hours 13..23 shown as 1..11, nothing zero-padded.
std::string FormatBackupTime(const platform::DateTime& time);

// The folder ("...\RepairBackup\" or "...\FullBackup\") with a trailing backslash.
std::string BackupFolder(platform::FileSystem& files, BackupKind kind);
// A file name in the folder for the current local time that no file has yet ("_2", "_3", ... are
// added within the same second).
std::string NewBackupPath(platform::FileSystem& files, platform::Clock& clock, BackupKind kind);

struct RepairBackupResult {
    std::string path;      // the path formed for the backup, also when nothing was written
    bool written = false;  // false: nothing to back up, or the file could not be written
};

// Writes the repair backup of the checked problems of `sections` (index = section number 1..17; index 0,
// All Problems, and the shortcut section add nothing), in section and collection order. Every value
// the repairs remove is written in full and in regedit's own form; a repair that deletes a key gets
// the whole key with its values and subkeys.
RepairBackupResult WriteRepairBackup(AppContext& ctx, std::span<const TRegistryContents> sections);

struct FullBackupResult {
    std::string path;
    bool ok = false;  // the registry editor ended in time and left a registry script
};
// Exports the whole registry with "regedit /E" (hidden window, waited for with a time-out).
FullBackupResult MakeFullBackup(AppContext& ctx);

enum class RestoreOutcome {
    Restored,
    EditorFailed,  // the registry editor could not be started or did not end in time
    Unreadable,    // the file is missing or is not a registry script
    NotApplied,    // the registry does not hold what the file holds
};
// Imports the file with "regedit /s" and reads the registry back: a repair backup must be present in
// full; of a full backup a sample of keys spread over the file must exist.
RestoreOutcome RestoreBackup(AppContext& ctx, std::string_view path, BackupKind kind);

// Compares the registry with a parsed script; used after an import. `sampleKeysOnly` checks only the
// existence of up to `maxSample` keys spread evenly over the file.
bool RegistryMatchesScript(platform::Registry& registry, std::string_view fileBytes, bool sampleKeysOnly,
                           size_t maxSample = 64);

// One listed backup: its creation time (local, FormatBackupTime) and full path.
struct BackupFileRow {
    std::string caption;
    std::string path;
};
// The ".reg" files of a backup folder in enumeration order; a missing folder gives an empty list.
std::vector<BackupFileRow> ListBackups(AppContext& ctx, BackupKind kind);

}  // namespace trenmoor::registry_cleaner
