#include "registry_cleaner/registry_backup.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "common/shared_helpers.h"
#include "platform/registry_accessor.h"
#include "platform/text_encoding.h"
#include "platform/text_file.h"
#include "registry_cleaner/reg_backup_controller.h"
#include "registry_cleaner/reg_script.h"
#include "support/scripted_ui.h"
#include "support/sim_machine.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::RawValue;
using platform::RootKey;
using platform::sim::RegFileFormat;

TEST(BackupTime, FormatBackupTime) {
    const std::pair<platform::DateTime, std::string> cases[] = {
        {{2009, 1, 15, 0, 0, 0}, "Jan. 15, 2009 0:0:0 AM"},  // midnight keeps hour 0
        {{2009, 1, 15, 12, 0, 0}, "Jan. 15, 2009 12:0:0 PM"},
        {{2009, 1, 15, 13, 0, 0}, "Jan. 15, 2009 1:0:0 PM"},
        {{2009, 1, 15, 11, 59, 59}, "Jan. 15, 2009 11:59:59 AM"},
        {{2021, 6, 5, 9, 30, 7}, "June. 5, 2021 9:30:7 AM"},
        {{2021, 7, 4, 23, 5, 9}, "July. 4, 2021 11:5:9 PM"},
        {{2020, 9, 30, 10, 10, 10}, "Sept. 30, 2020 10:10:10 AM"},
        {{2020, 5, 1, 1, 2, 3}, "May. 1, 2020 1:2:3 AM"},
    };
    for (const auto& [time, text] : cases) EXPECT_EQ(FormatBackupTime(time), text);
    EXPECT_EQ(BackupTimeStamp({2009, 1, 15, 9, 30, 7}), "20090115_093007");
}

// A machine whose child processes are scripted, for registry-editor failures.
class ScriptedProcessPlatform final : public platform::Platform {
  public:
    ScriptedProcessPlatform(platform::Platform& inner, platform::ProcessRunner& runner)
        : inner_(inner), runner_(runner) {}
    platform::Registry& registry() override { return inner_.registry(); }
    platform::FileSystem& files() override { return inner_.files(); }
    platform::Shell& shell() override { return inner_.shell(); }
    platform::ProcessRunner& processes() override { return runner_; }
    platform::TaskScheduler& scheduler() override { return inner_.scheduler(); }
    platform::Clock& clock() override { return inner_.clock(); }
    platform::SystemInfo& system() override { return inner_.system(); }

  private:
    platform::Platform& inner_;
    platform::ProcessRunner& runner_;
};

class FixedResultRunner final : public platform::ProcessRunner {
  public:
    explicit FixedResultRunner(platform::ChildResult r) : result(r) {}
    platform::ChildResult run(std::string_view commandLine, bool hidden, uint32_t) override {
        commands.emplace_back(commandLine);
        EXPECT_TRUE(hidden);
        if (onRun) onRun(commandLine);
        return result;
    }
    platform::ChildResult result;
    std::function<void(std::string_view)> onRun;
    std::vector<std::string> commands;
};

class RegistryBackup : public ::testing::Test {
  protected:
    void SetUp() override {
        ctx.PlatformKind = kPlatformNT;
        platform::TRegistry reg(m->registry(), RootKey::LocalMachine);
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Test\\Fonts", true));
        ASSERT_TRUE(reg.WriteString("Big", std::string(300, 'b')));  // beyond the old 256-byte buffer
        ASSERT_TRUE(reg.WriteString("Quote", "C:\\a \"b\""));
        ASSERT_TRUE(reg.WriteString("Zoë", "naïve ☃"));
        ASSERT_TRUE(reg.WriteString("", "default data"));
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Test\\App Paths\\gone.exe", true));
        ASSERT_TRUE(reg.WriteString("", "C:\\gone\\gone.exe"));
        ASSERT_TRUE(
            reg.WriteRaw("Multi", {platform::kRegMultiSz, platform::MultiStringToRegBytes({"a", "b"})}));
        ASSERT_TRUE(reg.WriteRaw("Bin", {platform::kRegBinary, {0, 1, 0, 0, 2}}));
        ASSERT_TRUE(reg.WriteRaw("Q", {platform::kRegQword, {1, 2, 3, 4, 5, 6, 7, 8}}));
        ASSERT_TRUE(reg.WriteInteger("D", 256));
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Test\\App Paths\\gone.exe\\Sub\\Deeper", true));
        ASSERT_TRUE(reg.WriteExpandString("E", "%SystemRoot%\\Zoë"));
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Test\\App Paths\\gone.exe\\Empty", true));
    }

