// The five file-reference sections on a small machine image: what each reports, the fields of its
// problems, its skip words and ignore rules, and its repair.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/registry_accessor.h"
#include "platform/text_encoding.h"
#include "registry_cleaner/cleaner_repair.h"
#include "registry_cleaner/sections/file_reference_sections.h"
#include "support/cleaner_fixture.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::RootKey;
using ::testing::ElementsAre;

constexpr int kAppPaths = 2, kFonts = 5, kHelp = 6, kSharedDlls = 10, kSounds = 11;
const std::string kSharedDllsKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
const std::string kAppPathsKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const std::string kFontsKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const std::string kHelpKeyPath = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\Help";
const std::string kHtmlHelpKeyPath = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\Html Help";
const std::string kSoundsKey = "HKEY_LOCAL_MACHINE\\Control Panel\\Sounds";

class FileReferenceSections : public testing::CleanerFixture {
  protected:
    void SetUp() override { LoadFileReferenceMachine(); }
    bool ValueExists(std::string_view key, std::string_view value) {
        platform::TRegistry reg(m->registry(), RootKey::LocalMachine);
        return reg.OpenKeyReadOnly(std::string("\\") + std::string(key)) && reg.ValueExists(value);
    }
    bool KeyExists(std::string_view key) {
        platform::TRegistry reg(m->registry(), RootKey::LocalMachine);
        return reg.KeyExists(std::string("\\") + std::string(key));
    }
    // Repairs every checked problem of one section; returns the finish rows.
    TRepairContents Repair(int section) {
        TRepairContents repairs;
        MessagePump pump(ui, m->clock());
        RepairSection(ctx, section, Found(section), repairs, pump, {});
        return repairs;
    }
};

TEST_F(FileReferenceSections, SharedDllsReportsMissingFilesAndZeroCountsAndSkipsDriversNetworkAndFloppy) {
    Scan({kSharedDlls});
    EXPECT_THAT(Column(kSharedDlls, &TContent::ValueName),
                ElementsAre("C:\\Windows\\System32\\gone.dll", "C:\\Windows\\System32\\zero.dll",
                            "C:\\Windows\\System32\\bin1f.dll", "C:\\Windows\\System32\\textabc.dll"));
    // Counts: dword 1 and 0; binary 1F read as decimal text "1F" is 0; text "abc" is 0.
    EXPECT_THAT(Column(kSharedDlls, &TContent::ValueData), ElementsAre("1", "0", "0", "0"));
    const TContent& first = Found(kSharedDlls)[0].Content;
    EXPECT_TRUE(first.Checked);
    EXPECT_EQ(first.ID, 1);
    EXPECT_EQ(first.KeyPath, kSharedDllsKey);
    EXPECT_EQ(first.KeyName, "SharedDlls");
    EXPECT_EQ(first.Severity, "High");
    EXPECT_EQ(first.Title, "Missing or Invalid Path");
    EXPECT_EQ(first.Description, "The Key C:\\Windows\\System32\\gone.dll under " + kSharedDllsKey +
                                     " contains a bad path for the value");
    EXPECT_EQ(first.Section, "");
    EXPECT_EQ(scan.Progress().countText[kSharedDlls], "4");
    // Every value is ticked, the skipped ones included (12 values).
    EXPECT_EQ(scan.Progress().ItemsProcessed, 12u);
}

