#include "registry_cleaner/sections/absolute_key_repair.h"

#include <string>

#include "common/shared_helpers.h"

namespace trenmoor::registry_cleaner {

RepairOutcome RemoveKeyUnderRoot(platform::Registry& registry, platform::RootKey root,
                                 std::string_view keyPath) {
    std::string subkey(keyPath);
    const std::string rootName = RootKeyName(root);
    for (size_t at = subkey.find(rootName); at != std::string::npos; at = subkey.find(rootName, at))
        subkey.erase(at, rootName.size());
    return RemoveKey(registry, root, subkey);
}

}  // namespace trenmoor::registry_cleaner