    TContent& Add(int section, const std::string& keyPath, const std::string& valueName,
                  bool checked = true) {
        TContent& p = sections[section][sections[section].Add()].Content;
        p.Checked = checked;
        p.KeyPath = keyPath;
        p.ValueName = valueName;
        return p;
    }

    std::string TreeText(const std::string& path) {
        return m->simRegistry().exportReg(RootKey::LocalMachine, path, RegFileFormat::Unicode5).value_or("");
    }

    std::vector<RegScriptEntry> FileEntries(const std::string& path) {
        std::vector<RegScriptEntry> entries;
        const auto bytes = platform::ReadAllBytes(m->files(), path);
        EXPECT_TRUE(bytes.has_value());
        EXPECT_TRUE(
            ParseRegScript(bytes.value_or(""), [&](const RegScriptEntry& e) { entries.push_back(e); }));
        return entries;
    }

    testing::SimMachine m;
    testing::ScriptedUi ui;
    AppContext ctx{*m, ui};
    std::array<TRegistryContents, kSectionCount + 1> sections;
    const std::string fonts = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\Fonts";
    const std::string app = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\App Paths\\gone.exe";
};

TEST_F(RegistryBackup, RepairBackupHoldsCheckedProblemsInSectionOrder) {
    Add(5, fonts, "Zoë");
    Add(5, fonts, "Quote", false);  // unchecked: not backed up
    Add(5, fonts, "Big");
    Add(5, fonts, "Missing");  // nothing to back up
    Add(2, app, "Path");       // whole subkey
    Add(8, "C:\\Users\\tester\\Desktop\\x.lnk", "C:\\gone.exe");
    Add(0, fonts, "Quote");  // All Problems copies add nothing
    Add(11, fonts, "default");

    const RepairBackupResult result = WriteRepairBackup(ctx, sections);
    ASSERT_TRUE(result.written);
    EXPECT_TRUE(result.path.starts_with("C:\\Program Files\\Trenmoor\\RepairBackup\\_")) << result.path;
    EXPECT_TRUE(result.path.ends_with(".reg"));

    const auto entries = FileEntries(result.path);
    std::vector<std::string> seen;
    for (const auto& e : entries) {
        seen.push_back(e.kind == RegScriptEntry::Kind::Key ? "[" + e.keyPath + "]" : e.valueName);
    }
    const std::vector<std::string> expected = {
        "[" + app + "]",
        "",
        "Multi",
        "Bin",
        "Q",
        "D",
        "[" + app + "\\Empty]",
        "[" + app + "\\Sub]",
        "[" + app + "\\Sub\\Deeper]",
        "E",
        "[" + fonts + "]",
        "Zoë",
        "[" + fonts + "]",
        "Big",
        "[" + fonts + "]",
        "",
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(entries[13].value,
              (RawValue{platform::kRegSz, platform::Utf8ToRegBytes(std::string(300, 'b'))}));
    const auto bytes = platform::ReadAllBytes(m->files(), result.path).value_or("");
    EXPECT_TRUE(bytes.starts_with("\xFF\xFE"));
}

TEST_F(RegistryBackup, RestoringARepairBackupGivesBackExactlyWhatTheRepairsRemoved) {
    // Values come back in the order the backup lists them; listed in their original order, the
    // exported tree is identical.
    Add(2, app, "Path");
    Add(5, fonts, "Big");
    Add(5, fonts, "Quote");
    Add(5, fonts, "Zoë");
    Add(11, fonts, "default");
    const std::string fontsBefore = TreeText("SOFTWARE\\Test\\Fonts");
    const std::string appBefore = TreeText("SOFTWARE\\Test\\App Paths\\gone.exe");
    ASSERT_FALSE(appBefore.empty());

    const RepairBackupResult backup = WriteRepairBackup(ctx, sections);
    ASSERT_TRUE(backup.written);
    ASSERT_TRUE(
        DeleteKeyAbsolute(m->registry(), RootKey::LocalMachine, "\\SOFTWARE\\Test\\App Paths\\gone.exe"));
    for (const char* name : {"Big", "Zoë", "Quote", "default"})
        ASSERT_TRUE(DeleteValueByPath(m->registry(), fonts, name));
    ASSERT_NE(TreeText("SOFTWARE\\Test\\Fonts"), fontsBefore);

    EXPECT_EQ(RestoreBackup(ctx, backup.path, BackupKind::Repair), RestoreOutcome::Restored);
    EXPECT_EQ(TreeText("SOFTWARE\\Test\\Fonts"), fontsBefore);
    EXPECT_EQ(TreeText("SOFTWARE\\Test\\App Paths\\gone.exe"), appBefore);
    ASSERT_FALSE(m->simProcesses().commandLines.empty());
    EXPECT_EQ(m->simProcesses().commandLines.back(), "regedit /s \"" + backup.path + "\"");
}

TEST_F(RegistryBackup, TheSimulatedRegistryReadsTheBackupFile) {
    // Every type, names and data beyond ASCII, a whole key with subkeys.
    platform::TRegistry reg(m->registry(), RootKey::LocalMachine);
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Test\\Fonts", false));
    ASSERT_TRUE(reg.WriteRaw("Odd", {platform::kRegSz, {'a', 0, 'b'}}));
    ASSERT_TRUE(reg.WriteRaw("Lines", {platform::kRegSz, platform::Utf8ToRegBytes("one\r\ntwo")}));
    ASSERT_TRUE(reg.WriteRaw("None", {platform::kRegNone, {}}));
    // Listed in the values' original order, so the imported tree reads back identically.
    for (const char* name : {"Big", "Quote", "Zoë"}) Add(5, fonts, name);
    Add(11, fonts, "default");
    for (const char* name : {"Odd", "Lines", "None"}) Add(17, fonts, name);
    Add(2, app, "Path");
    const RepairBackupResult backup = WriteRepairBackup(ctx, sections);
    ASSERT_TRUE(backup.written);
    const std::string bytes = platform::ReadAllBytes(m->files(), backup.path).value_or("");

    platform::sim::SimRegistry fresh;
    ASSERT_TRUE(fresh.importReg(bytes));
    for (const char* path : {"SOFTWARE\\Test\\Fonts", "SOFTWARE\\Test\\App Paths\\gone.exe"}) {
        EXPECT_EQ(fresh.exportReg(RootKey::LocalMachine, path, RegFileFormat::Unicode5), TreeText(path))
            << path;
    }
}

// A repair backup written under Wine against the real registry (by the round-trip test there):
// the simulated registry's reader and ours take it to the same values.
TEST(RepairBackupFromWine, BothReadersTakeTheFileToTheOriginalValues) {
    std::ifstream in(std::string(TRENMOOR_TEST_DATA) + "/repair_backup/written_under_wine.reg",
                     std::ios::binary);
    ASSERT_TRUE(in);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string base = "Software\\TrenmoorRoundTrip316";
    std::vector<uint8_t> binary(64, 0);
    binary[5] = 0xFF;
    binary[63] = 0x01;
    const std::vector<std::pair<std::string, RawValue>> expected = {
        {"", {platform::kRegSz, platform::Utf8ToRegBytes("unnamed default")}},
        {"Long", {platform::kRegSz, platform::Utf8ToRegBytes(std::string(149, 'L'))}},
        {"Multi", {platform::kRegMultiSz, platform::MultiStringToRegBytes({"first", "zwéite", "third"})}},
        {"Binary", {platform::kRegBinary, binary}},
        {"Qword", {platform::kRegQword, {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11}}},
        {"Dword", {platform::kRegDword, {0x00, 0x01, 0x00, 0x00}}},
        {"Expand", {platform::kRegExpandSz, platform::Utf8ToRegBytes("%SystemRoot%\\Zoë\\x.dll")}},
        {"Zoë ☃", {platform::kRegSz, platform::Utf8ToRegBytes("Grüße, ☃ and 𝄞 \"quoted\" C:\\path\\")}},
        {"None", {platform::kRegNone, {}}},
        {"Lines", {platform::kRegSz, platform::Utf8ToRegBytes("one\r\ntwo")}},
        {"Empty", {platform::kRegBinary, {}}},
    };

    platform::sim::SimRegistry sim;
    ASSERT_TRUE(sim.importReg(bytes));
    auto values = sim.open(RootKey::CurrentUser, base + "\\Values", false, false);
    ASSERT_TRUE(values);
    std::map<std::string, RawValue> parsed;
    ASSERT_TRUE(ParseRegScript(bytes, [&](const RegScriptEntry& e) {
        if (e.kind == RegScriptEntry::Kind::Value && e.keyPath.ends_with("\\Values"))
            parsed[e.valueName] = e.value;
    }));
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(values->queryValue(name), value) << name;
        EXPECT_EQ(parsed[name], value) << name;
    }
    auto deep = sim.open(RootKey::CurrentUser, base + "\\App Paths\\gone.exe\\Ünter\\Tiefer", false, false);
    ASSERT_TRUE(deep);
    EXPECT_EQ(deep->queryValue("Bytes"), (RawValue{platform::kRegBinary, {0, 0, 0}}));
    EXPECT_TRUE(sim.open(RootKey::CurrentUser, base + "\\App Paths\\gone.exe\\Empty", false, false));
}

