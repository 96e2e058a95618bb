// File extensions: extension keys whose default value is empty text (default scan), and Open With lists
// in the user's Explorer settings naming programs that are registered nowhere (Open With walk). The
// repair removes the Open With entry, or the whole extension key.
#include "common/shared_helpers.h"
#include "registry_cleaner/sections/classes_root_sections.h"
#include "registry_cleaner/sections/key_name_set.h"
#include "registry_cleaner/sections/path_rules.h"

namespace trenmoor::registry_cleaner {
namespace {

// Subkey counts of the walk are shown only at every 200th key, so the display keeps up.
constexpr uint64_t kShowEveryNth = 200;

struct OpenWithWalk {
    SectionScan& scan;
    platform::RootKey root;
    KeyNameSet programs;  // HKEY_CLASSES_ROOT\Applications and App Paths subkey names
    uint64_t keysSeen = 0;
};

// The programs of one Open With list key (`path` below the root).
void ExamineOpenWithList(OpenWithWalk& walk, platform::RegKey& key, const std::string& path) {
    SectionScan& scan = walk.scan;
    const std::string keyPath = FullKeyPath(walk.root, path);
    for (const std::string& name : key.valueNames()) {
        if (!scan.Continue()) return;
        // The list's order, not a program.
        if (name == "MRUList") continue;
        const std::optional<platform::RawValue> value = key.queryValue(name);
        if (!value || value->type != platform::kRegSz) continue;
        const std::string program = *StringData(value);
        if (walk.programs.Contains(program)) continue;
        // The ignore list is asked with the word "value" for every entry of a list.
        if (scan.IsIgnored(keyPath, "value")) continue;
        TContent& problem = scan.AddProblem();
        problem.KeyPath = keyPath;
        problem.KeyName = ValueNameText(name);
        problem.ValueName = path;
        problem.ValueData = program;
        problem.Description = BadPathDescription(program, keyPath);
        problem.Severity = "Low";
    }
}

void WalkOpenWith(OpenWithWalk& walk, platform::RegKey& key, const std::string& path) {
    SectionScan& scan = walk.scan;
    for (const std::string& name : key.subkeyNames()) {
        if (!scan.Continue()) return;
        const std::string subPath = path.empty() ? name : path + "\\" + name;
        if (++walk.keysSeen % kShowEveryNth == 0) scan.ShowEntry(subPath);
        scan.Tick();
        // A link is neither examined nor entered, so a link loop cannot trap the walk.
        std::unique_ptr<platform::RegKey> child = key.openChildForWalk(name);
        if (!child) continue;
        if (subPath.find("OpenWithList") != std::string::npos) ExamineOpenWithList(walk, *child, subPath);
        WalkOpenWith(walk, *child, subPath);
    }
}

}  // namespace

void ScanExtensionDefaults(SectionScan& scan, platform::RootKey root, std::string_view path) {
    std::unique_ptr<platform::RegKey> top = scan.Registry().open(root, path, false, false);
    if (!top) return;
    std::vector<std::string> names = top->subkeyNames();
    std::vector<std::string> extensions;
    SplitClassesRootNames(names, extensions);
    for (const std::string& e : extensions) {
        if (!scan.Continue()) return;
        scan.ShowEntry(e);
        scan.Tick();
        std::unique_ptr<platform::RegKey> key = top->openSubkey(e, false, false);
        if (!key) continue;
        const std::optional<std::string> text = StringData(key->queryValue(""));
        if (!text || !text->empty()) continue;
        const std::string keyPath = FullKeyPath(root, e);
        if (scan.IsIgnored(keyPath, "default")) continue;
        TContent& problem = scan.AddProblem();
        problem.KeyPath = keyPath;
        problem.KeyName = e;
        problem.ValueName = "default";
        problem.Description = "The Key default under " + keyPath + " contains a bad path for the value";
        problem.Severity = "Low";
    }
}

void ScanOpenWithLists(SectionScan& scan, platform::RootKey root, std::string_view path) {
    platform::Registry& registry = scan.Registry();
    std::unique_ptr<platform::RegKey> key = registry.open(root, path, false, false);
    if (!key) return;
    OpenWithWalk walk{scan, root, {}, 0};
    for (const std::string& name : SubkeyNamesOf(registry, platform::RootKey::ClassesRoot, "Applications"))
        walk.programs.Add(name);
    for (const std::string& name : SubkeyNamesOf(registry, platform::RootKey::LocalMachine,
                                                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths"))
        walk.programs.Add(name);
    WalkOpenWith(walk, *key, std::string(path));
}

RepairOutcome RepairExtension(AppContext& ctx, const TContent& problem) {
    platform::Registry& registry = ctx.platform.registry();
    if (problem.KeyPath.find("HKEY_CURRENT_USER") != std::string::npos)
        return RemoveValue(registry, problem.KeyPath, problem.KeyName);
    return RemoveKey(registry, platform::RootKey::ClassesRoot,
                     WithoutText(problem.KeyPath, "HKEY_CLASSES_ROOT"));
}

}  // namespace trenmoor::registry_cleaner
