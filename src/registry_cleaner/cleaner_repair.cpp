#include "registry_cleaner/cleaner_repair.h"

#include "registry_cleaner/sections/section_table.h"

namespace trenmoor::registry_cleaner {

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

}  // namespace trenmoor::registry_cleaner
