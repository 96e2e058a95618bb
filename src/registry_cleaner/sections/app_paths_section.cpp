// Application Paths: one subkey per program, its default value naming the program file (alone, with
// the folder in "Path", or with %ProgramFiles% / %SystemRoot%). A program file that is gone makes the
// subkey a problem; the repair removes the whole subkey.
#include "common/shared_helpers.h"
#include "registry_cleaner/sections/file_reference_sections.h"
#include "registry_cleaner/sections/path_rules.h"

namespace trenmoor::registry_cleaner {
namespace {

void EraseAll(std::string& text, std::string_view what) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at))
        text.erase(at, what.size());
}

void ReplaceAll(std::string& text, std::string_view what, std::string_view with) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
    }
}

// The program file named by the default value `d` and the "Path" value `p`.
std::string ResolveProgramFile(SectionScan& scan, std::string d, const std::string& p) {
    if (d.find('\\') == std::string::npos) return !p.empty() && p.back() == '\\' ? p + d : p + "\\" + d;
    if (d.find("%ProgramFiles%") != std::string::npos) {
        EraseAll(d, "\"");
        ReplaceAll(d, "%ProgramFiles%", ProgramFilesDir(scan.Registry()));
        return d;
    }
    if (d.find("%SystemRoot%") != std::string::npos) {
        EraseAll(d, "%SystemRoot%\\");
        return GuessWindowsDir(scan.Files()) + d;
    }
    EraseAll(d, "\"");
    return d;
}

void ExamineProgram(SectionScan& scan, platform::RegKey& appPaths, const std::string& subkeyPath,
                    const std::string& subkeyName) {
    std::unique_ptr<platform::RegKey> program = appPaths.openSubkey(subkeyName, false, false);
    if (!program) return;
    // Only a plain text default value is examined (expandable text is left alone).
    const std::optional<platform::RawValue> defaultValue = program->queryValue("");
    if (!defaultValue || defaultValue->type != platform::kRegSz) return;
    const std::string d = *StringData(defaultValue);
    const std::string_view severity = SeverityForPath(d);
    if (!PassesLocationRules(scan.ExcludedDrives(), d) || !HasNameAndExtension(d)) return;
    const std::string p = StringData(program->queryValue("Path")).value_or(std::string());

    const std::string file = ResolveProgramFile(scan, d, p);
    if (file.size() == 1 || scan.Files().fileExists(file)) return;
    if (scan.IsIgnored(subkeyPath, "Path")) return;

    TContent& problem = scan.AddProblem();
    problem.KeyPath = subkeyPath;
    problem.KeyName = subkeyName;
    problem.ValueName = "Path";
    problem.ValueData = file;
    problem.Severity = severity;
    problem.Description = BadPathDescription(file, subkeyPath);
}

}  // namespace

void ScanAppPaths(SectionScan& scan, platform::RootKey root, std::string_view path) {
    std::unique_ptr<platform::RegKey> key = scan.Registry().open(root, path, false, false);
    if (!key) return;
    const std::string keyPath = FullKeyPath(root, path);
    for (const std::string& name : key->subkeyNames()) {
        if (scan.Aborted()) return;
        const std::string subkeyPath = keyPath + "\\" + name;
        scan.ShowEntry(subkeyPath);
        scan.Tick();
        ExamineProgram(scan, *key, subkeyPath, name);
        scan.Pump();
    }
}

RepairOutcome RepairAppPath(AppContext& ctx, const TContent& problem) {
    std::string subkey = problem.KeyPath;
    EraseAll(subkey, "HKEY_LOCAL_MACHINE");
    return RemoveKey(ctx.platform.registry(), platform::RootKey::LocalMachine, subkey);
}

}  // namespace trenmoor::registry_cleaner
