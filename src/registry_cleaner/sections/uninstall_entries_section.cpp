// Uninstall Entries: one subkey per installed program, its "UninstallString" the command that removes
// it. A command whose program file is gone makes the entry a problem; the repair removes that value.
#include "common/shared_helpers.h"
#include "registry_cleaner/sections/leftover_sections.h"
#include "registry_cleaner/sections/path_rules.h"

namespace trenmoor::registry_cleaner {
namespace {

constexpr std::string_view kUninstallString = "UninstallString";

// False when an ignore entry ends the section at this entry.
bool ExamineEntry(SectionScan& scan, platform::RegKey& uninstall, const std::string& entryPath,
                  const std::string& name) {
    std::unique_ptr<platform::RegKey> entry = uninstall.openSubkey(name, false, false);
    if (!entry) return true;
    if (scan.IsIgnored(entryPath, kUninstallString)) return false;
    const std::optional<std::string> command = StringData(entry->queryValue(kUninstallString));
    if (!command || command->empty()) return true;
    std::string u = *command;
    std::erase(u, '"');
    // Commands without a drive (MsiExec.exe /X{...}) are not examined.
    if (u.find(':') == std::string::npos || !PassesLocationRules(scan.ExcludedDrives(), u)) return true;
    if (scan.Files().fileExists(CutToFilePath(scan.Files(), u))) return true;

    TContent& problem = scan.AddProblem();
    problem.KeyPath = entryPath;
    problem.KeyName = name;
    problem.ValueName = kUninstallString;
    problem.ValueData = u;
    problem.Severity = SeverityForPath(u);
    problem.Description = BadPathDescription(u, entryPath);
    return true;
}

}  // namespace

void ScanUninstallEntries(SectionScan& scan, platform::RootKey root, std::string_view path) {
    scan.ClearContents();
    std::unique_ptr<platform::RegKey> key = scan.Registry().open(root, path, false, false);
    if (!key) return;
    const std::string keyPath = FullKeyPath(root, path);
    for (const std::string& name : key->subkeyNames()) {
        if (!scan.Continue()) return;
        scan.ShowEntry(name);
        scan.Tick();
        if (!ExamineEntry(scan, *key, keyPath + "\\" + name, name)) return;
    }
}

RepairOutcome RepairUninstallEntry(AppContext& ctx, const TContent& problem) {
    return RemoveValue(ctx.platform.registry(), problem.KeyPath, problem.ValueName);
}

}  // namespace trenmoor::registry_cleaner
