// The seven sections for leftovers of programs and the Explorer on a small machine image: what each
// reports with every field, where an ignore entry ends or skips, the walks that must not follow links,
// and each repair with the status it reports.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/registry_accessor.h"
#include "registry_cleaner/cleaner_repair.h"
#include "registry_cleaner/sections/leftover_sections.h"
#include "support/cleaner_fixture.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::RootKey;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kEmptyKeys = 3, kShortcuts = 8, kRecent = 9, kStartMenu = 12, kStartup = 13, kServices = 14,
              kUninstall = 16;
const std::string kUninstallKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kMenuOrderPrograms =
    "HKEY_CURRENT_USER\\" + kExplorer + "\\MenuOrder\\Start Menu\\Programs";
const std::string kStartMenu2 = "HKEY_CURRENT_USER\\" + kExplorer + "\\MenuOrder\\Start Menu2\\Programs";
const std::string kOpenSave = kExplorer + "\\ComDlg32\\OpenSaveMRU";
const std::string kRunMru = kExplorer + "\\RunMRU";
const std::string kDesktop = "C:\\Users\\tester\\Desktop";

class LeftoverSections : public testing::CleanerFixture {
  protected:
    void SetUp() override {
        LoadRegFile("leftover_sections.reg");
        for (const char* file : {"C:\\Program Files\\Healthy\\uninst.exe", "C:\\Tools\\app.exe"})
            MakeFile(file);
        for (const char* folder :
             {"C:\\Users\\tester\\Start Menu\\Programs\\Accessories",
              "C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\AllUsersGroup",
              "C:\\ProgramData\\Start Menu\\Programs\\CommonGroup", "C:\\Tools\\App.v2"})
            MakeFile(std::string(folder) + "\\desktop.ini");
    }
    void TearDown() override {
        std::error_code ec;
        if (!outside_.empty()) std::filesystem::remove_all(outside_, ec);
    }

    // A shortcut file of the simulated shell: its text names the target.
    void MakeShortcut(const std::string& path, const std::string& target) { MakeFile(path, "lnk:" + target); }
    // A host folder outside the C: drive, removed after the test.
    const std::filesystem::path& Outside() {
        if (outside_.empty()) {
            outside_ = m.hostRoot();
            outside_ += "-outside";
            std::filesystem::create_directories(outside_);
        }
        return outside_;
    }
    std::filesystem::path Host(std::string_view windowsPath) { return m->simFiles().hostPath(windowsPath); }

    bool KeyExists(RootKey root, const std::string& path) {
        platform::TRegistry reg(m->registry(), root);
        return reg.KeyExists("\\" + path);
    }
    bool ValueExists(RootKey root, const std::string& key, const std::string& value) {
        platform::TRegistry reg(m->registry(), root);
        return reg.OpenKeyReadOnly("\\" + key) && reg.ValueExists(value);
    }
    TRepairContents Repair(int section) {
        TRepairContents repairs;
        MessagePump pump(ui, m->clock());
        RepairSection(ctx, section, Found(section), repairs, pump, {});
        return repairs;
    }
    std::vector<std::string> Statuses(const TRepairContents& repairs) {
        std::vector<std::string> out;
        for (const auto& r : repairs) out.push_back(r.Status);
        return out;
    }
    void CheckOnly(int section, std::initializer_list<size_t> indexes) {
        for (auto& item : scan.Contents()[static_cast<size_t>(section)]) item.Content.Checked = false;
        for (const size_t i : indexes)
            scan.Contents()[static_cast<size_t>(section)][i].Content.Checked = true;
    }

    std::filesystem::path outside_;
};

// ---------------------------------------------------------------------------------------------
// Uninstall Entries

