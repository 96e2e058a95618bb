#include "registry_cleaner/sections/key_name_set.h"

#include "platform/text_encoding.h"

namespace trenmoor::registry_cleaner {

KeyNameSet::KeyNameSet(const std::vector<std::string>& names) {
    upper_.reserve(names.size());
    for (const std::string& name : names) Add(name);
}

void KeyNameSet::Add(std::string_view name) {
    upper_.insert(platform::UpperUtf8(name));
}

bool KeyNameSet::Contains(std::string_view name) const {
    return upper_.contains(platform::UpperUtf8(name));
}

std::vector<std::string> SubkeyNamesOf(platform::Registry& registry, platform::RootKey root,
                                       std::string_view path) {
    std::unique_ptr<platform::RegKey> key = registry.open(root, path, false, false);
    return key ? key->subkeyNames() : std::vector<std::string>();
}

}  // namespace trenmoor::registry_cleaner
