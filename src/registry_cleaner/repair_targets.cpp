#include "registry_cleaner/repair_targets.h"

#include <array>

namespace trenmoor::registry_cleaner {
namespace {

constexpr std::array<RepairRule, kSectionCount + 1> kSectionRules = {
    RepairRule::None,            // 0 All Problems
    RepairRule::WholeKey,        // 1 ActiveX, OLE/COM Entries
    RepairRule::WholeKey,        // 2 Application Paths
    RepairRule::WholeKey,        // 3 Empty Registry Keys
    RepairRule::Extensions,      // 4 File Extensions
    RepairRule::Value,           // 5 Font Entries
    RepairRule::ValueInKeyName,  // 6 Help Section
    RepairRule::Associations,    // 7 Invalid File Associations
    RepairRule::None,            // 8 Invalid Shortcuts (files, not registry)
    RepairRule::Value,           // 9 Most Recently Used Files
    RepairRule::Value,           // 10 Shared DLL's Sections
    RepairRule::DefaultValue,    // 11 Sounds Section
    RepairRule::StartMenu,       // 12 Start Menu Items
    RepairRule::WholeKey,        // 13 Startup Programs
    RepairRule::Value,           // 14 System Services
    RepairRule::Value,           // 15 System Software Settings
    RepairRule::Value,           // 16 Uninstall Entries
    RepairRule::Value,           // 17 User Software Settings
};

// "default" and the empty name both stand for the unnamed value.
std::string RegistryValueName(const std::string& name) {
    return name == "default" ? std::string() : name;
}

RepairTarget ValueTarget(const TContent& p, const std::string& name) {
    return {RepairTarget::Kind::Value, p.KeyPath, RegistryValueName(name)};
}

RepairTarget KeyTarget(const TContent& p) {
    return {RepairTarget::Kind::Key, p.KeyPath, {}};
}

}  // namespace

RepairRule RepairRuleOfSection(int section) {
    return section >= 0 && section <= kSectionCount ? kSectionRules[static_cast<size_t>(section)]
                                                    : RepairRule::None;
}

RepairTarget RepairTargetFor(int section, const TContent& problem) {
    switch (RepairRuleOfSection(section)) {
        case RepairRule::None:
            return {};
        case RepairRule::Value:
            return ValueTarget(problem, problem.ValueName);
        case RepairRule::DefaultValue:
            return ValueTarget(problem, std::string());
        case RepairRule::ValueInKeyName:
            return ValueTarget(problem, problem.KeyName);
        case RepairRule::WholeKey:
            return KeyTarget(problem);
        case RepairRule::Extensions:
            return problem.KeyPath.find("HKEY_CURRENT_USER") != std::string::npos
                       ? ValueTarget(problem, problem.KeyName)
                       : KeyTarget(problem);
        case RepairRule::Associations:
            return problem.Action == "delkey" ? KeyTarget(problem) : ValueTarget(problem, problem.ValueName);
        case RepairRule::StartMenu:
            return problem.ValueData == "key" ? KeyTarget(problem) : RepairTarget{};
    }
    return {};
}

}  // namespace trenmoor::registry_cleaner
