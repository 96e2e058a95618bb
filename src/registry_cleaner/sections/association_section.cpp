// Invalid file associations: extension keys whose default value names a program class that is
// registered nowhere (target scan), and extension keys of a broken shape (structure scan). The repair
// removes the default value, or the whole extension key for a broken shape.
#include "common/shared_helpers.h"
#include "registry_cleaner/sections/classes_root_sections.h"
#include "registry_cleaner/sections/key_name_set.h"
#include "registry_cleaner/sections/path_rules.h"

namespace trenmoor::registry_cleaner {
namespace {

// What the target scan knows besides the root's own keys: the user's FileExts subkeys and the class
// names listed in any of their OpenWithProgids keys.
struct UserExtensions {
    KeyNameSet extensions;
    KeyNameSet openWithProgIds;
};

UserExtensions ReadUserExtensions(platform::Registry& registry) {
    UserExtensions user;
    std::unique_ptr<platform::RegKey> fileExts =
        registry.open(platform::RootKey::CurrentUser, kFileExtsKey, false, false);
    if (!fileExts) return user;
    for (const std::string& x : fileExts->subkeyNames()) {
        user.extensions.Add(x);
        if (std::unique_ptr<platform::RegKey> progIds =
                fileExts->openSubkey(x + "\\OpenWithProgids", false, false)) {
            for (const std::string& value : progIds->valueNames()) user.openWithProgIds.Add(value);
        }
    }
    return user;
}

// The extension's class is registered: a key of the root (any top-level name, case ignored: a class
// named like "CompressedFolder" exists as much as any other, so the names split off as non-classes
// count here too); or, as the user's Explorer settings know it, a FileExts key of the extension or an
// OpenWithProgids entry naming the class.
bool IsKnownClass(const KeyNameSet& rootNames, const UserExtensions& user, std::string_view extension,
                  std::string_view className) {
    if (rootNames.Contains(className)) return true;
    if (user.extensions.Empty()) return false;
    return user.extensions.Contains(extension) || user.openWithProgIds.Contains(className);
}

// The facts of an extension key the structure tests look at.
struct ExtensionShape {
    std::vector<std::string> subkeys;
    size_t valueCount = 0;
    bool hasNonEmptyText = false;  // a plain text value with non-empty data
    std::string defaultText;       // the default value as text ("" when missing or not text)
};

std::optional<ExtensionShape> ReadShape(platform::RegKey& root, const std::string& name) {
    std::unique_ptr<platform::RegKey> key = root.openSubkey(name, false, false);
    if (!key) return std::nullopt;
    ExtensionShape shape;
    shape.subkeys = key->subkeyNames();
    const std::vector<std::string> values = key->valueNames();
    shape.valueCount = values.size();
    for (const std::string& value : values) {
        const std::optional<platform::RawValue> data = key->queryValue(value);
        if (data && data->type == platform::kRegSz && !StringData(data)->empty())
            shape.hasNonEmptyText = true;
    }
    shape.defaultText = StringData(key->queryValue("")).value_or(std::string());
    return shape;
}

// True when the root has a key of that name (a key that exists but cannot be opened counts too).
bool RootHasKey(platform::Registry& registry, platform::RootKey root, const KeyNameSet& rootNames,
                const std::string& name) {
    return rootNames.Contains(name) || registry.open(root, name, false, false) != nullptr;
}

bool IsBrokenShape(platform::Registry& registry, platform::RootKey root, const KeyNameSet& rootNames,
                   const ExtensionShape& n) {
    int openWith = 0;
    for (const std::string& subkey : n.subkeys) {
        if (subkey == "OpenWithList" || subkey == "OpenWithProgIds") ++openWith;
        if (subkey == "PersistentHandler") --openWith;
    }
    // Only Open With lists and no text anywhere.
    if (openWith == 2 && !n.hasNonEmptyText) return true;
    const bool namesClass = !n.defaultText.empty();
    const bool classMissing = namesClass && !RootHasKey(registry, root, rootNames, n.defaultText);
    // A lone default value naming a class that is not there.
    if (n.subkeys.empty() && n.valueCount == 1 && classMissing) return true;
    if (n.valueCount == 1 && classMissing && !n.subkeys.empty() && n.defaultText == n.subkeys.front())
        return true;
    // Subkeys under a default value naming a class that is not there.
    if (classMissing && !n.subkeys.empty()) return true;
    // Nothing in it: no subkeys and no non-empty text value.
    return n.subkeys.empty() && !n.hasNonEmptyText;
}

}  // namespace

void ScanAssociationTargets(SectionScan& scan, platform::RootKey root, std::string_view path) {
    scan.ClearContents();
    platform::Registry& registry = scan.Registry();
    std::unique_ptr<platform::RegKey> top = registry.open(root, path, false, false);
    if (!top) return;
    std::vector<std::string> names = top->subkeyNames();
    const KeyNameSet rootNames(names);
    std::vector<std::string> extensions;
    SplitClassesRootNames(names, extensions);
    const UserExtensions user = ReadUserExtensions(registry);

    for (const std::string& e : extensions) {
        if (!scan.Continue()) return;
        scan.ShowEntry(e);
        scan.Tick();
        std::unique_ptr<platform::RegKey> key = top->openSubkey(e, false, false);
        if (!key) continue;
        const std::optional<std::string> className = StringData(key->queryValue(""));
        if (!className || className->empty() || className->find('\\') != std::string::npos ||
            !IsOnIncludedDrive(scan.ExcludedDrives(), *className))
            continue;
        if (IsKnownClass(rootNames, user, e, *className)) continue;
        const std::string keyPath = FullKeyPath(root, e);
        if (scan.IsIgnored(keyPath, "default")) continue;
        TContent& problem = scan.AddProblem();
        problem.KeyPath = keyPath;
        problem.KeyName = e;
        problem.ValueName = "default";
        problem.ValueData = *className;
        problem.Description = BadPathDescription(*className, keyPath);
        problem.Severity = "High";
    }
}

void ScanAssociationStructure(SectionScan& scan, platform::RootKey root, std::string_view path) {
    platform::Registry& registry = scan.Registry();
    std::unique_ptr<platform::RegKey> top = registry.open(root, path, false, false);
    if (!top) return;
    const std::vector<std::string> names = top->subkeyNames();
    const KeyNameSet rootNames(names);
    for (const std::string& n : names) {
        if (!scan.Continue()) return;
        scan.ShowEntry(n);
        if (!n.starts_with('.')) continue;
        // A key that cannot be read is not examined: nothing shows it is broken.
        const std::optional<ExtensionShape> shape = ReadShape(*top, n);
        if (!shape || !IsBrokenShape(registry, root, rootNames, *shape)) continue;
        const std::string keyPath = FullKeyPath(root, n);
        // An ignored extension ends the structure scan.
        if (scan.IsIgnored(keyPath, "default")) return;
        TContent& problem = scan.AddProblem();
        problem.KeyPath = keyPath;
        problem.KeyName = "\\" + n;
        problem.ValueName = "default";
        problem.Action = "delkey";
        problem.Title = "The Application ID is not valid.(does not exist)";
        problem.Description = "The Key default under " + keyPath + " is an invalid entry";
        problem.Severity = "High";
    }
}

RepairOutcome RepairAssociation(AppContext& ctx, const TContent& problem) {
    platform::Registry& registry = ctx.platform.registry();
    if (problem.Action == "delkey")
        return RemoveKey(registry, platform::RootKey::ClassesRoot, problem.KeyName);
    return RemoveValue(registry, problem.KeyPath, problem.ValueName);
}

}  // namespace trenmoor::registry_cleaner
