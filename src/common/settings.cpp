#include "common/settings.h"

#include "platform/registry_accessor.h"

namespace trenmoor {
namespace {

using platform::RegDataType;
using platform::TRegistry;

// Reads a Boolean or integer that exists; a value of another type counts as missing so the default
// replaces it (a hand-edited string must not stop the program from starting).
bool ReadIntegerValue(TRegistry& reg, const char* name, int32_t& out) {
    if (reg.GetDataType(name) != RegDataType::Integer) return false;
    try {
        out = reg.ReadInteger(name);
        return true;
    } catch (const platform::ERegistryException&) {
        return false;
    }
}

void LoadString(TRegistry& reg, const char* name, std::string_view def, std::string& field) {
    if (reg.ValueExists(name) && (reg.GetDataType(name) == RegDataType::String ||
                                  reg.GetDataType(name) == RegDataType::ExpandString)) {
        field = reg.ReadString(name);
        return;
    }
    field = std::string(def);
    (void)reg.WriteString(name, def);
}

void LoadBool(TRegistry& reg, const char* name, bool def, bool& field) {
    int32_t v = 0;
    if (ReadIntegerValue(reg, name, v)) {
        field = v != 0;
        return;
    }
    field = def;
    (void)reg.WriteBool(name, def);
}

void LoadInteger(TRegistry& reg, const char* name, int32_t def, int32_t& field) {
    if (ReadIntegerValue(reg, name, field)) return;
    field = def;
    (void)reg.WriteInteger(name, def);
}

}  // namespace

void LoadSettings(platform::Registry& registry, TMyRegistryInfo& info) {
    TRegistry reg(registry, platform::RootKey::CurrentUser);
    if (!reg.OpenKey(kSettingsKey, true)) {
        // Nothing can be read or written: run with the defaults.
        info = TMyRegistryInfo{
            std::string(kDefaultHomePage), std::string(kDefaultHelpURL), false, false, 0, true, true};
        return;
    }
    // Table order: every value is read when present, otherwise defaulted and written with its type.
    LoadString(reg, "HomePage", kDefaultHomePage, info.HomePage);
    LoadString(reg, "HelpURL", kDefaultHelpURL, info.HelpURL);
    LoadBool(reg, "NotAutoBackup", false, info.NotAutoBackup);
    LoadBool(reg, "OneTime", false, info.OneTime);
    LoadInteger(reg, "OneScheduleOfWeek", 0, info.OneScheduleOfWeek);
    LoadBool(reg, "SelectAll", true, info.SelectAll);
    LoadBool(reg, "CheckUpdate", true, info.CheckUpdate);
    // The installed version is written once and never updated: the update check compares against it.
    if (!reg.ValueExists("Version")) (void)reg.WriteString("Version", kProgramVersion);
}

void SaveOptions(platform::Registry& registry, TMyRegistryInfo& info, bool notAutoBackup, bool selectAll,
                 bool checkUpdate) {
    info.NotAutoBackup = notAutoBackup;
    info.SelectAll = selectAll;
    info.CheckUpdate = checkUpdate;
    TRegistry reg(registry, platform::RootKey::CurrentUser);
    if (!reg.OpenKey(kSettingsKey, true)) return;
    (void)reg.WriteBool("NotAutoBackup", notAutoBackup);
    (void)reg.WriteBool("SelectAll", selectAll);
    (void)reg.WriteBool("CheckUpdate", checkUpdate);
}

bool SaveOneScheduleOfWeek(platform::Registry& registry, TMyRegistryInfo& info) {
    info.OneScheduleOfWeek = 1;
    TRegistry reg(registry, platform::RootKey::CurrentUser);
    return reg.OpenKey(kSettingsKey, true) && reg.WriteInteger("OneScheduleOfWeek", 1);
}

bool ClearOneTime(platform::Registry& registry, TMyRegistryInfo& info) {
    info.OneTime = false;
    TRegistry reg(registry, platform::RootKey::CurrentUser);
    return reg.OpenKey(kSettingsKey, true) && reg.WriteBool("OneTime", false);
}

}  // namespace trenmoor
