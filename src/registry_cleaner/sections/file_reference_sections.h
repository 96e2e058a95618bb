#pragma once
// The five sections that check registry values naming files: Shared DLLs, Application Paths, Font
// Entries, Help Section and Sounds Section; each a scan and a repair of one problem.
#include <string>
#include <string_view>

#include "registry_cleaner/sections/section_checker.h"

namespace trenmoor::registry_cleaner {

inline constexpr std::string_view kSharedDllsCaption = "Shared DLL's Sections";
inline constexpr std::string_view kAppPathsCaption = "Application Paths";
inline constexpr std::string_view kFontEntriesCaption = "Font Entries";
inline constexpr std::string_view kHelpSectionCaption = "Help Section";
inline constexpr std::string_view kSoundsSectionCaption = "Sounds Section";

// The two keys the Help section reads under the root it is given.
inline constexpr std::string_view kHelpKey = "SOFTWARE\\Microsoft\\Windows\\Help";
inline constexpr std::string_view kHtmlHelpKey = "SOFTWARE\\Microsoft\\Windows\\Html Help";

void ScanSharedDlls(SectionScan& scan, platform::RootKey root, std::string_view path);
RepairOutcome RepairSharedDll(AppContext& ctx, const TContent& problem);

void ScanAppPaths(SectionScan& scan, platform::RootKey root, std::string_view path);
RepairOutcome RepairAppPath(AppContext& ctx, const TContent& problem);

void ScanFontEntries(SectionScan& scan, platform::RootKey root, std::string_view path);
RepairOutcome RepairFontEntry(AppContext& ctx, const TContent& problem);

void ScanHelpSection(SectionScan& scan, platform::RootKey root, std::string_view path);
RepairOutcome RepairHelpEntry(AppContext& ctx, const TContent& problem);
// The Help repair shows the key path without its root name (it begins with a backslash).
std::string HelpRepairName(const TContent& problem);

void ScanSounds(SectionScan& scan, platform::RootKey root, std::string_view path);
RepairOutcome RepairSound(AppContext& ctx, const TContent& problem);

// The use count of a Shared DLLs value: text as a decimal number (0 when it is none), a 32-bit number
// unchanged, binary data by the decimal reading of its first byte's two hexadecimal digits (0 when a
// digit is a letter), -1 for any other type.
int64_t SharedDllUseCount(const platform::RawValue& value);

}  // namespace trenmoor::registry_cleaner