TEST_F(RegistryBackup, NothingToBackUpWritesNoFileButFormsAPath) {
    Add(8, "C:\\Users\\tester\\Desktop\\x.lnk", "C:\\gone.exe");
    Add(5, fonts, "NoSuchValue");
    Add(2, "HKEY_LOCAL_MACHINE\\SOFTWARE\\NoSuchKey", "Path");
    const RepairBackupResult result = WriteRepairBackup(ctx, sections);
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(result.path.starts_with("C:\\Program Files\\Trenmoor\\RepairBackup\\_"));
    EXPECT_FALSE(m->files().fileExists(result.path));
}

TEST_F(RegistryBackup, HeaderFollowsThePlatformKind) {
    Add(5, fonts, "Zoë");
    const std::pair<uint8_t, std::string> cases[] = {
        {kPlatformWin9x, "REGEDIT4\r\n"},
        {3, "REGEDIT4\r\n"},
        {kPlatformUnknown, "\r\n"},
        {kPlatformWin32s, "\r\n"},
    };
    for (const auto& [kind, start] : cases) {
        ctx.PlatformKind = kind;
        const RepairBackupResult result = WriteRepairBackup(ctx, sections);
        ASSERT_TRUE(result.written);
        const std::string bytes = platform::ReadAllBytes(m->files(), result.path).value_or("");
        EXPECT_TRUE(bytes.starts_with(start)) << int(kind);
        EXPECT_NE(bytes.find("\"Zo\xEB\"=\"na\xEFve ?\""), std::string::npos) << int(kind);  // 8-bit ANSI
    }
}

