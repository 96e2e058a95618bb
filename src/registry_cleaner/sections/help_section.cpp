// Help Section: the Help and Html Help keys register help files, each value named by the file and
// holding its folder. A help file that is not in its folder makes the value a problem.
#include <array>

#include "common/shared_helpers.h"
#include "registry_cleaner/sections/file_reference_sections.h"
#include "registry_cleaner/sections/path_rules.h"

namespace trenmoor::registry_cleaner {
namespace {

// The file-name part of a path (after the last "\" or ":").
std::string_view FileNamePart(std::string_view path) {
    const size_t cut = path.find_last_of("\\:");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

size_t TrimmedLength(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? 0 : text.find_last_not_of(' ') - first + 1;
}

void ExamineHelpKey(SectionScan& scan, platform::RegKey& key, const std::string& keyPath) {
    for (const std::string& name : key.valueNames()) {
        if (!scan.Continue()) return;
        // An ignored value ends this key; the next key is still examined.
        if (scan.IsIgnored(keyPath, name)) return;
        const std::optional<std::string> folder = StringData(key.queryValue(name));
        if (!folder) continue;
        const size_t at = TrimmedLength(*folder);
        const std::string fullPath =
            at > 0 && (*folder)[at - 1] == '\\' ? *folder + name : *folder + "\\" + name;
        if (fullPath.empty() || !PassesLocationRules(scan.ExcludedDrives(), fullPath)) continue;
        if (scan.Files().fileExists(fullPath)) continue;

        TContent& problem = scan.AddProblem();
        problem.KeyPath = keyPath;
        problem.KeyName = FileNamePart(fullPath);
        problem.ValueData = fullPath;
        problem.Severity = "Low";
        problem.Description = BadPathDescription(fullPath, keyPath);
    }
}

}  // namespace

void ScanHelpSection(SectionScan& scan, platform::RootKey root, std::string_view /*path*/) {
    for (const std::string_view helpKey : std::array{kHelpKey, kHtmlHelpKey}) {
        if (scan.Aborted()) return;
        std::unique_ptr<platform::RegKey> key = scan.Registry().open(root, helpKey, false, false);
        if (!key) continue;
        scan.ShowEntry(RootKeyName(root) + "\\");
        scan.Tick();
        ExamineHelpKey(scan, *key, FullKeyPath(root, helpKey));
    }
}

RepairOutcome RepairHelpEntry(AppContext& ctx, const TContent& problem) {
    // The value that registers the help file is named by the file; the key's other values stay.
    if (problem.KeyName.empty()) return {false, "the problem names no value"};
    return RemoveValue(ctx.platform.registry(), problem.KeyPath, problem.KeyName);
}

std::string HelpRepairName(const TContent& problem) {
    std::string name = problem.KeyPath;
    constexpr std::string_view kRoot = "HKEY_LOCAL_MACHINE";
    for (size_t at = name.find(kRoot); at != std::string::npos; at = name.find(kRoot, at))
        name.erase(at, kRoot.size());
    return name;
}

}  // namespace trenmoor::registry_cleaner