TEST_F(LeftoverSections, UninstallReportsMissingUninstallersWithEveryField) {
    Scan({kUninstall});
    // Empty, floppy, installer-database (no colon), non-text and present commands are not problems.
    EXPECT_THAT(Column(kUninstall, &TContent::KeyName), ElementsAre("Gone", "WithSwitch", "Zlast"));
    const TContent& gone = Found(kUninstall)[0].Content;
    EXPECT_TRUE(gone.Checked);
    EXPECT_EQ(gone.ID, 1);
    EXPECT_EQ(gone.KeyPath, kUninstallKey + "\\Gone");
    EXPECT_EQ(gone.ValueName, "UninstallString");
    EXPECT_EQ(gone.ValueData, "C:\\Program Files\\Gone\\unins000.exe");  // quotes removed
    EXPECT_EQ(gone.Title, "Missing or Invalid Path");
    EXPECT_EQ(gone.Severity, "High");
    EXPECT_EQ(gone.Description, "The Key C:\\Program Files\\Gone\\unins000.exe under " + kUninstallKey +
                                    "\\Gone contains a bad path for the value");
    // The whole command is kept; its slash makes the severity Normal.
    EXPECT_EQ(Found(kUninstall)[1].Content.ValueData, "C:\\Windows\\unins.exe /quiet");
    EXPECT_EQ(Found(kUninstall)[1].Content.Severity, "Normal");
    EXPECT_EQ(scan.Progress().ItemsProcessed, 9u);  // every entry is ticked
    EXPECT_EQ(scan.Progress().entry, "Zlast");
}

TEST_F(LeftoverSections, UninstallStartsAfreshWhenScannedAgain) {
    Scan({kUninstall});
    Scan({kUninstall});  // without clearing: the section clears its own collection
    EXPECT_EQ(Found(kUninstall).Count(), 3u);
}

// ---------------------------------------------------------------------------------------------
// Ignore behaviours: end the section, end the folder, skip the key.

struct IgnoreCase {
    const char* name;
    int section;
    std::string line;
    std::string TContent::*field;
    std::vector<std::string> expected;
};

TEST_F(LeftoverSections, AnIgnoreEntryEndsOrSkipsAsEachSectionSays) {
    const std::string users = "HKEY_USERS\\S-1-5-21-1\\Software\\";
    MakeShortcut(kDesktop + "\\A.lnk", "C:\\Gone\\a.exe");
    MakeShortcut(kDesktop + "\\B.lnk", "C:\\Gone\\b.exe");
    MakeShortcut("C:\\Users\\tester\\Documents\\C.lnk", "C:\\Gone\\c.exe");
    const IgnoreCase cases[] = {
        // Ends the section at the entry, also at a healthy one.
        {"uninstall",
         kUninstall,
         "Uninstall Entries|" + kUninstallKey + "\\Healthy|UninstallString",
         &TContent::KeyName,
         {"Gone"}},
        // Ends the scan of the shortcut's folder only: other folders go on.
        {"shortcuts",
         kShortcuts,
         "Invalid Shortcuts|" + kDesktop + "\\A.lnk|C:\\Gone\\a.exe",
         &TContent::KeyName,
         {"C:\\Users\\tester\\Documents\\C.lnk"}},
        // Skips the key only.
        {"empty keys",
         kEmptyKeys,
         "Empty Registry Keys|" + users + "Parent\\Child|default",
         &TContent::KeyName,
         {"S-1-5-21-1\\Software\\Empty", "S-1-5-21-1\\Software\\Zz"}},
        {"startup",
         kStartup,
         "Startup Programs|" + kMenuOrderPrograms + "|GoneGroup",
         &TContent::KeyName,
         {}},
        {"start menu key pass",
         kStartMenu,
         "Start Menu Items|" + kStartMenu2 + "\\Office|default",
         &TContent::KeyName,
         {"Games"}},
        {"start menu value pass",
         kStartMenu,
         "Start Menu Items|" + kStartMenu2 + "\\Games|Other",
         &TContent::ValueName,
         {"default", "default", "default", "Order", "default"}},
        {"recent",
         kRecent,
         "Most Recently Used Files|HKEY_CURRENT_USER\\" + kOpenSave + "\\txt|b",
         &TContent::ValueName,
         {"a", "MRUList", "a"}},
        {"run list",
         kRecent,
         "Most Recently Used Files|HKEY_CURRENT_USER\\" + kRunMru + "|MRUList",
         &TContent::ValueName,
         {"a", "MRUList", "a", "b", "MRUList", "a"}},
    };
    for (const IgnoreCase& c : cases) {
        WriteIgnoreFile(c.line + "\r\n");
        scan.Clear();
        Scan({c.section});
        EXPECT_EQ(Column(c.section, c.field), c.expected) << c.name;
    }
}

