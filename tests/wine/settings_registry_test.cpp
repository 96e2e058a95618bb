// Settings against the real registry of this machine: the values land in HKEY_CURRENT_USER\Software\Trenmoor
// with the types the program promises. Whatever settings were there before are put back afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/settings.h"
#include "platform/registry_accessor.h"
#include "platform/win32/win32_platform.h"

namespace trenmoor {
namespace {

constexpr wchar_t kKey[] = L"Software\\Trenmoor";

struct SavedValue {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
};

// Keeps the settings of whoever runs the tests: the values are read before and written back after.
class SettingsKeyGuard {
  public:
    SettingsKeyGuard() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
        existed_ = true;
        for (DWORD i = 0;; ++i) {
            wchar_t name[16384];
            DWORD nameLen = 16384, type = 0, size = 0;
            if (RegEnumValueW(key, i, name, &nameLen, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
            SavedValue v{std::wstring(name, nameLen), type, std::vector<BYTE>(size)};
            DWORD got = size;
            RegQueryValueExW(key, v.name.c_str(), nullptr, &type, v.data.data(), &got);
            saved_.push_back(std::move(v));
        }
        RegCloseKey(key);
    }
    ~SettingsKeyGuard() {
        RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
        if (!existed_) return;
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        for (const auto& v : saved_)
            RegSetValueExW(key, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
        RegCloseKey(key);
    }

  private:
    bool existed_ = false;
    std::vector<SavedValue> saved_;
};

DWORD TypeOf(const wchar_t* name) {
    DWORD type = 0;
    return RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, nullptr) ==
                   ERROR_SUCCESS
               ? type
               : REG_NONE;
}

DWORD DwordOf(const wchar_t* name) {
    DWORD value = 0xFFFFFFFF, size = sizeof(value);
    RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

std::wstring StringOf(const wchar_t* name) {
    wchar_t buffer[1024] = L"";
    DWORD size = sizeof(buffer);
    RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, buffer, &size);
    return buffer;
}

TEST(SettingsOnTheRealRegistry, FirstStartWritesEveryDefaultWithItsType) {
    SettingsKeyGuard guard;
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    platform::win32::Win32Platform machine;
    TMyRegistryInfo info;
    LoadSettings(machine.registry(), info);

    EXPECT_EQ(TypeOf(L"HomePage"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(TypeOf(L"HelpURL"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(StringOf(L"Version"), L"4.2");
    const std::pair<const wchar_t*, DWORD> dwords[] = {{L"NotAutoBackup", 0},
                                                       {L"OneTime", 0},
                                                       {L"OneScheduleOfWeek", 0},
                                                       {L"SelectAll", 1},
                                                       {L"CheckUpdate", 1}};
    for (const auto& [name, value] : dwords) {
        EXPECT_EQ(TypeOf(name), static_cast<DWORD>(REG_DWORD)) << name;
        EXPECT_EQ(DwordOf(name), value) << name;
    }
    EXPECT_TRUE(info.SelectAll);
    EXPECT_TRUE(info.CheckUpdate);
}

TEST(SettingsOnTheRealRegistry, HandEditedVersionSurvivesAndOptionsAreSaved) {
    SettingsKeyGuard guard;
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Version", REG_SZ, L"4.1", 8), ERROR_SUCCESS);
    platform::win32::Win32Platform machine;
    TMyRegistryInfo info;
    LoadSettings(machine.registry(), info);
    EXPECT_EQ(StringOf(L"Version"), L"4.1");

    SaveOptions(machine.registry(), info, true, false, false);
    EXPECT_EQ(DwordOf(L"NotAutoBackup"), 1u);
    EXPECT_EQ(DwordOf(L"SelectAll"), 0u);
    EXPECT_EQ(DwordOf(L"CheckUpdate"), 0u);
    ASSERT_TRUE(SaveOneScheduleOfWeek(machine.registry(), info));
    EXPECT_EQ(DwordOf(L"OneScheduleOfWeek"), 1u);
}

}  // namespace
}  // namespace trenmoor
