// ActiveX, OLE/COM entries: help-folder and server keys whose default value is empty, and classes whose
// TypeLib names a type library that is not registered. The repair removes the key concerned.
#include <array>

#include "common/shared_helpers.h"
#include "registry_cleaner/sections/classes_root_sections.h"
#include "registry_cleaner/sections/key_name_set.h"

namespace trenmoor::registry_cleaner {
namespace {

constexpr std::array<std::string_view, 3> kServerKeyNames = {"InprocServer", "LocalServer32",
                                                             "InprocServer32"};

bool IsServerKeyName(std::string_view name) {
    for (const std::string_view server : kServerKeyNames) {
        if (name == server) return true;
    }
    return false;
}

// True when the key's default value is plain text (REG_SZ) and empty. A missing default value, or one
// of another type, is no problem.
bool HasEmptyTextDefault(platform::RegKey& key) {
    const std::optional<platform::RawValue> value = key.queryValue("");
    return value && value->type == platform::kRegSz && StringData(value)->empty();
}

// The help-folder or server-key check of the key at `path` (relative to the root), opened as `key`.
void CheckEmptyKey(SectionScan& scan, platform::RootKey root, platform::RegKey& key, const std::string& path,
                   std::string_view name) {
    if (!HasEmptyTextDefault(key)) return;
    const std::string keyPath = FullKeyPath(root, path);
    if (scan.IsIgnored(keyPath, "default")) return;
    const bool helpFolder = name == "HELPDIR";
    TContent& problem = scan.AddProblem();
    problem.KeyPath = keyPath;
    problem.KeyName = name;
    problem.ValueName = "default";
    problem.ValueData = helpFolder ? path : std::string();
    problem.Title = "Empty Key: " + keyPath;
    problem.Description =
        "The Key " + std::string(helpFolder ? "HELPDIR" : "default") + " under " + keyPath + " is Empty";
    problem.Severity = helpFolder ? "High" : "";
}

// One level of the walk: every subkey of `key` (at `path`), entered again only when `recurse`.
void WalkEmptyKeys(SectionScan& scan, platform::RootKey root, platform::RegKey& key, const std::string& path,
                   bool recurse) {
    for (const std::string& name : key.subkeyNames()) {
        if (!scan.Continue()) return;
        // Application ids hold no COM server registrations of their own: never shown nor entered.
        if (name == "AppID") continue;
        const std::string subPath = path.empty() ? name : path + "\\" + name;
        scan.ShowEntry(subPath);
        scan.Tick();
        const bool checked = name == "HELPDIR" || IsServerKeyName(name);
        if (!checked && !recurse) continue;
        // A link is neither examined nor entered, so a link loop cannot trap the walk.
        std::unique_ptr<platform::RegKey> child = key.openChildForWalk(name);
        if (!child) continue;
        if (checked) CheckEmptyKey(scan, root, *child, subPath, name);
        if (recurse) WalkEmptyKeys(scan, root, *child, subPath, recurse);
    }
}

}  // namespace

void ScanActiveXEmptyKeys(SectionScan& scan, platform::RootKey root, std::string_view path) {
    std::unique_ptr<platform::RegKey> key = scan.Registry().open(root, path, false, false);
    if (!key) return;
    // From Windows version 6 on only the top-level keys are looked at.
    const bool recurse = scan.Context().platform.system().osVersion().major < 6;
    WalkEmptyKeys(scan, root, *key, std::string(path), recurse);
}

void ScanActiveXTypeLibraries(SectionScan& scan, platform::RootKey root, std::string_view /*path*/) {
    platform::Registry& registry = scan.Registry();
    std::unique_ptr<platform::RegKey> classes = registry.open(root, "CLSID", false, false);
    if (!classes) return;
    // Without a TypeLib key no class can be judged.
    std::unique_ptr<platform::RegKey> typeLibs = registry.open(root, "TypeLib", false, false);
    const KeyNameSet registered(typeLibs ? typeLibs->subkeyNames() : std::vector<std::string>());
    for (const std::string& id : classes->subkeyNames()) {
        if (!scan.Continue()) return;
        const std::string path = "CLSID\\" + id + "\\TypeLib";
        scan.ShowEntry(path);
        scan.Tick();
        if (!typeLibs) continue;
        std::unique_ptr<platform::RegKey> typeLib = classes->openSubkey(id + "\\TypeLib", false, false);
        if (!typeLib) continue;
        const std::optional<platform::RawValue> value = typeLib->queryValue("");
        if (!value || value->type != platform::kRegSz) continue;
        const std::string libraryId = *StringData(value);
        if (libraryId.empty() || registered.Contains(libraryId)) continue;
        const std::string keyPath = FullKeyPath(root, path);
        // An ignored class ends the whole type-library scan.
        if (scan.IsIgnored(keyPath, "default")) return;
        TContent& problem = scan.AddProblem();
        problem.KeyPath = keyPath;
        problem.KeyName = "TypeLib";
        problem.ValueName = "default";
        problem.ValueData = libraryId;
        problem.Description = "The Key default under " + keyPath + " contains a bad path for the value";
        problem.Severity = "Normal";
    }
}

RepairOutcome RepairActiveXEntry(AppContext& ctx, const TContent& problem) {
    return RemoveKey(ctx.platform.registry(), platform::RootKey::ClassesRoot, ActiveXRepairName(problem));
}

std::string ActiveXRepairName(const TContent& problem) {
    return WithoutText(problem.KeyPath, "HKEY_CLASSES_ROOT");
}

}  // namespace trenmoor::registry_cleaner
