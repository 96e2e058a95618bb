// Quorvel's registry commands on the simulated machine: usage errors, the JSON documents of scan and
// repair, repairs limited by id, a backup that cannot be written, restore, and the scheduled run.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/registry_commands.h"
#include "platform/registry_accessor.h"
#include "registry_cleaner/registry_backup.h"
#include "registry_cleaner/sections/section_table.h"
#include "support/cleaner_fixture.h"

namespace trenmoor::cli {
namespace {

class QuorvelRegistry : public testing::CleanerFixture {
  protected:
    void SetUp() override {
        LoadFileReferenceMachine();
        ctx.PlatformKind = kPlatformUnknown;  // as Quorvel starts: the commands find it out
    }
    struct Result {
        int rc;
        std::string out, err;
    };
    Result Run(std::vector<std::string> args) {
        std::ostringstream out, err;
        CliIo io{out, err};
        const int rc = RunCommandLine(ctx, args, io);
        return {rc, out.str(), err.str()};
    }
    bool AppPathExists(std::string_view name) {
        platform::TRegistry reg(m->registry(), platform::RootKey::LocalMachine);
        return reg.KeyExists("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" +
                             std::string(name));
    }
    size_t Count(const std::string& text, std::string_view what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
};

TEST_F(QuorvelRegistry, WrongUsageExitsTwoWithUsageOnStderr) {
    const std::vector<std::vector<std::string>> cases = {
        {"registry"},
        {"registry", "clean"},
        {"registry", "scan", "--sections"},
        {"registry", "scan", "--sections", "0"},
        {"registry", "scan", "--sections", "18"},
        {"registry", "scan", "--sections", "2,,5"},
        {"registry", "scan", "--sections", "x"},
        {"registry", "scan", "--ids", "1"},
        {"registry", "scan", "extra"},
        {"registry", "repair", "--ids", "a"},
        {"registry", "repair", "--no-backup=1"},
        {"registry", "restore"},
        {"registry", "restore", "a.reg", "b.reg"},
        {"-Scan", "now"},
    };
    for (const auto& args : cases) {
        const Result r = Run(args);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(r.rc, kExitUsage) << joined;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << joined;
        EXPECT_EQ(r.out, "") << joined;
    }
}

TEST_F(QuorvelRegistry, ScanJsonListsTheGivenSectionsAndEveryProblemWithItsFields) {
    const Result r = Run({"registry", "scan", "--sections", "11,3", "--json"});
    ASSERT_EQ(r.rc, kExitOk) << r.err;
    EXPECT_EQ(
        r.out,
        "{\"sections\":[{\"number\":3,\"caption\":\"Empty Registry Keys\",\"count\":0,\"built\":true,"
        "\"status\":\"clean\"},{\"number\":11,\"caption\":\"Sounds "
        "Section\",\"count\":1,\"built\":true,"
        "\"status\":\"problems\"}],\"problems\":[{\"id\":1,\"section\":\"Sounds Section\",\"keyPath\":"
        "\"HKEY_LOCAL_MACHINE\\\\Control Panel\\\\Sounds\",\"keyName\":\"Sounds\",\"valueName\":\"default\","
        "\"valueData\":\"C:\\\\Windows\\\\Media\\\\ding.wav\",\"auxData\":\"\",\"action\":\"\",\"severity\":"
        "\"High\",\"title\":\"Missing or Invalid Path\",\"description\":\"The Key "
        "C:\\\\Windows\\\\Media\\\\ding.wav "
        "under HKEY_LOCAL_MACHINE\\\\Control Panel\\\\Sounds contains a bad path for the "
        "value\",\"checked\":true}],"
        "\"itemsProcessed\":1,\"elapsedMs\":" +
            r.out.substr(r.out.rfind(':') + 1));
}

TEST_F(QuorvelRegistry, ScanWithoutSectionsChecksAllSeventeenAndSaysWhichAreNotBuilt) {
    const Result r = Run({"registry", "scan"});
    ASSERT_EQ(r.rc, kExitOk) << r.err;
    EXPECT_NE(r.out.find("Registry scan: 17 sections"), std::string::npos);
    EXPECT_EQ(Count(r.out, "not built yet"), 0u) << "every section is built";
    // The two sound files are also found by the whole-hive walk of System Software Settings.
    EXPECT_NE(r.out.find("Problems found: 18"), std::string::npos) << r.out;
    const Result json = Run({"registry", "scan", "--json"});
    EXPECT_EQ(Count(json.out, "\"number\":"), 17u);
    EXPECT_EQ(Count(json.out, "\"id\":"), 18u);
}

TEST_F(QuorvelRegistry, RepairWritesTheBackupAndRepairsOnlyTheListedIds) {
    // Application Paths problems, in order: gone, pfgone, quoted, short, sysroot.
    const Result r = Run({"registry", "repair", "--sections", "2", "--ids", "1,4", "--json"});
    ASSERT_EQ(r.rc, kExitOk) << r.err;
    EXPECT_NE(
        r.out.find(
            "\"repaired\":[{\"name\":\"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Microsoft\\\\Windows\\\\"
            "CurrentVersion\\\\App Paths\\\\gone.exe\",\"status\":\"Repaired Successfully\"},{\"name\":"
            "\"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\"
            "short.exe\",\"status\":\"Repaired Successfully\"}]"),
        std::string::npos)
        << r.out;
    EXPECT_FALSE(AppPathExists("gone.exe"));
    EXPECT_FALSE(AppPathExists("short.exe"));
    EXPECT_TRUE(AppPathExists("pfgone.exe"));
    EXPECT_TRUE(AppPathExists("good.exe"));
    const auto backups = registry_cleaner::ListBackups(ctx, registry_cleaner::BackupKind::Repair);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_NE(
        r.out.find("{\"backup\":" + std::string("\"C:\\\\Program Files\\\\Trenmoor\\\\RepairBackup\\\\_")),
        std::string::npos);

    const Result restored = Run({"registry", "restore", backups[0].path});
    EXPECT_EQ(restored.rc, kExitOk) << restored.err;
    EXPECT_TRUE(AppPathExists("gone.exe"));
    EXPECT_TRUE(AppPathExists("short.exe"));
}

TEST_F(QuorvelRegistry, RepairRefusesUnknownIdsAndMissingBackupsWithoutTouchingAnything) {
    Result r = Run({"registry", "repair", "--sections", "2", "--ids", "1,99"});
    EXPECT_EQ(r.rc, kExitFailed);
    EXPECT_NE(r.err.find("no problem with id 99"), std::string::npos);
    EXPECT_TRUE(AppPathExists("gone.exe"));

    MakeFile(ProgramFile(m->files(), "RepairBackup"));  // the backup folder cannot be created
    r = Run({"registry", "repair", "--sections", "2"});
    EXPECT_EQ(r.rc, kExitFailed);
    EXPECT_NE(r.err.find("could not be written"), std::string::npos);
    EXPECT_TRUE(AppPathExists("gone.exe"));

    r = Run({"registry", "repair", "--sections", "2", "--no-backup"});
    EXPECT_EQ(r.rc, kExitOk) << r.err;
    EXPECT_NE(r.out.find("Backup: (none)"), std::string::npos);
    EXPECT_NE(r.out.find("Repaired: 5"), std::string::npos);
    EXPECT_FALSE(AppPathExists("gone.exe"));
}

TEST_F(QuorvelRegistry, RestoreOfAMissingOrForeignFileFails) {
    EXPECT_EQ(Run({"registry", "restore", "C:\\nothing.reg"}).rc, kExitFailed);
    MakeFile("C:\\foreign.reg", "hello");
    const Result r = Run({"registry", "restore", "C:\\foreign.reg"});
    EXPECT_EQ(r.rc, kExitFailed);
    EXPECT_NE(r.err.find("cannot be read as a registry backup"), std::string::npos);
}

TEST_F(QuorvelRegistry, ScheduledScanRepairsApplicationPathsWithABackupAndLeavesALog) {
    MakeFile("C:\\Work\\left.tmp", "junk");
    const Result r = Run({"-Scan"});
    ASSERT_EQ(r.rc, kExitOk) << r.err;
    EXPECT_FALSE(AppPathExists("gone.exe"));
    EXPECT_TRUE(AppPathExists("good.exe"));
    // Only the One-Click sections: Fonts and the others are left alone.
    platform::TRegistry reg(m->registry(), platform::RootKey::LocalMachine);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"));
    EXPECT_TRUE(reg.ValueExists("Gone (TrueType)"));
    EXPECT_EQ(registry_cleaner::ListBackups(ctx, registry_cleaner::BackupKind::Repair).size(), 1u);
    const auto log = platform::ReadAllBytes(m->files(), ProgramFile(m->files(), kScheduledScanLog));
    ASSERT_TRUE(log.has_value());
    EXPECT_NE(log->find("Application Paths: 5 problems"), std::string::npos) << *log;
    EXPECT_NE(log->find("ActiveX, OLE/COM Entries: 0 problems"), std::string::npos) << *log;
    EXPECT_NE(log->find("Repaired: 5, errors: 0"), std::string::npos);
    // The temporary-files step ran; this machine has no recycle bin, so the file stays where it was.
    EXPECT_NE(log->find("Temporary files: 1 found, 0 moved to the recycle bin (0 bytes), 1 failed"),
              std::string::npos)
        << *log;
    EXPECT_TRUE(m->files().fileExists("C:\\Work\\left.tmp"));
}

}  // namespace
}  // namespace trenmoor::cli
