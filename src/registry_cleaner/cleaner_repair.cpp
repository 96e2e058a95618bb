#include "registry_cleaner/cleaner_repair.h"

#include "common/shared_helpers.h"
#include "registry_cleaner/repair_targets.h"
#include "registry_cleaner/sections/section_table.h"

namespace trenmoor::registry_cleaner {
namespace {

bool TargetExists(platform::Registry& registry, const RepairTarget& target) {
    const size_t slash = target.keyPath.find('\\');
    const std::optional<platform::RootKey> root = RootKeyFromName(target.keyPath.substr(0, slash));
    if (!root || slash == std::string::npos) return false;
    std::unique_ptr<platform::RegKey> key =
        registry.open(*root, target.keyPath.substr(slash + 1), false, false);
    if (!key) return false;
    return target.kind == RepairTarget::Kind::Key || key->queryValue(target.valueName).has_value();
}

}  // namespace

void RepairSection(AppContext& ctx, int section, const TRegistryContents& problems, TRepairContents& repairs,
                   MessagePump& pump, const RepairDisplay& display) {
    const SectionDef* def = SectionByNumber(section);
    if (!def || !def->repair) return;
    for (const TRegistryContentItem& item : problems) {
        pump.Pump();
        if (ctx.ScanState == kRepairCancel) return;
        const TContent& problem = item.Content;
        if (!problem.Checked) continue;
        const std::string name = RepairName(*def, problem);
        if (display.showProgress) display.showProgress(name);
        TRepairContentItem& row = repairs[repairs.Add()];
        row.Name = name;
        row.Status = RepairStatusText(def->repair(ctx, problem));
        if (display.repairsChanged) display.repairsChanged();
    }
}

void RunRepairs(AppContext& ctx, std::span<const TRegistryContents> contents, std::span<const int> order,
                TRepairContents& repairs, MessagePump& pump, const RepairDisplay& display) {
    repairs.Clear();
    for (const int section : order) {
        if (ctx.ScanState == kRepairCancel) break;
        if (section < 1 || section > kSectionCount || static_cast<size_t>(section) >= contents.size())
            continue;
        RepairSection(ctx, section, contents[static_cast<size_t>(section)], repairs, pump, display);
    }
}

bool AnythingToBackUp(platform::Registry& registry, std::span<const TRegistryContents> contents) {
    for (int n = 1; n <= kSectionCount && static_cast<size_t>(n) < contents.size(); ++n) {
        for (const TRegistryContentItem& item : contents[static_cast<size_t>(n)]) {
            if (!item.Content.Checked) continue;
            const RepairTarget target = RepairTargetFor(n, item.Content);
            if (target.kind != RepairTarget::Kind::None && TargetExists(registry, target)) return true;
        }
    }
    return false;
}

}  // namespace trenmoor::registry_cleaner
