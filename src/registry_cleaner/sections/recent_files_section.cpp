// Most Recently Used Files: every entry of the Explorer's open/save history lists and of its run
// history is listed, the lists' order values included; the repair removes the value.
#include "registry_cleaner/sections/leftover_sections.h"

namespace trenmoor::registry_cleaner {
namespace {

TContent& AddRecentProblem(SectionScan& scan, platform::RootKey root, std::string_view listKey,
                           const std::string& keyPath, const std::string& keyName,
                           const std::string& valueName) {
    TContent& problem = scan.AddProblem();
    problem.KeyPath = keyPath;
    problem.KeyName = keyName;
    problem.ValueName = valueName;
    problem.Title = "Redundant or Invalid Registry Key";
    problem.Severity = "Low";
    problem.Description = "The Key " + std::string(listKey) + " under " + FullKeyPath(root, listKey) +
                          " contains a redundant or invalid registry key.";
    scan.Tick();
    return problem;
}

// False when the scan ends (abort or an ignore entry).
bool ScanOpenSaveLists(SectionScan& scan, platform::RootKey root, std::string_view path) {
    std::unique_ptr<platform::RegKey> key = scan.Registry().open(root, path, false, false);
    if (!key) return true;
    const std::string keyPath = FullKeyPath(root, path);
    for (const std::string& list : key->subkeyNames()) {
        if (!scan.Continue()) return false;
        std::unique_ptr<platform::RegKey> entries = key->openSubkey(list, false, false);
        if (!entries) continue;
        const std::string listPath = keyPath + "\\" + list;
        for (const std::string& value : entries->valueNames()) {
            const std::string valueName = ValueNameText(value);
            if (scan.IsIgnored(listPath, valueName)) return false;
            AddRecentProblem(scan, root, path, listPath, list, valueName);
        }
    }
    return true;
}

void ScanRunList(SectionScan& scan, platform::RootKey root) {
    std::unique_ptr<platform::RegKey> key = scan.Registry().open(root, kRunMruKey, false, false);
    if (!key) return;
    const std::string keyPath = FullKeyPath(root, kRunMruKey);
    for (const std::string& value : key->valueNames()) {
        if (!scan.Continue()) return;
        const std::optional<platform::RawValue> data = key->queryValue(value);
        if (!data || data->type != platform::kRegSz) continue;
        const std::string valueName = ValueNameText(value);
        if (scan.IsIgnored(keyPath, valueName)) return;
        AddRecentProblem(scan, root, kRunMruKey, keyPath, "RunMRU", valueName).ValueData = *StringData(data);
    }
}

}  // namespace

void ScanRecentFiles(SectionScan& scan, platform::RootKey root, std::string_view path) {
    if (ScanOpenSaveLists(scan, root, path)) ScanRunList(scan, root);
}

RepairOutcome RepairRecentFile(AppContext& ctx, const TContent& problem) {
    return RemoveValue(ctx.platform.registry(), problem.KeyPath, problem.ValueName);
}

}  // namespace trenmoor::registry_cleaner
