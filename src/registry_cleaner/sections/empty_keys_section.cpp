// Empty Registry Keys: a walk of the users' hives for keys without subkeys and without values. The walk
// holds one open key per level and never follows a registry link, so a link loop cannot trap it and a
// link cannot lead it into another tree; the shared default profile is never entered.
#include <array>

#include "platform/text_encoding.h"
#include "registry_cleaner/sections/absolute_key_repair.h"
#include "registry_cleaner/sections/leftover_sections.h"

namespace trenmoor::registry_cleaner {
namespace {

constexpr std::string_view kDefaultProfile = ".DEFAULT";
// The classes keys of the two service accounts are empty by design.
constexpr std::array<std::string_view, 4> kLeafSkips = {"S-1-5-20\\Software\\Classes", "S-1-5-19_Classes",
                                                        "S-1-5-19\\Software\\Classes", "S-1-5-20_Classes"};

bool IsLeafSkipped(std::string_view path) {
    for (const std::string_view skip : kLeafSkips)
        if (path == skip) return true;
    return platform::UpperUtf8(path).find("MIME") != std::string::npos;
}

class EmptyKeyWalk {
  public:
    EmptyKeyWalk(SectionScan& scan, platform::RootKey root) : scan_(scan), root_(root) {}

    void Walk(platform::RegKey& key, const std::string& path) {
        const std::vector<std::string> names = key.subkeyNames();
        // The root itself is never a problem: its path would name the whole hive.
        if (names.empty() && !path.empty()) {
            LeafCheck(key, path);
            return;
        }
        for (const std::string& name : names) {
            if (scan_.Aborted()) return;
            const std::string childPath = path.empty() ? name : path + "\\" + name;
            scan_.ShowEntry(childPath);
            scan_.Tick();
            // Key names are compared as the registry compares them: Wine spells it ".Default".
            if (!platform::EqualsNoCase(childPath, kDefaultProfile)) {
                if (std::unique_ptr<platform::RegKey> child = key.openChildForWalk(name))
                    Walk(*child, childPath);
            }
            scan_.Pump();
        }
    }

  private:
    void LeafCheck(platform::RegKey& key, const std::string& path) {
        if (IsLeafSkipped(path)) return;
        // Any value, an empty default value included, makes the key not empty.
        if (!key.valueNames().empty()) return;
        const std::string keyPath = FullKeyPath(root_, path);
        if (scan_.IsIgnored(keyPath, "default")) return;

        TContent& problem = scan_.AddProblem();
        problem.KeyPath = keyPath;
        problem.KeyName = path;
        problem.ValueName = "default";
        problem.Title = "Empty Key: " + keyPath;
        problem.Severity = "Low";
        problem.Description = "The Key default under " + keyPath + " is Empty";
    }

    SectionScan& scan_;
    platform::RootKey root_;
};

}  // namespace

void ScanEmptyKeys(SectionScan& scan, platform::RootKey root, std::string_view path) {
    std::unique_ptr<platform::RegKey> key = scan.Registry().open(root, path, false, false);
    if (!key) return;
    EmptyKeyWalk(scan, root).Walk(*key, std::string(path));
}

RepairOutcome RepairEmptyKey(AppContext& ctx, const TContent& problem) {
    return RemoveKeyUnderRoot(ctx.platform.registry(), platform::RootKey::Users, problem.KeyPath);
}

}  // namespace trenmoor::registry_cleaner
