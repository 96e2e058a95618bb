// Sounds Section: a non-empty unnamed default value of the Sounds key is junk, whatever it names.
#include "registry_cleaner/sections/file_reference_sections.h"

namespace trenmoor::registry_cleaner {

void ScanSounds(SectionScan& scan, platform::RootKey root, std::string_view path) {
    std::unique_ptr<platform::RegKey> key = scan.Registry().open(root, path, false, false);
    if (!key) return;
    const std::string keyPath = FullKeyPath(root, path);
    for (const std::string& name : key->valueNames()) {
        if (!scan.Continue()) return;
        const std::optional<std::string> data = StringData(key->queryValue(name));
        if (!data || !name.empty() || data->empty()) continue;
        TContent& problem = scan.AddProblem();
        problem.KeyPath = keyPath;
        problem.KeyName = "Sounds";
        problem.ValueName = "default";
        problem.ValueData = *data;
        problem.Severity = "High";
        problem.Description = BadPathDescription(*data, keyPath);
        scan.Tick();
    }
}

RepairOutcome RepairSound(AppContext& ctx, const TContent& problem) {
    return RemoveValue(ctx.platform.registry(), problem.KeyPath, "default");
}

}  // namespace trenmoor::registry_cleaner
