// Repair and full backups against the real registry: what a repair removes comes back byte for byte
// through the system's registry editor.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>

#include "common/shared_helpers.h"
#include "platform/registry_accessor.h"
#include "platform/text_encoding.h"
#include "platform/text_file.h"
#include "platform/win32/win32_platform.h"
#include "registry_cleaner/reg_script.h"
#include "registry_cleaner/registry_backup.h"
#include "support/scripted_ui.h"
#include "wine/scratch_program_machine.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::RawValue;
using platform::RootKey;

// Every key below a path: relative path -> (value name -> value). Exact names, exact bytes.
using Tree = std::map<std::string, std::map<std::string, RawValue>>;

void ReadTree(platform::RegKey& key, const std::string& relative, Tree& tree) {
    auto& values = tree[relative];
    for (const std::string& name : key.valueNames()) {
        if (auto value = key.queryValue(name)) values[name] = *value;
    }
    for (const std::string& name : key.subkeyNames()) {
        if (auto sub = key.openSubkey(name, false, false)) ReadTree(*sub, relative + "\\" + name, tree);
    }
}

Tree Snapshot(platform::Registry& registry, const std::string& path) {
    Tree tree;
    if (auto key = registry.open(RootKey::CurrentUser, path, false, false)) ReadTree(*key, "", tree);
    return tree;
}

std::string Utf16File(std::string_view utf8) {
    std::string out = "\xFF\xFE";
    for (const char16_t u : platform::Utf8ToUtf16(utf8)) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>(u >> 8));
    }
    return out;
}

// The keys and values in which two trees differ, readable in a failure message.
std::string Differences(const Tree& a, const Tree& b) {
    auto hex = [](const std::optional<RawValue>& v) {
        if (!v) return std::string("(missing)");
        std::string out = "type " + std::to_string(v->type) + ":";
        for (uint8_t byte : v->data) {
            char two[4];
            std::snprintf(two, sizeof two, " %02x", byte);
            out += two;
        }
        return out;
    };
    std::string out;
    std::map<std::string, int> keys;
    for (const auto& [k, v] : a) keys[k] |= 1;
    for (const auto& [k, v] : b) keys[k] |= 2;
    for (const auto& [key, where] : keys) {
        if (where != 3) {
            out += "key " + key + (where == 1 ? " only in first\n" : " only in second\n");
            continue;
        }
        std::map<std::string, std::pair<std::optional<RawValue>, std::optional<RawValue>>> values;
        for (const auto& [n, v] : a.at(key)) values[n].first = v;
        for (const auto& [n, v] : b.at(key)) values[n].second = v;
        for (const auto& [name, pair] : values) {
            if (pair.first != pair.second) {
                out += key + " \"" + name + "\": " + hex(pair.first) + " vs " + hex(pair.second) + "\n";
            }
        }
    }
    return out;
}

RawValue Sz(std::string_view text) {
    return {platform::kRegSz, platform::Utf8ToRegBytes(text)};
}

