#pragma once
// The user's preferences, kept under HKEY_CURRENT_USER\Software\Trenmoor and loaded once at start-up.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace trenmoor {

inline constexpr std::string_view kProgramName = "Trenmoor";
inline constexpr std::string_view kProgramVersion = "4.2";
inline constexpr std::string_view kSettingsKey = "\\Software\\Trenmoor";
inline constexpr std::string_view kDefaultHomePage = "http://www.trenmoor.com/";
inline constexpr std::string_view kDefaultHelpURL = "http://www.trenmoor.com/help/";
inline constexpr std::string_view kSupportAddress = "support@trenmoor.com";

struct TMyRegistryInfo {
    std::string HomePage;
    std::string HelpURL;
    bool NotAutoBackup = false;
    bool OneTime = false;
    int32_t OneScheduleOfWeek = 0;
    bool SelectAll = false;
    bool CheckUpdate = false;
};

// Reads every setting into `info`; a missing value gets its default in memory and in the registry
// (`Version` is only ever written when missing). When the key cannot be opened nothing is read.
void LoadSettings(platform::Registry& registry, TMyRegistryInfo& info);

// Stores the three options of the preferences page in `info` and in the registry.
void SaveOptions(platform::Registry& registry, TMyRegistryInfo& info, bool notAutoBackup, bool selectAll,
                 bool checkUpdate);

// Records that the weekly One-Click Tweak task exists (OneScheduleOfWeek = 1).
bool SaveOneScheduleOfWeek(platform::Registry& registry, TMyRegistryInfo& info);

// Clears the one-time offer of a full backup (OneTime = false).
bool ClearOneTime(platform::Registry& registry, TMyRegistryInfo& info);

}  // namespace trenmoor
