#pragma once
// The repair of sections whose problem is a whole key under one root: the key path with every
// occurrence of the root's name removed, deleted with everything below it.
#include <string_view>

#include "registry_cleaner/sections/section_checker.h"

namespace trenmoor::registry_cleaner {

RepairOutcome RemoveKeyUnderRoot(platform::Registry& registry, platform::RootKey root,
                                 std::string_view keyPath);

}  // namespace trenmoor::registry_cleaner
