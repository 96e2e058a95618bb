#pragma once
// What the repair of a problem removes from the registry, per section: a value, a whole key, or
// nothing in the registry. The repair backup saves exactly that, so a restore gives it all back.
#include <string>

#include "registry_cleaner/registry_contents.h"

namespace trenmoor::registry_cleaner {

struct RepairTarget {
    enum class Kind { None, Value, Key };
    Kind kind = Kind::None;
    std::string keyPath;    // full path, root name first
    std::string valueName;  // Kind::Value only; "" is the unnamed default value
};

// How each section's repair acts (index = section number 1..17).
enum class RepairRule {
    None,            // nothing in the registry (the All Problems row; shortcut files)
    Value,           // the value `ValueName` of `KeyPath`
    DefaultValue,    // the unnamed value of `KeyPath`
    ValueInKeyName,  // the value named by `KeyName` in `KeyPath`
    WholeKey,        // `KeyPath` with everything below it
    Extensions,      // file extensions: Open With entries (value `KeyName`) or the whole extension key
    Associations,    // file associations: the whole key when `Action` is "delkey", else the default value
    StartMenu,       // start menu items: the whole key for the key entry, nothing for value entries
};

RepairRule RepairRuleOfSection(int section);
RepairTarget RepairTargetFor(int section, const TContent& problem);

}  // namespace trenmoor::registry_cleaner
