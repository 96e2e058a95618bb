// System Services: what this section should judge is not settled, so its scan examines nothing and
// reports nothing. Its repair would remove the value a problem names.
#include "registry_cleaner/sections/leftover_sections.h"

namespace trenmoor::registry_cleaner {

void ScanSystemServices(SectionScan& /*scan*/, platform::RootKey /*root*/, std::string_view /*path*/) {}

RepairOutcome RepairSystemService(AppContext& ctx, const TContent& problem) {
    return RemoveValue(ctx.platform.registry(), problem.KeyPath, problem.ValueName);
}

}  // namespace trenmoor::registry_cleaner
