#pragma once
// The seven sections that look for what programs and the Explorer leave behind: Uninstall Entries,
// Invalid Shortcuts, System Services, Empty Registry Keys, Startup Programs, Start Menu Items and Most
// Recently Used Files; each a scan and a repair of one problem.
#include <string>
#include <string_view>

#include "registry_cleaner/sections/section_checker.h"

namespace trenmoor::registry_cleaner {

inline constexpr std::string_view kUninstallEntriesCaption = "Uninstall Entries";
inline constexpr std::string_view kInvalidShortcutsCaption = "Invalid Shortcuts";
inline constexpr std::string_view kSystemServicesCaption = "System Services";
inline constexpr std::string_view kEmptyKeysCaption = "Empty Registry Keys";
inline constexpr std::string_view kStartupProgramsCaption = "Startup Programs";
inline constexpr std::string_view kStartMenuItemsCaption = "Start Menu Items";
inline constexpr std::string_view kRecentFilesCaption = "Most Recently Used Files";

// The run history the recently-used section reads after the open/save lists, under the same root.
inline constexpr std::string_view kRunMruKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
// Where the start-menu sections find the program folders.
inline constexpr std::string_view kUserShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
inline constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void ScanUninstallEntries(SectionScan& scan, platform::RootKey root, std::string_view path);
RepairOutcome RepairUninstallEntry(AppContext& ctx, const TContent& problem);

// Walks every fixed drive for shortcut files; the root and path are not used.
void ScanInvalidShortcuts(SectionScan& scan, platform::RootKey root, std::string_view path);
RepairOutcome RepairInvalidShortcut(AppContext& ctx, const TContent& problem);

void ScanSystemServices(SectionScan& scan, platform::RootKey root, std::string_view path);
RepairOutcome RepairSystemService(AppContext& ctx, const TContent& problem);

void ScanEmptyKeys(SectionScan& scan, platform::RootKey root, std::string_view path);
RepairOutcome RepairEmptyKey(AppContext& ctx, const TContent& problem);

void ScanStartupPrograms(SectionScan& scan, platform::RootKey root, std::string_view path);
RepairOutcome RepairStartupProgram(AppContext& ctx, const TContent& problem);

void ScanStartMenuItems(SectionScan& scan, platform::RootKey root, std::string_view path);
RepairOutcome RepairStartMenuItem(AppContext& ctx, const TContent& problem);
// The status of a start-menu value entry whose subkey is still there: its repair removes nothing.
inline constexpr std::string_view kStartMenuValueLeftNote = "Not changed: removed only with its key entry";

void ScanRecentFiles(SectionScan& scan, platform::RootKey root, std::string_view path);
RepairOutcome RepairRecentFile(AppContext& ctx, const TContent& problem);

}  // namespace trenmoor::registry_cleaner