TEST_F(RegistryBackup, BackupsWithinOneSecondGetDistinctFiles) {
    Add(5, fonts, "Big");
    const RepairBackupResult first = WriteRepairBackup(ctx, sections);
    const RepairBackupResult second = WriteRepairBackup(ctx, sections);
    const RepairBackupResult third = WriteRepairBackup(ctx, sections);
    ASSERT_TRUE(first.written && second.written && third.written);
    EXPECT_NE(first.path, second.path);
    EXPECT_NE(second.path, third.path);
    EXPECT_NE(first.path, third.path);
    EXPECT_TRUE(second.path.ends_with("_2.reg")) << second.path;
    EXPECT_EQ(ListBackups(ctx, BackupKind::Repair).size(), 3u);
}

TEST_F(RegistryBackup, RestoreReportsAFileThatIsNoRegistryScript) {
    ASSERT_TRUE(m->files().createDirectory("C:\\Program Files\\Trenmoor\\RepairBackup"));
    const std::string path = "C:\\Program Files\\Trenmoor\\RepairBackup\\_broken.reg";
    ASSERT_TRUE(platform::WriteAllBytes(m->files(), path, "this is not a registry script"));
    EXPECT_EQ(RestoreBackup(ctx, path, BackupKind::Repair), RestoreOutcome::Unreadable);
    EXPECT_EQ(RestoreBackup(ctx, path + ".missing", BackupKind::Repair), RestoreOutcome::Unreadable);
}

