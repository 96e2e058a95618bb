// The entry points of the two software settings sections: the walk with each section's row of
// differences, and their common repair.
#include "registry_cleaner/sections/software_settings_sections.h"

#include "registry_cleaner/sections/software_settings_variant.h"

namespace trenmoor::registry_cleaner {

void ScanSystemSoftwareSettings(SectionScan& scan, platform::RootKey root, std::string_view path) {
    WalkSoftwareSettings(scan, kSystemSoftwareVariant, root, path);
}

void ScanUserSoftwareSettings(SectionScan& scan, platform::RootKey root, std::string_view path) {
    WalkSoftwareSettings(scan, kUserSoftwareVariant, root, path);
}

RepairOutcome RepairSoftwareSetting(AppContext& ctx, const TContent& problem) {
    return RemoveValue(ctx.platform.registry(), problem.KeyPath, problem.ValueName);
}

}  // namespace trenmoor::registry_cleaner