class BackupRoundTrip : public ::testing::Test {
  protected:
    void SetUp() override {
        ctx.PlatformKind = kPlatformNT;
        RemoveScratch();
        auto values = machine.registry().open(RootKey::CurrentUser, base + "\\Values", true, true);
        ASSERT_TRUE(values);
        std::vector<uint8_t> binary(64, 0);
        binary[5] = 0xFF;
        binary[63] = 0x01;
        const std::vector<std::pair<std::string, RawValue>> table = {
            {"", Sz("unnamed default")},
            {"Long", Sz(std::string(149, 'L'))},  // 149 characters + terminator = 300 bytes
            {"Multi", {platform::kRegMultiSz, platform::MultiStringToRegBytes({"first", "zwéite", "third"})}},
            {"Binary", {platform::kRegBinary, binary}},
            {"Qword", {platform::kRegQword, {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11}}},
            {"Dword", {platform::kRegDword, {0x00, 0x01, 0x00, 0x00}}},
            {"Expand", {platform::kRegExpandSz, platform::Utf8ToRegBytes("%SystemRoot%\\Zoë\\x.dll")}},
            {"Zoë ☃", Sz("Grüße, ☃ and 𝄞 \"quoted\" C:\\path\\")},
            {"None", {platform::kRegNone, {}}},
            {"Lines", Sz("one\r\ntwo")},  // written as hex(1): a quoted string cannot hold the line break
            // Not here: REG_SZ data without its terminator. The backup writes it exactly (hex(1), see the
            // native tests), but Wine's regedit adds a terminator on import and drops the rest on export.
            {"Empty", {platform::kRegBinary, {}}},
        };
        for (const auto& [name, value] : table) {
            ASSERT_TRUE(values->setValue(name, value)) << name;
            valueNames.push_back(name);
        }
        auto app = machine.registry().open(RootKey::CurrentUser, base + "\\App Paths\\gone.exe", true, true);
        ASSERT_TRUE(app);
        ASSERT_TRUE(app->setValue("", Sz("C:\\gone\\gone.exe")));
        ASSERT_TRUE(app->setValue("Path", Sz("C:\\gone")));
        auto deep = machine.registry().open(RootKey::CurrentUser,
                                            base + "\\App Paths\\gone.exe\\Ünter\\Tiefer", true, true);
        ASSERT_TRUE(deep);
        ASSERT_TRUE(deep->setValue("Bytes", {platform::kRegBinary, {0, 0, 0}}));
        ASSERT_TRUE(
            machine.registry().open(RootKey::CurrentUser, base + "\\App Paths\\gone.exe\\Empty", true, true));
    }
    void TearDown() override { RemoveScratch(); }
    void RemoveScratch() { (void)DeleteKeyAbsolute(machine.registry(), RootKey::CurrentUser, "\\" + base); }

    testing::ScratchProgramMachine machine;
    testing::ScriptedUi ui;
    AppContext ctx{machine, ui};
    const std::string base = "Software\\TrenmoorRoundTrip" + std::to_string(GetCurrentProcessId());
    const std::string full = "HKEY_CURRENT_USER\\" + base;
    std::vector<std::string> valueNames;
};

TEST_F(BackupRoundTrip, RepairBackupRestoresEveryTypeByteForByte) {
    std::array<TRegistryContents, kSectionCount + 1> sections;
    TContent& appProblem = sections[2][sections[2].Add()].Content;  // repair deletes the whole subkey
    appProblem.Checked = true;
    appProblem.KeyPath = full + "\\App Paths\\gone.exe";
    appProblem.ValueName = "Path";
    for (const std::string& name : valueNames) {  // repairs delete single values
        TContent& p = sections[17][sections[17].Add()].Content;
        p.Checked = true;
        p.KeyPath = full + "\\Values";
        p.ValueName = name.empty() ? "default" : name;
    }
    const Tree before = Snapshot(machine.registry(), base);
    ASSERT_EQ(before.at("\\Values").size(), valueNames.size());
    ASSERT_EQ(before.count("\\App Paths\\gone.exe\\Ünter\\Tiefer"), 1u);

    const RepairBackupResult backup = WriteRepairBackup(ctx, sections);
    ASSERT_TRUE(backup.written) << backup.path;

    // What the repairs do.
    ASSERT_TRUE(
        DeleteKeyAbsolute(machine.registry(), RootKey::CurrentUser, "\\" + base + "\\App Paths\\gone.exe"));
    for (const std::string& name : valueNames) {
        ASSERT_TRUE(
            DeleteValueByPath(machine.registry(), full + "\\Values", name.empty() ? "default" : name));
    }
    const Tree repaired = Snapshot(machine.registry(), base);
    ASSERT_TRUE(repaired.at("\\Values").empty());
    ASSERT_EQ(repaired.count("\\App Paths\\gone.exe"), 0u);

    ASSERT_EQ(RestoreBackup(ctx, backup.path, BackupKind::Repair), RestoreOutcome::Restored);
    const Tree after = Snapshot(machine.registry(), base);
    EXPECT_TRUE(after == before) << Differences(before, after);

    // Keep the file for the simulated registry's reader (tests/data): set TRENMOOR_KEEP_BACKUP to a path.
    if (const char* keep = std::getenv("TRENMOOR_KEEP_BACKUP")) {
        const auto bytes = platform::ReadAllBytes(machine.files(), backup.path);
        ASSERT_TRUE(bytes);
        ASSERT_TRUE(platform::WriteAllBytes(machine.files(), keep, *bytes));
    }
    (void)machine.files().deleteFile(backup.path);
}