TEST_F(RegistryBackup, RestoreReportsAnImportThatDidNotHappen) {
    Add(5, fonts, "Big");
    const RepairBackupResult backup = WriteRepairBackup(ctx, sections);
    ASSERT_TRUE(DeleteValueByPath(m->registry(), fonts, "Big"));

    // The editor "succeeds" (exit code 0) without importing anything, as regedit does for a file it
    // cannot use.
    FixedResultRunner silent({true, true, 0});
    ScriptedProcessPlatform machine(*m, silent);
    AppContext other(machine, ui);
    EXPECT_EQ(RestoreBackup(other, backup.path, BackupKind::Repair), RestoreOutcome::NotApplied);

    FixedResultRunner hung({true, false, 0});
    ScriptedProcessPlatform hungMachine(*m, hung);
    AppContext hungCtx(hungMachine, ui);
    EXPECT_EQ(RestoreBackup(hungCtx, backup.path, BackupKind::Repair), RestoreOutcome::EditorFailed);
    FixedResultRunner notStarted({false, false, 0});
    ScriptedProcessPlatform notStartedMachine(*m, notStarted);
    AppContext notStartedCtx(notStartedMachine, ui);
    EXPECT_EQ(RestoreBackup(notStartedCtx, backup.path, BackupKind::Repair), RestoreOutcome::EditorFailed);
}

TEST_F(RegistryBackup, RegistryMatchesScriptComparesTypesBytesAndDeletions) {
    const std::string head = "Windows Registry Editor Version 5.00\r\n\r\n[" + fonts + "]\r\n";
    EXPECT_TRUE(RegistryMatchesScript(m->registry(), head + "\"Quote\"=\"C:\\\\a \\\"b\\\"\"\r\n", false));
    EXPECT_FALSE(RegistryMatchesScript(m->registry(), head + "\"Quote\"=\"other\"\r\n", false));
    EXPECT_FALSE(
        RegistryMatchesScript(m->registry(), head + "\"Quote\"=hex:43,00\r\n", false));  // type differs
    EXPECT_TRUE(RegistryMatchesScript(m->registry(), head + "\"Absent\"=-\r\n", false));
    EXPECT_FALSE(RegistryMatchesScript(m->registry(), head + "\"Big\"=-\r\n", false));
    EXPECT_TRUE(RegistryMatchesScript(m->registry(), head + "\"quote\"=\"C:\\\\a \\\"b\\\"\"\r\n", false));
    EXPECT_FALSE(
        RegistryMatchesScript(m->registry(), head + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Nope]\r\n", false));
    EXPECT_TRUE(
        RegistryMatchesScript(m->registry(), head + "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Nope]\r\n", false));
    EXPECT_FALSE(RegistryMatchesScript(m->registry(), "[" + fonts + "]\r\n", false));  // no header
    // Later lines override earlier ones, as the import applies them.
    EXPECT_TRUE(RegistryMatchesScript(m->registry(), head + "\"Absent\"=\"x\"\r\n\"Absent\"=-\r\n", false));
    EXPECT_TRUE(RegistryMatchesScript(
        m->registry(),
        head + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Nope\\Sub]\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Nope]\r\n",
        false));
}

TEST_F(RegistryBackup, FullBackupExportsEverythingAndRestoresWithASampleCheck) {
    const FullBackupResult backup = MakeFullBackup(ctx);
    ASSERT_TRUE(backup.ok);
    EXPECT_TRUE(backup.path.starts_with("C:\\Program Files\\Trenmoor\\FullBackup\\Backup_")) << backup.path;
    ASSERT_FALSE(m->simProcesses().commandLines.empty());
    EXPECT_EQ(m->simProcesses().commandLines.back(), "regedit /E \"" + backup.path + "\"");
    const std::string bytes = platform::ReadAllBytes(m->files(), backup.path).value_or("");
    EXPECT_TRUE(bytes.starts_with("\xFF\xFE"));
    EXPECT_TRUE(RegistryMatchesScript(m->registry(), bytes, true));

    ASSERT_TRUE(DeleteKeyAbsolute(m->registry(), RootKey::LocalMachine, "\\SOFTWARE\\Test"));
    EXPECT_FALSE(RegistryMatchesScript(m->registry(), bytes, false));
    EXPECT_EQ(RestoreBackup(ctx, backup.path, BackupKind::Full), RestoreOutcome::Restored);
    EXPECT_TRUE(RegistryMatchesScript(m->registry(), bytes, false));

    const FullBackupResult second = MakeFullBackup(ctx);
    EXPECT_NE(second.path, backup.path);
    EXPECT_EQ(ListBackups(ctx, BackupKind::Full).size(), 2u);
}