// ---------------------------------------------------------------------------------------------
// Invalid Shortcuts

TEST_F(LeftoverSections, ShortcutsToMissingTargetsAreReportedWithTheirTarget) {
    MakeShortcut(kDesktop + "\\Gone.lnk", "C:\\Program Files\\Gone\\gone.exe");
    MakeShortcut(kDesktop + "\\CAPS.LNK", "C:\\Gone\\caps.exe");
    MakeShortcut(kDesktop + "\\Folder.lnk", "C:\\Gone Folder");
    MakeShortcut(kDesktop + "\\Healthy.lnk", "C:\\Tools\\app.exe");
    MakeShortcut(kDesktop + "\\DotFolder.lnk", "C:\\Tools\\App.v2");       // an existing folder
    MakeShortcut(kDesktop + "\\Web.lnk", "C:\\http://example.com/a.exe");  // "//"
    MakeShortcut(kDesktop + "\\Floppy.lnk", "A:\\setup.exe");
    MakeShortcut(kDesktop + "\\Network.lnk", "E:\\share\\app.exe");      // an excluded drive
    MakeShortcut(kDesktop + "\\Unc.lnk", "\\\\server\\share\\app.exe");  // a network path
    MakeShortcut(kDesktop + "\\Shell item.lnk", "");                     // no file-system target
    MakeFile(kDesktop + "\\Broken.lnk", "not a shortcut");               // cannot be loaded
    MakeFile(kDesktop + "\\notes.txt", "lnk:C:\\Gone\\notes.exe");       // not a shortcut name
    m->simFiles().addDrive('E', platform::DriveType::Remote);
    BuildExcludedDrives(m->files(), ctx.ExcludedDrives);

    Scan({kShortcuts});
    EXPECT_THAT(Column(kShortcuts, &TContent::KeyName),
                ElementsAre(kDesktop + "\\CAPS.LNK", kDesktop + "\\Folder.lnk", kDesktop + "\\Gone.lnk"));
    EXPECT_THAT(Column(kShortcuts, &TContent::ValueName),
                ElementsAre("C:\\Gone\\caps.exe", "C:\\Gone Folder", "C:\\Program Files\\Gone\\gone.exe"));
    const TContent& gone = Found(kShortcuts)[2].Content;
    EXPECT_TRUE(gone.Checked);
    EXPECT_EQ(gone.KeyPath, kDesktop + "\\Gone.lnk");
    EXPECT_EQ(gone.ValueData, "");
    EXPECT_EQ(gone.Title, "Invalid Shortcut");
    EXPECT_EQ(gone.Severity, "Low");
    EXPECT_EQ(gone.Description,
              "The shortcut Gone.lnk in the folder " + kDesktop + "\\Gone.lnk linked to a missing target.");
    EXPECT_EQ(scan.Progress().countText[kShortcuts], "3");
}

TEST_F(LeftoverSections, ShortcutsRecentStopsTheListingAndIsNeverEntered) {
    const std::string roaming = "C:\\Users\\tester\\AppData\\Roaming\\Microsoft\\Windows";
    MakeShortcut(roaming + "\\Apps\\before.lnk", "C:\\Gone\\before.exe");
    MakeShortcut(roaming + "\\Recent\\doc.lnk", "C:\\Gone\\doc.txt");
    MakeShortcut(roaming + "\\Start Menu\\after.lnk", "C:\\Gone\\after.exe");  // listed after "Recent"
    MakeShortcut("C:\\Users\\tester\\Desktop\\recently used.lnk", "C:\\Gone\\r.exe");
    MakeShortcut("C:\\Users\\tester\\Desktop\\zz.lnk", "C:\\Gone\\zz.exe");  // after it in the listing
    MakeShortcut("C:\\Users\\tester\\Documents\\doc.lnk", "C:\\Gone\\d.exe");
    Scan({kShortcuts});
    EXPECT_THAT(Column(kShortcuts, &TContent::KeyName),
                ElementsAre(roaming + "\\Apps\\before.lnk", "C:\\Users\\tester\\Documents\\doc.lnk"));
}

