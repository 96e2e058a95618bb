#pragma once
// The two sections that walk whole hives and judge every text value that reads like a path or a
// command line: System Software Settings (the local machine, then all users) and User Software
// Settings (the current user). A value is a problem when the folder or file it names is gone.
#include <string_view>

#include "registry_cleaner/sections/section_checker.h"

namespace trenmoor::registry_cleaner {

inline constexpr std::string_view kSystemSoftwareCaption = "System Software Settings";
inline constexpr std::string_view kUserSoftwareCaption = "User Software Settings";

// One walk of the hive below `path` (the driver passes the root, an empty path): every key below it is
// counted, its values judged, its subkeys walked unless the section leaves them out.
void ScanSystemSoftwareSettings(SectionScan& scan, platform::RootKey root, std::string_view path);
void ScanUserSoftwareSettings(SectionScan& scan, platform::RootKey root, std::string_view path);

// Both sections' repair: the value is deleted ("default" and the empty name are the unnamed value).
RepairOutcome RepairSoftwareSetting(AppContext& ctx, const TContent& problem);

}  // namespace trenmoor::registry_cleaner