TEST_F(RegistryBackup, SampleCheckNoticesMissingKeys) {
    std::string script = "Windows Registry Editor Version 5.00\r\n";
    for (int i = 0; i < 1000; ++i) script += "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\Fonts]\r\n";
    EXPECT_TRUE(RegistryMatchesScript(m->registry(), script, true, 8));
    // The sample always holds the first key.
    EXPECT_FALSE(RegistryMatchesScript(m->registry(),
                                       "Windows Registry Editor Version 5.00\r\n\r\n"
                                       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Missing]\r\n" +
                                           script.substr(38),
                                       true, 8));
    // Every key missing: whatever the sample holds is missing.
    std::string allMissing = "Windows Registry Editor Version 5.00\r\n";
    for (int i = 0; i < 1000; ++i)
        allMissing += "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Missing" + std::to_string(i) + "]\r\n";
    EXPECT_FALSE(RegistryMatchesScript(m->registry(), allMissing, true, 8));
    EXPECT_FALSE(RegistryMatchesScript(m->registry(), "not a script", true));
}

TEST_F(RegistryBackup, FailedExportIsNoBackup) {
    FixedResultRunner failing({true, true, 1});
    ScriptedProcessPlatform machine(*m, failing);
    AppContext other(machine, ui);
    EXPECT_FALSE(MakeFullBackup(other).ok);

    // An editor that ends with 0 but leaves no file, or a file that is no registry script.
    FixedResultRunner silent({true, true, 0});
    ScriptedProcessPlatform silentMachine(*m, silent);
    AppContext silentCtx(silentMachine, ui);
    EXPECT_FALSE(MakeFullBackup(silentCtx).ok);
    silent.onRun = [&](std::string_view command) {
        const size_t open = command.find('"');
        const std::string path(command.substr(open + 1, command.size() - open - 2));
        EXPECT_TRUE(platform::WriteAllBytes(m->files(), path, "junk"));
    };
    const FullBackupResult junk = MakeFullBackup(silentCtx);
    EXPECT_FALSE(junk.ok);
    EXPECT_FALSE(m->files().fileExists(junk.path));  // not left to be listed as a backup

    FixedResultRunner hung({true, false, 0});
    ScriptedProcessPlatform hungMachine(*m, hung);
    AppContext hungCtx(hungMachine, ui);
    EXPECT_FALSE(MakeFullBackup(hungCtx).ok);
    EXPECT_TRUE(ListBackups(ctx, BackupKind::Full).empty());
}

TEST_F(RegistryBackup, ListsOnlyRegFilesOfTheFolder) {
    EXPECT_TRUE(ListBackups(ctx, BackupKind::Repair).empty());  // no folder yet
    const std::string folder = "C:\\Program Files\\Trenmoor\\RepairBackup\\";
    ASSERT_TRUE(m->files().createDirectory(folder.substr(0, folder.size() - 1)));
    for (const char* name : {"_20090115_093007.reg", "speedRestore20090115.ini", "startup.dat", "B.REG"}) {
        ASSERT_TRUE(platform::WriteAllBytes(m->files(), folder + name, "x"));
    }
    ASSERT_TRUE(m->files().createDirectory(folder + "folder.reg"));
    const auto rows = ListBackups(ctx, BackupKind::Repair);
    ASSERT_EQ(rows.size(), 2u);
    for (const auto& row : rows) {
        EXPECT_TRUE(row.path == folder + "_20090115_093007.reg" || row.path == folder + "B.REG") << row.path;
        EXPECT_FALSE(row.caption.empty());
        EXPECT_TRUE(row.caption.ends_with(" AM") || row.caption.ends_with(" PM")) << row.caption;
    }
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
