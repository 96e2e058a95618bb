#include "registry_cleaner/sections/section_checker.h"

#include "common/shared_helpers.h"
#include "platform/text_encoding.h"

namespace trenmoor::registry_cleaner {
namespace {

struct SplitKey {
    std::optional<platform::RootKey> root;
    std::string_view subkey;
};

SplitKey Split(std::string_view fullKeyPath) {
    const size_t slash = fullKeyPath.find('\\');
    return {RootKeyFromName(fullKeyPath.substr(0, slash)),
            slash == std::string_view::npos ? std::string_view() : fullKeyPath.substr(slash + 1)};
}

// True when the key exists, also when it cannot be opened (its parent still lists it).
bool KeyPresent(platform::Registry& registry, platform::RootKey root, std::string_view subkey) {
    if (registry.open(root, subkey, false, false)) return true;
    const size_t cut = subkey.find_last_of('\\');
    const std::string_view parentPath =
        cut == std::string_view::npos ? std::string_view() : subkey.substr(0, cut);
    const std::string_view leaf = cut == std::string_view::npos ? subkey : subkey.substr(cut + 1);
    std::unique_ptr<platform::RegKey> parent = registry.open(root, parentPath, false, false);
    if (!parent) return parentPath.empty() ? false : KeyPresent(registry, root, parentPath);
    for (const std::string& name : parent->subkeyNames()) {
        if (platform::EqualsNoCase(name, leaf)) return true;
    }
    return false;
}

}  // namespace

std::string RepairStatusText(const RepairOutcome& outcome) {
    if (!outcome.ok) return "Error: " + outcome.reason;
    return outcome.note.empty() ? std::string(kRepairedSuccessfully) : outcome.note;
}

RepairOutcome RemoveValue(platform::Registry& registry, std::string_view fullKeyPath,
                          std::string_view valueName) {
    if (DeleteValueByPath(registry, fullKeyPath, valueName)) return {true, {}};
    // What counts is the state afterwards: a value (or key) that was already gone is repaired too.
    const SplitKey path = Split(fullKeyPath);
    if (!path.root) return {false, "the key path has no known root"};
    if (std::unique_ptr<platform::RegKey> key = registry.open(*path.root, path.subkey, false, false)) {
        if (!key->queryValue(valueName == "default" ? std::string_view() : valueName)) return {true, {}};
        return {false, "the value could not be deleted"};
    }
    if (!KeyPresent(registry, *path.root, path.subkey)) return {true, {}};
    return {false, "the key could not be opened"};
}

RepairOutcome RemoveKey(platform::Registry& registry, platform::RootKey root,
                        std::string_view absoluteSubkey) {
    std::string_view subkey = absoluteSubkey;
    while (subkey.starts_with('\\')) subkey.remove_prefix(1);
    // An empty path would name the whole root: never a repair target.
    if (subkey.empty()) return {false, "the key path is empty"};
    (void)DeleteKeyAbsolute(registry, root, absoluteSubkey);
    if (!KeyPresent(registry, root, subkey)) return {true, {}};
    return {false, "the key could not be deleted"};
}

std::string BadPathDescription(std::string_view what, std::string_view keyPath) {
    std::string text = "The Key ";
    text += what;
    text += " under ";
    text += keyPath;
    text += " contains a bad path for the value";
    return text;
}

std::string FullKeyPath(platform::RootKey root, std::string_view path) {
    std::string text = RootKeyName(root);
    if (!path.empty()) {
        text += '\\';
        text += path;
    }
    return text;
}

std::string ValueNameText(std::string_view name) {
    return name.empty() ? std::string("default") : std::string(name);
}

std::optional<std::string> StringData(const std::optional<platform::RawValue>& value) {
    if (!value || (value->type != platform::kRegSz && value->type != platform::kRegExpandSz))
        return std::nullopt;
    return platform::RegBytesToUtf8(value->data);
}

}  // namespace trenmoor::registry_cleaner
