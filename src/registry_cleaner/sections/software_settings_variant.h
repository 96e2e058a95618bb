#pragma once
// How the two software settings sections differ, as data: one row per section, read by the one key
// walk and value scan that both use.
#include <array>
#include <span>
#include <string_view>

#include "registry_cleaner/sections/existence_memo.h"
#include "registry_cleaner/sections/path_rules.h"
#include "registry_cleaner/sections/section_checker.h"
#include "registry_cleaner/sections/software_settings_sections.h"

namespace trenmoor::registry_cleaner {

struct SoftwareSettingsVariant {
    std::string_view caption;  // also the section given to the ignore query
    // Keys whose subkeys are not walked: the key path below the root contains one (case ignored).
    std::span<const std::string_view> unwalkedKeys;
    // Subkeys neither scanned nor entered: the path contains this (case ignored; empty for none) ...
    std::string_view passedOverPath;
    // ... or the subkey's name is exactly this (empty for none).
    std::string_view passedOverName;
    // The ignore query comes first for every value; otherwise after the skip words and the expansion.
    bool ignoreQueryFirst = false;
    // A value whose text contains one of these (case ignored) ends its key.
    std::span<const std::string_view> skipWords;
    ExpandVariant expansion = ExpandVariant::System;
    // Both branches leave out texts holding "H:\" (capital H, exactly).
    bool refusesCapitalH = false;
    // The command-line branch wants ":\" in the file path it cut out.
    bool fileNeedsDriveRoot = false;
    // A missing file whose path contains one of these (case ignored) is spared.
    std::span<const std::string_view> sparingWords;
    // A missing file's problem names the unnamed value "default" (otherwise as read, empty).
    bool unnamedFileValueAsDefault = false;
};

inline constexpr std::array<std::string_view, 6> kSystemUnwalkedKeys = {
    "SYSTEM",
    "Winlogon",
    "SOFTWARE\\Microsoft\\Rpc",
    "SOFTWARE\\Microsoft\\Cryptography",
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
    "SOFTWARE\\Wow6432Node"};
inline constexpr std::array<std::string_view, 6> kSystemSkipWords = {
    ".sys", ".vxd", "Explorer.exe", "itunes", "\\HP\\", "Microsoft.NET\\Framework"};
inline constexpr std::array<std::string_view, 3> kSystemSparingWords = {"Microsoft.NET\\Framework", "\\HP\\",
                                                                        "msoe.dll"};

inline constexpr std::array<std::string_view, 2> kUserUnwalkedKeys = {"Winlogon", "outlook"};
inline constexpr std::array<std::string_view, 3> kUserSkipWords = {".sys", ".vxd", "itunes"};
inline constexpr std::array<std::string_view, 1> kUserSparingWords = {"msoe.dll"};

inline constexpr SoftwareSettingsVariant kSystemSoftwareVariant{
    .caption = kSystemSoftwareCaption,
    .unwalkedKeys = kSystemUnwalkedKeys,
    .passedOverPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer",
    .passedOverName = "App Paths",
    .ignoreQueryFirst = true,
    .skipWords = kSystemSkipWords,
    .expansion = ExpandVariant::System,
    .refusesCapitalH = true,
    .fileNeedsDriveRoot = true,
    .sparingWords = kSystemSparingWords,
    .unnamedFileValueAsDefault = true,
};

inline constexpr SoftwareSettingsVariant kUserSoftwareVariant{
    .caption = kUserSoftwareCaption,
    .unwalkedKeys = kUserUnwalkedKeys,
    .passedOverPath = {},
    .passedOverName = {},
    .ignoreQueryFirst = false,
    .skipWords = kUserSkipWords,
    .expansion = ExpandVariant::User,
    .refusesCapitalH = false,
    .fileNeedsDriveRoot = false,
    .sparingWords = kUserSparingWords,
    .unnamedFileValueAsDefault = false,
};

// The key walk: every key below `path` of `root` (the start key's own values are not scanned).
void WalkSoftwareSettings(SectionScan& scan, const SoftwareSettingsVariant& variant, platform::RootKey root,
                          std::string_view path);

// The value scan of one open key whose full path (root name, backslash, path) is `fullKeyPath`; the
// memo holds the file system's answers for the whole walk.
void ScanSoftwareSettingValues(SectionScan& scan, const SoftwareSettingsVariant& variant, ExistenceMemo& memo,
                               platform::RegKey& key, std::string_view fullKeyPath);

}  // namespace trenmoor::registry_cleaner
