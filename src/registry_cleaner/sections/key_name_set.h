#pragma once
// A set of registry key or value names that answers membership as Windows compares names: with case
// ignored. Built once per scan from an enumeration, so lookups over whole hives stay cheap.
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/registry.h"

namespace trenmoor::registry_cleaner {

class KeyNameSet {
  public:
    KeyNameSet() = default;
    explicit KeyNameSet(const std::vector<std::string>& names);

    void Add(std::string_view name);
    bool Contains(std::string_view name) const;
    bool Empty() const { return upper_.empty(); }

  private:
    std::unordered_set<std::string> upper_;
};

// The subkey names of a key (nothing when it cannot be opened).
std::vector<std::string> SubkeyNamesOf(platform::Registry& registry, platform::RootKey root,
                                       std::string_view path);

}  // namespace trenmoor::registry_cleaner