TEST(SharedDllUseCount, ReadsEveryValueTypeAsTheCountItStandsFor) {
    struct Case {
        platform::RawValue value;
        int64_t count;
    };
    const Case cases[] = {
        {{platform::kRegBinary, {0x05}}, 5},
        {{platform::kRegBinary, {0x10}}, 10},
        {{platform::kRegBinary, {0x1F}}, 0},
        {{platform::kRegBinary, {0x1A, 0x00}}, 0},
        {{platform::kRegBinary, {}}, 0},
        {{platform::kRegDword, {0x00, 0x01, 0x00, 0x00}}, 256},
        {{platform::kRegSz, platform::Utf8ToRegBytes("12")}, 12},
        {{platform::kRegExpandSz, platform::Utf8ToRegBytes("7")}, 7},
        {{platform::kRegSz, platform::Utf8ToRegBytes("x1")}, 0},
        {{platform::kRegMultiSz, platform::MultiStringToRegBytes({"1"})}, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(SharedDllUseCount(c.value), c.count) << c.value.type;
}

TEST_F(FileReferenceSections, SharedDllsAnIgnoredValueEndsTheWholeSection) {
    WriteIgnoreFile("Shared DLL's Sections|" + kSharedDllsKey + "|C:\\Windows\\System32\\zero.dll\r\n");
    Scan({kSharedDlls});
    EXPECT_THAT(Column(kSharedDlls, &TContent::ValueName), ElementsAre("C:\\Windows\\System32\\gone.dll"));
}

TEST_F(FileReferenceSections, SharedDllsAValueNamingMsoeEndsTheWholeSection) {
    LoadReg(
        "REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls]"
        "\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls]\r\n"
        "\"C:\\\\Windows\\\\a.dll\"=dword:00000001\r\n"
        "\"C:\\\\Program Files\\\\Outlook\\\\msoe.dll\"=dword:00000001\r\n"
        "\"C:\\\\Windows\\\\b.dll\"=dword:00000001\r\n");
    Scan({kSharedDlls});
    EXPECT_THAT(Column(kSharedDlls, &TContent::ValueName), ElementsAre("C:\\Windows\\a.dll"));
}

TEST_F(FileReferenceSections, SharedDllsLeavesExcludedDrivesAlone) {
    m->simFiles().addDrive('E', platform::DriveType::CdRom);
    LoadReg(
        "REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls]"
        "\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls]\r\n"
        "\"E:\\\\cd.dll\"=dword:00000001\r\n\"C:\\\\hd.dll\"=dword:00000001\r\n");
    BuildExcludedDrives(m->files(), ctx.ExcludedDrives);
    Scan({kSharedDlls});
    EXPECT_THAT(Column(kSharedDlls, &TContent::ValueName), ElementsAre("C:\\hd.dll"));
}

TEST_F(FileReferenceSections, AppPathsResolvesTheProgramFileAndReportsOnlyMissingOnes) {
    Scan({kAppPaths});
    // Subkeys in the registry's order; expandable, network, floppy and extension-less defaults are not
    // examined.
    EXPECT_THAT(Column(kAppPaths, &TContent::KeyName),
                ElementsAre("gone.exe", "pfgone.exe", "quoted.exe", "short.exe", "sysroot.exe"));
    EXPECT_THAT(Column(kAppPaths, &TContent::ValueData),
                ElementsAre("C:\\Tools\\gone.exe", "C:\\Program Files\\App\\pfgone.exe",
                            "C:\\Tools\\quoted.exe", "C:\\Tools\\short.exe", "C:\\Windows\\sysroot.exe"));
    // Severity of the default value as written: a quote or a percent sign is one bad character.
    EXPECT_THAT(Column(kAppPaths, &TContent::Severity),
                ElementsAre("High", "Normal", "Normal", "High", "Normal"));
    const TContent& gone = Found(kAppPaths)[0].Content;
    EXPECT_EQ(gone.KeyPath, kAppPathsKey + "\\gone.exe");
    EXPECT_EQ(gone.ValueName, "Path");
    EXPECT_EQ(gone.Description, "The Key C:\\Tools\\gone.exe under " + kAppPathsKey +
                                    "\\gone.exe contains a bad path for the value");
    EXPECT_EQ(scan.Progress().ItemsProcessed, 12u);  // every subkey is ticked
    EXPECT_EQ(scan.Progress().entry, kAppPathsKey + "\\unc.exe");
}

TEST_F(FileReferenceSections, AppPathsAnIgnoredSubkeyIsSkippedOnly) {
    WriteIgnoreFile("application paths|" + kAppPathsKey + "\\PFGONE.EXE|Path\r\n");
    Scan({kAppPaths});
    EXPECT_THAT(Column(kAppPaths, &TContent::KeyName),
                ElementsAre("gone.exe", "quoted.exe", "short.exe", "sysroot.exe"));
}

TEST_F(FileReferenceSections, FontsAreLookedForInTheFontsFolderAndKeepTheStoredName) {
    Scan({kFonts});
    EXPECT_THAT(Column(kFonts, &TContent::ValueName), ElementsAre("Gone (TrueType)", "Elsewhere (TrueType)"));
    // A complete path is looked for where it points: the existing C:\Fonts2\full.ttf is no problem.
    EXPECT_THAT(Column(kFonts, &TContent::ValueData), ElementsAre("gone.ttf", "C:\\Fonts2\\elsewhere.ttf"));
    const TContent& gone = Found(kFonts)[0].Content;
    EXPECT_EQ(gone.KeyPath, kFontsKey);
    EXPECT_EQ(gone.KeyName, "Fonts");
    EXPECT_EQ(gone.Severity, "High");
    EXPECT_EQ(gone.Description, "The Key gone.ttf under " + kFontsKey + " contains a bad path for the value");
    EXPECT_EQ(scan.Progress().entry, kFontsKey + "Number");
}

TEST_F(FileReferenceSections, FontsAnIgnoredValueIsSkippedOnly) {
    WriteIgnoreFile("Font Entries|" + kFontsKey + "|Gone (TrueType)\r\nFont Entries|" + kFontsKey +
                    "|elsewhere (truetype)\r\n");
    Scan({kFonts});
    // The value name is compared exactly: a different letter case does not match.
    EXPECT_THAT(Column(kFonts, &TContent::ValueName), ElementsAre("Elsewhere (TrueType)"));
}

TEST_F(FileReferenceSections, HelpReportsMissingHelpFilesOfBothKeys) {
    Scan({kHelp});
    EXPECT_THAT(Column(kHelp, &TContent::KeyName),
                ElementsAre("gone.hlp", "stop.hlp", "after.hlp", "gone.chm"));
    EXPECT_THAT(Column(kHelp, &TContent::ValueData),
                ElementsAre("C:\\Windows\\Help\\gone.hlp", "C:\\Windows\\Help\\stop.hlp",
                            "C:\\Windows\\Help\\after.hlp", "C:\\Windows\\Help\\gone.chm"));
    EXPECT_THAT(Column(kHelp, &TContent::KeyPath),
                ElementsAre(kHelpKeyPath, kHelpKeyPath, kHelpKeyPath, kHtmlHelpKeyPath));
    EXPECT_THAT(Column(kHelp, &TContent::ValueName), ElementsAre("", "", "", ""));
    EXPECT_THAT(Column(kHelp, &TContent::Severity), ElementsAre("Low", "Low", "Low", "Low"));
    EXPECT_EQ(scan.Progress().ItemsProcessed, 2u);  // one tick per key
}

TEST_F(FileReferenceSections, HelpAnIgnoredValueEndsOnlyItsKey) {
    WriteIgnoreFile("Help Section|" + kHelpKeyPath + "|stop.hlp\r\n");
    Scan({kHelp});
    EXPECT_THAT(Column(kHelp, &TContent::KeyName), ElementsAre("gone.hlp", "gone.chm"));
}

TEST_F(FileReferenceSections, SoundsReportsOnlyANonEmptyDefaultValue) {
    Scan({kSounds});
    ASSERT_EQ(Found(kSounds).Count(), 1u);
    const TContent& p = Found(kSounds)[0].Content;
    EXPECT_EQ(p.KeyPath, kSoundsKey);
    EXPECT_EQ(p.KeyName, "Sounds");
    EXPECT_EQ(p.ValueName, "default");
    EXPECT_EQ(p.ValueData, "C:\\Windows\\Media\\ding.wav");
    EXPECT_EQ(p.Severity, "High");
    // The Sounds section gets no ignore list: an entry for it changes nothing.
    WriteIgnoreFile("Sounds Section|" + kSoundsKey + "|default\r\nSounds Section|" + kSoundsKey + "|\r\n");
    scan.Clear();
    Scan({kSounds});
    EXPECT_EQ(Found(kSounds).Count(), 1u);
}

TEST_F(FileReferenceSections, NumbersRunAcrossSectionsAndRestartWithEveryScan) {
    Scan({kAppPaths, kFonts, kHelp, kSharedDlls, kSounds});
    std::vector<int32_t> ids;
    for (const int s : {kAppPaths, kFonts, kHelp, kSharedDlls, kSounds})
        for (const auto& item : Found(s)) ids.push_back(item.Content.ID);
    ASSERT_EQ(ids.size(), 16u);
    for (size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(ids[i], static_cast<int32_t>(i + 1));
    scan.Clear();
    Scan({kSounds});
    EXPECT_EQ(Found(kSounds)[0].Content.ID, 1);
}

TEST_F(FileReferenceSections, RepairsRemoveExactlyTheCheckedProblemsAndSayWhatHappened) {
    Scan({kAppPaths, kFonts, kHelp, kSharedDlls, kSounds});
    scan.Contents()[kSharedDlls][1].Content.Checked = false;  // zero.dll stays

    const TRepairContents dlls = Repair(kSharedDlls);
    ASSERT_EQ(dlls.Count(), 3u);
    EXPECT_EQ(dlls[0].Name, kSharedDllsKey);
    EXPECT_EQ(dlls[0].Status, "Repaired Successfully");
    const std::string dllKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
    EXPECT_FALSE(ValueExists(dllKey, "C:\\Windows\\System32\\gone.dll"));
    EXPECT_TRUE(ValueExists(dllKey, "C:\\Windows\\System32\\zero.dll"));
    EXPECT_TRUE(ValueExists(dllKey, "C:\\Windows\\System32\\present.dll"));

    const TRepairContents apps = Repair(kAppPaths);
    ASSERT_EQ(apps.Count(), 5u);
    EXPECT_EQ(apps[0].Name, kAppPathsKey + "\\gone.exe");
    EXPECT_FALSE(KeyExists("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\gone.exe"));
    EXPECT_TRUE(KeyExists("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\good.exe"));

    const TRepairContents fonts = Repair(kFonts);
    EXPECT_EQ(fonts.Count(), 2u);
    EXPECT_FALSE(ValueExists("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Gone (TrueType)"));
    EXPECT_TRUE(ValueExists("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Arial (TrueType)"));
    EXPECT_TRUE(ValueExists("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Full (TrueType)"));

    const TRepairContents help = Repair(kHelp);
    ASSERT_EQ(help.Count(), 4u);
    EXPECT_EQ(help[0].Name, "\\SOFTWARE\\Microsoft\\Windows\\Help");  // shown without the root name
    EXPECT_FALSE(ValueExists("SOFTWARE\\Microsoft\\Windows\\Help", "gone.hlp"));
    EXPECT_TRUE(ValueExists("SOFTWARE\\Microsoft\\Windows\\Help", "present.hlp"));
    EXPECT_FALSE(ValueExists("SOFTWARE\\Microsoft\\Windows\\Html Help", "gone.chm"));

    const TRepairContents sounds = Repair(kSounds);
    ASSERT_EQ(sounds.Count(), 1u);
    EXPECT_FALSE(ValueExists("Control Panel\\Sounds", ""));
    EXPECT_TRUE(ValueExists("Control Panel\\Sounds", "Named"));

    for (const TRepairContents* rows : {&dlls, &apps, &fonts, &help, &sounds})
        for (const auto& row : *rows) EXPECT_EQ(row.Status, "Repaired Successfully") << row.Name;

    // Repairing again: everything is already gone, which is a success too.
    for (const auto& row : Repair(kAppPaths)) EXPECT_EQ(row.Status, "Repaired Successfully");
    for (const auto& row : Repair(kSharedDlls)) EXPECT_EQ(row.Status, "Repaired Successfully");
}

TEST_F(FileReferenceSections, ARepairThatCannotRemoveItsTargetSaysErrorAndGoesOn) {
    LoadReg(
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\"
        "locked.exe\\Inner]\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App "
        "Paths\\"
        "locked.exe]\r\n@=\"C:\\\\Tools\\\\locked.exe\"\r\n");
    Scan({kAppPaths, kSharedDlls});
    // A subkey without rights keeps the program's key from being deleted.
    m->simRegistry().denyAccess(RootKey::LocalMachine,
                                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\locked.exe\\Inner");
    m->simRegistry().denyAccess(RootKey::LocalMachine,
                                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls");

    const TRepairContents apps = Repair(kAppPaths);
    ASSERT_EQ(apps.Count(), 6u);
    EXPECT_EQ(apps[1].Name, kAppPathsKey + "\\locked.exe");
    EXPECT_EQ(apps[1].Status, "Error: the key could not be deleted");
    EXPECT_EQ(RepairStatusColor(apps[1].Status), kRepairStatusErrorColor);
    EXPECT_EQ(apps[2].Status, "Repaired Successfully");  // the next problem is still repaired

    for (const auto& row : Repair(kSharedDlls)) EXPECT_EQ(row.Status, "Error: the key could not be opened");
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
