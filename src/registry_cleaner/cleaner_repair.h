#pragma once
// The repair loop shared by every section: for each problem in collection order, let messages run,
// stop when a cancel was requested, skip unchecked problems, show what is repaired, repair it and add
// a finish-list row whose status says what really happened.
#include <functional>
#include <span>
#include <string_view>

#include "common/app_context.h"
#include "common/message_pump.h"
#include "registry_cleaner/registry_contents.h"

namespace trenmoor::registry_cleaner {

struct RepairDisplay {
    std::function<void(std::string_view)> showProgress;  // the repair dialog's label (abRepair)
    std::function<void()> repairsChanged;                // the finish list's row count and repaint
};

// Repairs one section's checked problems; nothing for a section that has no repair.
void RepairSection(AppContext& ctx, int section, const TRegistryContents& problems, TRepairContents& repairs,
                   MessagePump& pump, const RepairDisplay& display);

// Repairs the sections in `order` (section numbers; anything else, like the All Problems row, is
// skipped) while no cancel is requested. The repair collection is cleared first.
void RunRepairs(AppContext& ctx, std::span<const TRegistryContents> contents, std::span<const int> order,
                TRepairContents& repairs, MessagePump& pump, const RepairDisplay& display);

// True when a checked problem's repair would remove something that is still in the registry, that is
// when a repair backup must have content (index = section number).
bool AnythingToBackUp(platform::Registry& registry, std::span<const TRegistryContents> contents);

}  // namespace trenmoor::registry_cleaner