TEST_F(LeftoverSections, ShortcutsNeverFollowJunctionsOrLinksAndWalkEveryFixedDrive) {
    // A junction back to its own parent (a loop) and a link to a folder outside the drive.
    MakeShortcut("C:\\Loop\\in.lnk", "C:\\Gone\\in.exe");
    std::filesystem::create_directory_symlink(Host("C:\\Loop"), Host("C:\\Loop") / "back");
    std::filesystem::create_directories(Outside() / "far");
    {
        std::ofstream lnk(Outside() / "far" / "outside.lnk");
        lnk << "lnk:C:\\Gone\\outside.exe";
    }
    std::filesystem::create_directory_symlink(Outside() / "far", Host("C:\\Far"));
    // A second fixed drive is walked, a removable one is not.
    const std::filesystem::path d = Outside() / "d", f = Outside() / "f";
    std::filesystem::create_directories(d);
    std::filesystem::create_directories(f);
    m->simFiles().mapDrive('D', d);
    m->simFiles().mapDrive('F', f, platform::DriveType::Removable);
    MakeShortcut("D:\\on d.lnk", "C:\\Gone\\d.exe");
    MakeShortcut("F:\\on f.lnk", "C:\\Gone\\f.exe");

    Scan({kShortcuts});
    EXPECT_THAT(Column(kShortcuts, &TContent::KeyName), ElementsAre("C:\\Loop\\in.lnk", "D:\\on d.lnk"));
}

TEST_F(LeftoverSections, ShortcutsEnterFoldersByTheirAttributeWord) {
    struct Case {
        const char* folder;
        uint32_t extra;  // attributes besides "folder"
        bool entered;
    };
    const Case cases[] = {
        {"C:\\Plain", 0, true},
        {"C:\\HiddenSystem", platform::kAttrHidden | platform::kAttrSystem, true},
        {"C:\\Hidden", platform::kAttrHidden, false},
        {"C:\\Archived", platform::kAttrArchive, false},
    };
    for (const Case& c : cases) {
        MakeShortcut(std::string(c.folder) + "\\x.lnk", "C:\\Gone\\x.exe");
        ASSERT_TRUE(m->files().setAttributes(c.folder, platform::kAttrDirectory | c.extra));
    }
    Scan({kShortcuts});
    for (const Case& c : cases) {
        bool found = false;
        for (const auto& item : Found(kShortcuts))
            found |= item.Content.KeyName == std::string(c.folder) + "\\x.lnk";
        EXPECT_EQ(found, c.entered) << c.folder;
    }
}

TEST_F(LeftoverSections, ShortcutRepairMovesTheFileToTheRecycleBinOrSaysWhyNot) {
    MakeShortcut(kDesktop + "\\Gone.lnk", "C:\\Gone\\gone.exe");
    MakeShortcut(kDesktop + "\\Other.lnk", "C:\\Gone\\other.exe");
    Scan({kShortcuts});
    ASSERT_EQ(Found(kShortcuts).Count(), 2u);

    // Without a recycle bin nothing is deleted for good: the error is reported, the file stays.
    CheckOnly(kShortcuts, {0});
    TRepairContents repairs = Repair(kShortcuts);
    ASSERT_EQ(repairs.Count(), 1u);
    EXPECT_EQ(repairs[0].Name, kDesktop + "\\Gone.lnk");
    EXPECT_THAT(repairs[0].Status, ::testing::StartsWith("Error: "));
    EXPECT_TRUE(m->files().fileExists(kDesktop + "\\Gone.lnk"));

    m->simShell().enableRecycleBin();
    repairs = Repair(kShortcuts);
    EXPECT_THAT(Statuses(repairs), ElementsAre("Repaired Successfully"));
    EXPECT_FALSE(m->files().fileExists(kDesktop + "\\Gone.lnk"));
    EXPECT_THAT(m->simShell().recycled, ElementsAre(kDesktop + "\\Gone.lnk"));
    EXPECT_TRUE(m->files().fileExists(kDesktop + "\\Other.lnk"));  // not checked
    // Already gone counts as repaired.
    EXPECT_THAT(Statuses(Repair(kShortcuts)), ElementsAre("Repaired Successfully"));
}