TEST_F(BackupRoundTrip, RestoreReportsWhatTheRegistryEditorDidNotImport) {
    std::array<TRegistryContents, kSectionCount + 1> sections;
    TContent& p = sections[17][sections[17].Add()].Content;
    p.Checked = true;
    p.KeyPath = full + "\\Values";
    p.ValueName = "Long";
    const RepairBackupResult backup = WriteRepairBackup(ctx, sections);
    ASSERT_TRUE(backup.written);
    // The same script without its byte-order mark is no registry script: refused before any import.
    const auto bytes = platform::ReadAllBytes(machine.files(), backup.path);
    ASSERT_TRUE(bytes && bytes->size() > 2);
    ASSERT_TRUE(platform::WriteAllBytes(machine.files(), backup.path, bytes->substr(2)));
    ASSERT_TRUE(DeleteValueByPath(machine.registry(), full + "\\Values", "Long"));
    EXPECT_NE(RestoreBackup(ctx, backup.path, BackupKind::Repair), RestoreOutcome::Restored);

    // A well-formed script whose key the editor cannot create (no such root): regedit still ends with
    // 0, and only reading the registry back shows that nothing was imported.
    const std::string script = std::string(kRegHeader5) + "\r\n\r\n[HKEY_NO_SUCH_ROOT\\X]\r\n\"v\"=\"1\"\r\n";
    ASSERT_TRUE(platform::WriteAllBytes(machine.files(), backup.path, Utf16File(script)));
    EXPECT_EQ(RestoreBackup(ctx, backup.path, BackupKind::Repair), RestoreOutcome::NotApplied);
    (void)machine.files().deleteFile(backup.path);
}

TEST_F(BackupRoundTrip, FullBackupExportsTheWholeRegistryAndRestores) {
    const auto start = std::chrono::steady_clock::now();
    const FullBackupResult backup = MakeFullBackup(ctx);
    const auto exported = std::chrono::steady_clock::now();
    ASSERT_TRUE(backup.ok) << backup.path;
    const auto info = machine.files().stat(backup.path);
    ASSERT_TRUE(info);
    std::cout << "full registry export: " << info->size << " bytes in "
              << std::chrono::duration_cast<std::chrono::milliseconds>(exported - start).count() << " ms\n";
    EXPECT_GT(info->size, 100000u);
    const auto bytes = platform::ReadAllBytes(machine.files(), backup.path);
    ASSERT_TRUE(bytes);
    EXPECT_TRUE(RegistryMatchesScript(machine.registry(), *bytes, true));
    // The scratch tree is in the export; removed, the restore brings it back.
    const Tree before = Snapshot(machine.registry(), base);
    RemoveScratch();
    ASSERT_EQ(RestoreBackup(ctx, backup.path, BackupKind::Full), RestoreOutcome::Restored);
    std::cout << "full registry restore took "
              << std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                       exported)
                     .count()
              << " ms\n";
    const Tree after = Snapshot(machine.registry(), base);
    EXPECT_TRUE(after == before) << Differences(before, after);
    EXPECT_FALSE(ListBackups(ctx, BackupKind::Full).empty());
    (void)machine.files().deleteFile(backup.path);
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
