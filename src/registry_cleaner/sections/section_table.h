#pragma once
// The 17 scan sections of the registry cleaner as data: number, caption, the details text of the
// results page, what the driver hands to the checker (up to two scan calls, each a root and a path),
// whether the ignore list is passed, and the section's repair. A section whose checker is not built
// yet has no scan function: it is listed and selectable, and reported as "not built yet".
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "registry_cleaner/sections/section_checker.h"

namespace trenmoor::registry_cleaner {

using ScanFn = void (*)(SectionScan& scan, platform::RootKey root, std::string_view path);
using RepairFn = RepairOutcome (*)(AppContext& ctx, const TContent& problem);
using RepairNameFn = std::string (*)(const TContent& problem);

struct ScanCall {
    ScanFn scan = nullptr;  // nullptr: the checker is not built yet
    platform::RootKey root = platform::RootKey::LocalMachine;
    std::string_view path;
};

struct SectionDef {
    int number = 0;
    std::string_view caption;
    std::string_view details;  // the details pane text of the results page
    std::array<ScanCall, 2> calls{};
    int callCount = 0;
    bool ignoresPassed = false;
    RepairFn repair = nullptr;
    RepairNameFn repairName = nullptr;  // nullptr: the problem's KeyPath

    bool Built() const;
};

// Sections 1..17 in number order (index = number - 1).
std::span<const SectionDef> Sections();
// nullptr for a number outside 1..17.
const SectionDef* SectionByNumber(int number);
// The section with that caption (case ignored), nullptr when none.
const SectionDef* SectionByCaption(std::string_view caption);
// What the progress label and the finish list show for a repaired problem.
std::string RepairName(const SectionDef& section, const TContent& problem);

}  // namespace trenmoor::registry_cleaner