// ---------------------------------------------------------------------------------------------
// System Services

TEST_F(LeftoverSections, SystemServicesReportsNothingAndItsRepairRemovesTheNamedValue) {
    Scan({kServices});
    EXPECT_EQ(Found(kServices).Count(), 0u);
    EXPECT_EQ(scan.Progress().countText[kServices], "0");

    TContent problem;
    problem.KeyPath = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Gone";
    problem.ValueName = "ImagePath";
    const RepairOutcome outcome = RepairSystemService(ctx, problem);
    EXPECT_TRUE(outcome.ok) << outcome.reason;
    EXPECT_FALSE(
        ValueExists(RootKey::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\Gone", "ImagePath"));
}

// ---------------------------------------------------------------------------------------------
// Empty Registry Keys

TEST_F(LeftoverSections, EmptyKeysReportsLeavesWithoutValuesAndNeverEntersTheDefaultProfile) {
    Scan({kEmptyKeys});
    // Not reported: a key with an empty default value, a key with a value, a parent, the "mime" key,
    // the service accounts' classes keys and everything under the default profile (spelled ".Default" here,
    // as Wine spells it: names are compared without regard to case).
    EXPECT_THAT(Column(kEmptyKeys, &TContent::KeyName),
                ElementsAre("S-1-5-21-1\\Software\\Empty", "S-1-5-21-1\\Software\\Parent\\Child",
                            "S-1-5-21-1\\Software\\Zz"));
    const TContent& empty = Found(kEmptyKeys)[0].Content;
    EXPECT_EQ(empty.KeyPath, "HKEY_USERS\\S-1-5-21-1\\Software\\Empty");
    EXPECT_EQ(empty.ValueName, "default");
    EXPECT_EQ(empty.ValueData, "");
    EXPECT_EQ(empty.Title, "Empty Key: HKEY_USERS\\S-1-5-21-1\\Software\\Empty");
    EXPECT_EQ(empty.Severity, "Low");
    EXPECT_EQ(empty.Description, "The Key default under HKEY_USERS\\S-1-5-21-1\\Software\\Empty is Empty");
    // The default profile itself is shown and ticked, never entered.
    EXPECT_EQ(scan.Progress().ItemsProcessed, 15u);
}

TEST_F(LeftoverSections, EmptyKeysNeverFollowsARegistryLink) {
    // A link loop (back to an ancestor) and a link to an empty key elsewhere.
    ASSERT_TRUE(m->simRegistry().createLink(RootKey::Users, "S-1-5-21-1\\Software\\Loop", "S-1-5-21-1"));
    ASSERT_TRUE(m->simRegistry().createLink(RootKey::Users, "S-1-5-21-1\\Software\\ToEmpty",
                                            "S-1-5-21-1\\Software\\Empty"));
    Scan({kEmptyKeys});
    EXPECT_THAT(Column(kEmptyKeys, &TContent::KeyName),
                ElementsAre("S-1-5-21-1\\Software\\Empty", "S-1-5-21-1\\Software\\Parent\\Child",
                            "S-1-5-21-1\\Software\\Zz"));
}

TEST_F(LeftoverSections, EmptyKeyRepairRemovesTheKeyOnly) {
    Scan({kEmptyKeys});
    CheckOnly(kEmptyKeys, {1});
    EXPECT_THAT(Statuses(Repair(kEmptyKeys)), ElementsAre("Repaired Successfully"));
    EXPECT_FALSE(KeyExists(RootKey::Users, "S-1-5-21-1\\Software\\Parent\\Child"));
    EXPECT_TRUE(KeyExists(RootKey::Users, "S-1-5-21-1\\Software\\Parent"));
    EXPECT_TRUE(KeyExists(RootKey::Users, "S-1-5-21-1\\Software\\Empty"));
}

// ---------------------------------------------------------------------------------------------
// Startup Programs and Start Menu Items

TEST_F(LeftoverSections, StartupReportsGroupsFoundInNoProgramsFolder) {
    Scan({kStartup});
    // Accessories is in the user's folder, AllUsersGroup in the all-users profile, CommonGroup in the
    // system's common programs folder.
    ASSERT_EQ(Found(kStartup).Count(), 1u);
    const TContent& p = Found(kStartup)[0].Content;
    EXPECT_EQ(p.KeyPath, kMenuOrderPrograms + "\\GoneGroup");
    EXPECT_EQ(p.KeyName, "GoneGroup");
    EXPECT_EQ(p.ValueName, "GoneGroup");
    EXPECT_EQ(p.ValueData, "");
    EXPECT_EQ(p.Title, "The key does not exist at the specified location");
    EXPECT_EQ(p.Severity, "High");
    EXPECT_EQ(p.Description, "The Key GoneGroup under " + kMenuOrderPrograms + "\\GoneGroup is Missing");
    EXPECT_EQ(scan.Progress().ItemsProcessed, 1u);  // only problems are ticked

    EXPECT_THAT(Statuses(Repair(kStartup)), ElementsAre("Repaired Successfully"));
    EXPECT_FALSE(KeyExists(RootKey::CurrentUser, kExplorer + "\\MenuOrder\\Start Menu\\Programs\\GoneGroup"));
    EXPECT_TRUE(
        KeyExists(RootKey::CurrentUser, kExplorer + "\\MenuOrder\\Start Menu\\Programs\\Accessories"));
}

TEST_F(LeftoverSections, StartupJudgesNothingWithoutAnyProgramsFolder) {
    LoadReg("REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\" + kExplorer +
            "\\User Shell Folders]\r\n\r\n[-HKEY_CURRENT_USER\\" + kExplorer +
            "\\Shell Folders]\r\n\r\n[-HKEY_LOCAL_MACHINE\\" + kExplorer + "\\Shell Folders]\r\n");
    Scan({kStartup});
    EXPECT_EQ(Found(kStartup).Count(), 0u);
}

TEST_F(LeftoverSections, StartMenuListsEverySubkeyAndTwoEntriesPerValue) {
    Scan({kStartMenu});
    // Games (two values): one key entry and two per value; Office (no values): one key entry.
    EXPECT_THAT(Column(kStartMenu, &TContent::KeyName),
                ElementsAre("Games", "Office", "Games", "Games", "Games", "Games"));
    EXPECT_THAT(Column(kStartMenu, &TContent::ValueName),
                ElementsAre("default", "default", "default", "Order", "default", "Other"));
    EXPECT_THAT(Column(kStartMenu, &TContent::ValueData), ElementsAre("key", "key", "", "", "", ""));
    for (const auto& item : Found(kStartMenu)) {
        const TContent& p = item.Content;
        EXPECT_EQ(p.KeyPath, kStartMenu2 + "\\" + p.KeyName);
        EXPECT_EQ(p.Title, "Missing or Invalid Path");
        EXPECT_EQ(p.Severity, "High");
        EXPECT_EQ(p.Description, "The Key default under " + p.KeyPath + " contains a bad path for the value");
    }
    EXPECT_EQ(scan.Progress().ItemsProcessed, 4u);  // two key entries, two values
}

TEST_F(LeftoverSections, StartMenuValueEntriesGoOnlyWithTheirKeyEntry) {
    const std::string games = kExplorer + "\\MenuOrder\\Start Menu2\\Programs\\Games";
    Scan({kStartMenu});
    // The value entries alone change nothing, and say so without calling it an error.
    CheckOnly(kStartMenu, {2, 3, 4, 5});
    TRepairContents repairs = Repair(kStartMenu);
    EXPECT_THAT(Statuses(repairs), ElementsAre(kStartMenuValueLeftNote, kStartMenuValueLeftNote,
                                               kStartMenuValueLeftNote, kStartMenuValueLeftNote));
    EXPECT_EQ(RepairStatusColor(repairs[0].Status), kRepairStatusOkColor);
    EXPECT_TRUE(ValueExists(RootKey::CurrentUser, games, "Order"));

    // The key entry removes the subkey with its values; its value entries are then repaired too.
    CheckOnly(kStartMenu, {0, 2, 3});
    repairs = Repair(kStartMenu);
    EXPECT_THAT(Statuses(repairs),
                ElementsAre("Repaired Successfully", "Repaired Successfully", "Repaired Successfully"));
    EXPECT_FALSE(KeyExists(RootKey::CurrentUser, games));
    EXPECT_TRUE(KeyExists(RootKey::CurrentUser, kExplorer + "\\MenuOrder\\Start Menu2\\Programs\\Office"));
}

// ---------------------------------------------------------------------------------------------
// Most Recently Used Files

TEST_F(LeftoverSections, RecentListsEveryOpenSaveValueAndEveryTextRunValueWithMruList) {
    Scan({kRecent});
    EXPECT_THAT(Column(kRecent, &TContent::KeyName),
                ElementsAre("*", "*", "txt", "txt", "txt", "RunMRU", "RunMRU"));
    EXPECT_THAT(Column(kRecent, &TContent::ValueName),
                ElementsAre("a", "MRUList", "a", "b", "MRUList", "a", "MRUList"));
    EXPECT_THAT(Column(kRecent, &TContent::ValueData), ElementsAre("", "", "", "", "", "notepad\\1", "a"));
    const TContent& open = Found(kRecent)[0].Content;
    EXPECT_EQ(open.KeyPath, "HKEY_CURRENT_USER\\" + kOpenSave + "\\*");
    EXPECT_EQ(open.Title, "Redundant or Invalid Registry Key");
    EXPECT_EQ(open.Severity, "Low");
    EXPECT_EQ(open.Description, "The Key " + kOpenSave + " under HKEY_CURRENT_USER\\" + kOpenSave +
                                    " contains a redundant or invalid registry key.");
    const TContent& run = Found(kRecent)[5].Content;
    EXPECT_EQ(run.KeyPath, "HKEY_CURRENT_USER\\" + kRunMru);
    EXPECT_EQ(run.Description, "The Key " + kRunMru + " under HKEY_CURRENT_USER\\" + kRunMru +
                                   " contains a redundant or invalid registry key.");

    CheckOnly(kRecent, {1, 5});
    EXPECT_THAT(Statuses(Repair(kRecent)), ElementsAre("Repaired Successfully", "Repaired Successfully"));
    EXPECT_FALSE(ValueExists(RootKey::CurrentUser, kOpenSave + "\\*", "MRUList"));
    EXPECT_TRUE(ValueExists(RootKey::CurrentUser, kOpenSave + "\\*", "a"));
    EXPECT_FALSE(ValueExists(RootKey::CurrentUser, kRunMru, "a"));
    EXPECT_TRUE(ValueExists(RootKey::CurrentUser, kRunMru, "b"));
}

// ---------------------------------------------------------------------------------------------
// The repairs of the registry sections, and the numbering across them

TEST_F(LeftoverSections, UninstallRepairRemovesTheUninstallStringOnly) {
    Scan({kUninstall});
    CheckOnly(kUninstall, {0});
    EXPECT_THAT(Statuses(Repair(kUninstall)), ElementsAre("Repaired Successfully"));
    const std::string gone = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Gone";
    EXPECT_FALSE(ValueExists(RootKey::LocalMachine, gone, "UninstallString"));
    EXPECT_TRUE(ValueExists(RootKey::LocalMachine, gone, "DisplayName"));
}

TEST_F(LeftoverSections, NumbersRunAcrossTheSectionsInSectionOrder) {
    MakeShortcut(kDesktop + "\\Gone.lnk", "C:\\Gone\\gone.exe");
    Scan({kEmptyKeys, kShortcuts, kRecent, kStartMenu, kStartup, kServices, kUninstall});
    std::vector<int32_t> ids;
    for (const int s : {kEmptyKeys, kShortcuts, kRecent, kStartMenu, kStartup, kServices, kUninstall})
        for (const auto& item : Found(s)) ids.push_back(item.Content.ID);
    ASSERT_EQ(ids.size(), 3u + 1u + 7u + 6u + 1u + 0u + 3u);
    for (size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(ids[i], static_cast<int32_t>(i + 1));
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
