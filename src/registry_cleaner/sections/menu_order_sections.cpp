// Startup Programs and Start Menu Items: the Explorer's menu-order lists. Startup Programs reports a
// remembered program group whose folder exists in none of the program folders; Start Menu Items lists
// every entry of the start-menu order list, as the section always has.
#include "common/shared_helpers.h"
#include "registry_cleaner/sections/absolute_key_repair.h"
#include "registry_cleaner/sections/leftover_sections.h"
#include "registry_cleaner/sections/path_rules.h"

namespace trenmoor::registry_cleaner {
namespace {

constexpr std::string_view kAllUsersProfile = "Documents and Settings\\All Users";
constexpr std::string_view kUserProfileVariable = "%USERPROFILE%";
constexpr std::string_view kCommonShellFoldersKey =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string UnderCurrentUser(std::string_view key) {
    return FullKeyPath(platform::RootKey::CurrentUser, key);
}

// The folders a program group may live in, each with a trailing backslash: the all-users programs
// folder as the menu-order lists knew it (the user's folder setting with the profile swapped for the
// all-users profile), the user's own programs folder, and the machine's common programs folder as the
// system reports it (the all-users profile has moved on newer systems). A setting that is missing gives
// no folder.
std::vector<std::string> ProgramFolders(SectionScan& scan) {
    platform::Registry& registry = scan.Registry();
    std::vector<std::string> folders;
    std::string allUsers = ReadStringByPath(registry, UnderCurrentUser(kUserShellFoldersKey), "Programs");
    if (!allUsers.empty()) {
        const std::string profile =
            scan.Files().systemDirectory().substr(0, 3) + std::string(kAllUsersProfile);
        for (size_t at = allUsers.find(kUserProfileVariable); at != std::string::npos;
             at = allUsers.find(kUserProfileVariable, at + profile.size()))
            allUsers.replace(at, kUserProfileVariable.size(), profile);
        folders.push_back(allUsers + "\\");
    }
    for (const std::string& folder :
         {ReadStringByPath(registry, UnderCurrentUser(kShellFoldersKey), "Programs"),
          ReadStringByPath(registry, kCommonShellFoldersKey, "Common Programs")}) {
        if (!folder.empty()) folders.push_back(folder + "\\");
    }
    return folders;
}

// The start-menu order list below the menu-order key: the first subkey whose name holds "Start Menu",
// then its "Programs"; the key itself when there is none.
std::string ProgramsOrderKey(SectionScan& scan, platform::RootKey root, std::string_view path) {
    std::string programs(path);
    if (std::unique_ptr<platform::RegKey> key = scan.Registry().open(root, path, false, false)) {
        for (const std::string& name : key->subkeyNames()) {
            if (name.find("Start Menu") != std::string::npos) {
                programs += "\\" + name + "\\Programs";
                break;
            }
        }
    }
    return programs;
}

TContent& AddStartMenuProblem(SectionScan& scan, const std::string& subkeyPath, const std::string& subkey,
                              std::string_view valueName) {
    TContent& problem = scan.AddProblem();
    problem.KeyPath = subkeyPath;
    problem.KeyName = subkey;
    problem.ValueName = valueName;
    problem.Severity = "High";
    problem.Description = BadPathDescription("default", subkeyPath);
    return problem;
}

}  // namespace

void ScanStartupPrograms(SectionScan& scan, platform::RootKey root, std::string_view path) {
    const std::string programsKey = ProgramsOrderKey(scan, root, path);
    std::vector<std::string> entries;
    if (std::unique_ptr<platform::RegKey> key = scan.Registry().open(root, programsKey, false, false))
        entries = key->subkeyNames();
    if (entries.empty()) return;
    const std::vector<std::string> folders = ProgramFolders(scan);
    // Without any known programs folder nothing can be judged missing.
    if (folders.empty()) return;
    const std::string keyPath = FullKeyPath(root, programsKey);
    for (const std::string& entry : entries) {
        if (!scan.Continue()) return;
        if (scan.IsIgnored(keyPath, entry)) return;
        bool judged = true;
        bool present = false;
        for (const std::string& folder : folders) {
            judged = judged && PassesLocationRules(scan.ExcludedDrives(), folder);
            present = present || scan.Files().directoryExists(folder + entry);
        }
        if (!judged || present) continue;

        TContent& problem = scan.AddProblem();
        problem.KeyPath = keyPath + "\\" + entry;
        problem.KeyName = entry;
        problem.ValueName = entry;
        problem.Title = "The key does not exist at the specified location";
        problem.Severity = "High";
        problem.Description = "The Key " + entry + " under " + problem.KeyPath + " is Missing";
        scan.Tick();
    }
}

RepairOutcome RepairStartupProgram(AppContext& ctx, const TContent& problem) {
    return RemoveKeyUnderRoot(ctx.platform.registry(), platform::RootKey::CurrentUser, problem.KeyPath);
}

void ScanStartMenuItems(SectionScan& scan, platform::RootKey root, std::string_view path) {
    std::unique_ptr<platform::RegKey> key = scan.Registry().open(root, path, false, false);
    if (!key) return;
    const std::string keyPath = FullKeyPath(root, path);
    const std::vector<std::string> subkeys = key->subkeyNames();
    // First every subkey as a key entry, then two value entries for each of its values.
    for (const std::string& subkey : subkeys) {
        if (!scan.Continue()) return;
        const std::string subkeyPath = keyPath + "\\" + subkey;
        if (scan.IsIgnored(subkeyPath, "default")) return;
        AddStartMenuProblem(scan, subkeyPath, subkey, "default").ValueData = "key";
        scan.Tick();
    }
    for (const std::string& subkey : subkeys) {
        if (!scan.Continue()) return;
        std::unique_ptr<platform::RegKey> entry = key->openSubkey(subkey, false, false);
        if (!entry) continue;
        const std::string subkeyPath = keyPath + "\\" + subkey;
        for (const std::string& value : entry->valueNames()) {
            if (scan.IsIgnored(subkeyPath, "default")) return;
            AddStartMenuProblem(scan, subkeyPath, subkey, "default");
            const std::string valueName = ValueNameText(value);
            if (scan.IsIgnored(subkeyPath, valueName)) return;
            AddStartMenuProblem(scan, subkeyPath, subkey, valueName);
            scan.Tick();
        }
    }
}

RepairOutcome RepairStartMenuItem(AppContext& ctx, const TContent& problem) {
    platform::Registry& registry = ctx.platform.registry();
    if (problem.ValueData == "key")
        return RemoveKeyUnderRoot(registry, platform::RootKey::CurrentUser, problem.KeyPath);
    // A value entry goes with its key entry; on its own it removes nothing.
    const size_t slash = problem.KeyPath.find('\\');
    const std::optional<platform::RootKey> root = RootKeyFromName(problem.KeyPath.substr(0, slash));
    if (!root || slash == std::string::npos) return {false, "the key path has no known root"};
    if (!registry.open(*root, problem.KeyPath.substr(slash + 1), false, false)) return {true, {}, {}};
    return {true, {}, std::string(kStartMenuValueLeftNote)};
}

}  // namespace trenmoor::registry_cleaner
