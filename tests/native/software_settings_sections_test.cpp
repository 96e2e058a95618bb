// The two whole-hive software settings sections on small machine images: the two problem kinds with
// their fields, what each section walks, passes over and leaves out, the order of its tests, a link
// loop, abort, and the repair.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/registry_accessor.h"
#include "platform/text_encoding.h"
#include "registry_cleaner/cleaner_repair.h"
#include "registry_cleaner/sections/software_settings_sections.h"
#include "support/cleaner_fixture.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::RootKey;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr int kSystem = 15, kUser = 17;

class SoftwareSettingsSections : public testing::CleanerFixture {
  protected:
    void SetString(RootKey root, std::string_view key, std::string_view name, std::string_view text) {
        const auto k = m->registry().open(root, key, true, true);
        ASSERT_TRUE(k) << key;
        ASSERT_TRUE(k->setValue(name, {platform::kRegSz, platform::Utf8ToRegBytes(text)})) << key;
    }
    bool ValueExists(RootKey root, std::string_view key, std::string_view name) {
        const auto k = m->registry().open(root, key, false, false);
        return k && k->queryValue(name).has_value();
    }
    TRepairContents Repair(int section) {
        TRepairContents repairs;
        MessagePump pump(ui, m->clock());
        RepairSection(ctx, section, Found(section), repairs, pump, {});
        return repairs;
    }
    // "KeyPath|ValueName|ValueData" of every problem of a section.
    std::vector<std::string> Rows(int section) const {
        std::vector<std::string> rows;
        for (const auto& item : Found(section))
            rows.push_back(item.Content.KeyPath + "|" + item.Content.ValueName + "|" +
                           item.Content.ValueData);
        return rows;
    }
};

// One value per case, each in a key of its own under both hives, judged by both sections.
enum class Kind { None, Path, File };
struct ValueCase {
    const char* name;  // value name ("" = the unnamed value)
    const char* text;
    Kind system;
    const char* systemData;
    Kind user;
    const char* userData;
    const char* severity;  // of the text as written
};

const ValueCase kCases[] = {
    {"v", "C:\\Program Files\\Gone\\gone.exe /x", Kind::File, "C:\\Program Files\\Gone\\gone.exe", Kind::File,
     "C:\\Program Files\\Gone\\gone.exe", "Normal"},
    {"v", "C:\\Tools\\present.exe -q", Kind::None, "", Kind::None, "", ""},
    {"v", "D:\\Data\\Gone Folder", Kind::Path, "D:\\Data\\Gone Folder", Kind::Path, "D:\\Data\\Gone Folder",
     "High"},
    {"v", "C:\\Tools", Kind::None, "", Kind::None, "", ""},
    // A file named like the whole command line exists: the text names it.
    {"v", "C:\\Tools\\odd.exe -run", Kind::None, "", Kind::None, "", ""},
    // A replaced variable upper-cases the whole text.
    {"v", "%SystemRoot%\\system32\\gone.dll", Kind::File, "C:\\WINDOWS\\SYSTEM32\\GONE.DLL", Kind::File,
     "C:\\WINDOWS\\SYSTEM32\\GONE.DLL", "Normal"},
    {"v", "%windir%\\GoneFolder", Kind::Path, "C:\\WINDOWS\\GONEFOLDER", Kind::Path,
     "C:\\WINDOWS\\GONEFOLDER", "Normal"},
    {"v", "%ProgramFiles%\\Gone\\pf.exe", Kind::File, "C:\\PROGRAM FILES\\GONE\\PF.EXE", Kind::File,
     "C:\\PROGRAM FILES\\GONE\\PF.EXE", "Normal"},
    {"v", "@%SystemRoot%\\system32\\gone.dll,-8", Kind::File, "C:\\WINDOWS\\SYSTEM32\\GONE.DLL", Kind::File,
     "C:\\WINDOWS\\SYSTEM32\\GONE.DLL", "Low"},
    // The system expansion drops enclosing quotes; the user one keeps them, so a quoted folder is no
    // plain path there, and a quoted command line goes to the command-line branch in both.
    {"v", "\"C:\\Gone Folder\"", Kind::Path, "C:\\Gone Folder", Kind::None, "", "Normal"},
    {"v", "\"C:\\Gone\\app.exe\" -min", Kind::File, "C:\\Gone\\app.exe", Kind::File, "C:\\Gone\\app.exe",
     "Normal"},
    // H:\ with a capital H is left out by the system section only; a lower-case h:\ passes.
    {"v", "H:\\Gone\\x.exe", Kind::None, "", Kind::File, "H:\\Gone\\x.exe", "High"},
    {"v", "H:\\GoneFolder", Kind::None, "", Kind::Path, "H:\\GoneFolder", "High"},
    {"v", "h:\\gone\\y.exe", Kind::File, "h:\\gone\\y.exe", Kind::File, "h:\\gone\\y.exe", "High"},
    // Sparing and skip words.
    {"v", "C:\\Gone\\msoe.dll", Kind::None, "", Kind::None, "", ""},
    {"v", "C:\\Gone\\MSOE.DLL /s", Kind::None, "", Kind::None, "", ""},
    {"v", "C:\\Gone\\Explorer.exe", Kind::None, "", Kind::File, "C:\\Gone\\Explorer.exe", "High"},
    {"v", "C:\\Gone\\hp\\tool.exe", Kind::None, "", Kind::File, "C:\\Gone\\hp\\tool.exe", "High"},
    {"v", "C:\\Gone\\iTunes\\helper.exe", Kind::None, "", Kind::None, "", ""},
    // Network, floppy and excluded drives are never examined.
    {"v", "\\\\server\\share\\gone.exe", Kind::None, "", Kind::None, "", ""},
    {"v", "C:\\Gone\\\\double.exe", Kind::None, "", Kind::None, "", ""},
    {"v", "A:\\setup.exe", Kind::None, "", Kind::None, "", ""},
    {"v", "a:\\Gone Folder", Kind::None, "", Kind::None, "", ""},
    {"v", "E:\\cd\\gone.exe", Kind::None, "", Kind::None, "", ""},
    {"v", "E:\\cd folder", Kind::None, "", Kind::None, "", ""},
    // Texts that only look like paths.
    {"v", "http://example.com/page.html", Kind::None, "", Kind::None, "", ""},
    {"v", "gone.exe", Kind::None, "", Kind::None, "", ""},
    {"v", "plain words", Kind::None, "", Kind::None, "", ""},
    // The unnamed value: "default" for a missing file of the system section, as read otherwise.
    {"", "C:\\Gone\\unnamed.exe", Kind::File, "C:\\Gone\\unnamed.exe", Kind::File, "C:\\Gone\\unnamed.exe",
     "High"},
    {"", "C:\\Gone Unnamed Folder", Kind::Path, "C:\\Gone Unnamed Folder", Kind::Path,
     "C:\\Gone Unnamed Folder", "High"},
};

TEST_F(SoftwareSettingsSections, EachSectionJudgesEveryTextValueAsItsVariantSays) {
    m->simFiles().addDrive('E', platform::DriveType::CdRom);
    BuildExcludedDrives(m->files(), ctx.ExcludedDrives);
    MakeFile("C:\\Tools\\present.exe");
    MakeFile("C:\\Tools\\odd.exe -run");
    for (size_t i = 0; i < std::size(kCases); ++i) {
        const std::string key = "Software\\Cases\\" + std::string(i < 10 ? "0" : "") + std::to_string(i);
        SetString(RootKey::LocalMachine, key, kCases[i].name, kCases[i].text);
        SetString(RootKey::CurrentUser, key, kCases[i].name, kCases[i].text);
    }
    SetString(RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
              "C:\\Program Files");
    Scan({kSystem, kUser});

    for (const bool system : {true, false}) {
        const int section = system ? kSystem : kUser;
        const std::string root = system ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
        std::vector<std::string> expected;
        std::vector<const ValueCase*> reported;
        for (size_t i = 0; i < std::size(kCases); ++i) {
            const ValueCase& c = kCases[i];
            const Kind kind = system ? c.system : c.user;
            if (kind == Kind::None) continue;
            const std::string valueName =
                kind == Kind::File && system && std::string_view(c.name).empty() ? "default" : c.name;
            expected.push_back(root + "\\Software\\Cases\\" + (i < 10 ? "0" : "") + std::to_string(i) + "|" +
                               valueName + "|" + (system ? c.systemData : c.userData));
            reported.push_back(&c);
        }
        ASSERT_THAT(Rows(section), ElementsAreArray(expected)) << root;
        for (size_t i = 0; i < reported.size(); ++i) {
            const TContent& p = Found(section)[i].Content;
            const Kind kind = system ? reported[i]->system : reported[i]->user;
            // A missing path names itself in KeyName; a missing file leaves it empty.
            EXPECT_EQ(p.KeyName, kind == Kind::Path ? p.ValueData : "") << p.ValueData;
            EXPECT_EQ(p.Severity, reported[i]->severity) << p.ValueData;
            EXPECT_EQ(p.Title, "Missing or Invalid Path");
            EXPECT_EQ(p.Description, "The Key " + p.ValueData + " under " + p.KeyPath +
                                         " contains a bad path for the value");
            EXPECT_TRUE(p.Checked);
            EXPECT_EQ(p.Section, "");
            EXPECT_EQ(p.AuxData, "");
            EXPECT_EQ(p.Action, "");
        }
        EXPECT_EQ(scan.Progress().countText[static_cast<size_t>(section)], std::to_string(expected.size()));
    }
    // Numbered across both sections in the order found.
    EXPECT_EQ(Found(kSystem)[0].Content.ID, 1);
    EXPECT_EQ(Found(kUser)[0].Content.ID, static_cast<int>(Found(kSystem).Count()) + 1);
}

class SoftwareSettingsMachine : public SoftwareSettingsSections {
  protected:
    void SetUp() override {
        LoadRegFile("software_settings.reg");
        WriteIgnoreFile(
            "System Software Settings|HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Ignored|count\r\n"
            "User Software Settings|hkey_current_user\\software\\vendor\\ignored|count\r\n"
            "User Software Settings|HKEY_CURRENT_USER\\Software\\Vendor\\Ignored|ign\r\n");
    }
};

const std::vector<std::string> kSystemFound = {
    // Cryptography, Windows NT\CurrentVersion, a Winlogon key and SYSTEM: their own values are examined,
    // their subkeys are not. App Paths and Installer are passed over, the Run key after them is not.
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Cryptography|own|C:\\Gone\\crypto.exe",
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run|Gone|C:\\Gone\\run.exe",
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion|own|C:\\Gone\\ntcv.exe",
    // A skip word ends its key, not the walk below it.
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Drivers\\Sub|x|C:\\Gone\\skip-sub.exe",
    // The ignore query comes first: an ignored number value ends the key.
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Unnamed|default|C:\\Gone\\unnamed.exe",
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Winlogon|own|C:\\Gone\\winlogon.exe",
    "HKEY_LOCAL_MACHINE\\SYSTEM|own|C:\\Gone\\system.exe",
    // The second call walks all users.
    "HKEY_USERS\\S-1-5-21-1\\Software\\Vendor|x|C:\\Gone\\hku.exe",
};
const std::vector<std::string> kUserFound = {
    // The user section walks App Paths like any key.
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\tool.exe||"
    "C:\\Gone\\user-apppaths.exe",
    "HKEY_CURRENT_USER\\Software\\Vendor\\Drivers\\Sub|x|C:\\Gone\\user-skip-sub.exe",
    // Only text values reach the ignore query: the ignored number is passed, the ignored text ends the key.
    "HKEY_CURRENT_USER\\Software\\Vendor\\Ignored|after|C:\\Gone\\user-after-ignore.exe",
    // "outlook" in any letter case keeps the subkeys out.
    "HKEY_CURRENT_USER\\Software\\Vendor\\OutLook|own|C:\\Gone\\outlook.exe",
};
// Keys counted and ticked: every key reached, the passed-over ones too, none below a left-out key.
constexpr uint64_t kSystemKeys = 20, kUserKeys = 11;

TEST_F(SoftwareSettingsMachine, WalksWhatEachSectionWalksAndEndsKeysWhereItSays) {
    Scan({kSystem, kUser});
    EXPECT_THAT(Rows(kSystem), ElementsAreArray(kSystemFound));
    EXPECT_THAT(Rows(kUser), ElementsAreArray(kUserFound));
    EXPECT_EQ(scan.Progress().keysCounted, kSystemKeys + kUserKeys);
    EXPECT_EQ(scan.Progress().ItemsProcessed, kSystemKeys + kUserKeys);
    // A second scan starts both counters afresh.
    Scan({kUser});
    EXPECT_EQ(scan.Progress().keysCounted, kUserKeys);
    EXPECT_EQ(scan.Progress().ItemsProcessed, kUserKeys);
}

TEST_F(SoftwareSettingsMachine, ARegistryLinkIsCountedButNeverFollowed) {
    // Two links back up the tree: followed, either would loop for ever.
    ASSERT_TRUE(
        m->simRegistry().createLink(RootKey::LocalMachine, "SOFTWARE\\Vendor\\Loop", "SOFTWARE\\Vendor"));
    ASSERT_TRUE(
        m->simRegistry().createLink(RootKey::CurrentUser, "Software\\Vendor\\Drivers\\Sub\\Up", "Software"));
    Scan({kSystem, kUser});
    EXPECT_THAT(Rows(kSystem), ElementsAreArray(kSystemFound));
    EXPECT_THAT(Rows(kUser), ElementsAreArray(kUserFound));
    EXPECT_EQ(scan.Progress().keysCounted, kSystemKeys + kUserKeys + 2);
}

TEST_F(SoftwareSettingsMachine, AKeyThatCannotBeOpenedIsNeitherScannedNorEntered) {
    m->simRegistry().denyAccess(RootKey::LocalMachine, "SOFTWARE\\Vendor\\Drivers");
    Scan({kSystem});
    std::vector<std::string> expected = kSystemFound;
    std::erase(expected, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Drivers\\Sub|x|C:\\Gone\\skip-sub.exe");
    EXPECT_THAT(Rows(kSystem), ElementsAreArray(expected));
    EXPECT_EQ(scan.Progress().keysCounted, kSystemKeys - 1);
}

TEST_F(SoftwareSettingsSections, ShowsEvery200thKeyAndStopsAtOnceOnAbort) {
    for (int i = 0; i < 450; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Software\\Wide\\K%03d", i);
        SetString(RootKey::LocalMachine, name, "v", "C:\\Gone\\w.exe");
        SetString(RootKey::CurrentUser, name, "v", "C:\\Gone\\w.exe");
    }
    Scan({kUser});
    EXPECT_EQ(scan.Progress().keysCounted, 452u);              // Software, Wide and the 450 below it
    EXPECT_EQ(scan.Progress().entry, "Software\\Wide\\K397");  // the 400th key
    EXPECT_EQ(Found(kUser).Count(), 450u);

    // An abort asked for while the 250th key is examined: its values and the keys after it are not
    // judged, and the next section does not run.
    ui.onPump = [&] {
        if (scan.Progress().keysCounted == 250) ctx.ScanState = kScanAbort;
    };
    scan.Clear();
    Scan({kSystem, kUser});
    EXPECT_TRUE(scan.Aborted());
    EXPECT_EQ(scan.Progress().keysCounted, 250u);
    EXPECT_EQ(Found(kSystem).Count(), 247u);  // K000..K246
    EXPECT_EQ(Found(kUser).Count(), 0u);
    EXPECT_EQ(scan.Outcome(kUser), SectionOutcome::NotScanned);
}

TEST_F(SoftwareSettingsMachine, RepairDeletesTheValuesAndSaysWhenItCannot) {
    Scan({kSystem, kUser});
    scan.Contents()[kSystem][0].Content.Checked = false;  // crypto.exe stays
    m->simRegistry().denyAccess(RootKey::LocalMachine, "SYSTEM");

    const TRepairContents system = Repair(kSystem);
    ASSERT_EQ(system.Count(), kSystemFound.size() - 1);
    for (size_t i = 0; i < system.Count(); ++i) {
        const bool locked = system[i].Name == "HKEY_LOCAL_MACHINE\\SYSTEM";
        EXPECT_EQ(system[i].Status, locked ? "Error: the key could not be opened" : "Repaired Successfully")
            << system[i].Name;
    }
    EXPECT_TRUE(ValueExists(RootKey::LocalMachine, "SOFTWARE\\Microsoft\\Cryptography", "own"));
    EXPECT_FALSE(
        ValueExists(RootKey::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Gone"));
    // "default" is the unnamed value; the key's other values stay.
    EXPECT_FALSE(ValueExists(RootKey::LocalMachine, "SOFTWARE\\Vendor\\Unnamed", ""));
    EXPECT_TRUE(ValueExists(RootKey::LocalMachine, "SOFTWARE\\Vendor\\Unnamed", "kept"));
    EXPECT_FALSE(ValueExists(RootKey::Users, "S-1-5-21-1\\Software\\Vendor", "x"));
    EXPECT_TRUE(ValueExists(RootKey::LocalMachine, "SOFTWARE\\Vendor\\Drivers", "second"));

    const TRepairContents user = Repair(kUser);
    ASSERT_EQ(user.Count(), kUserFound.size());
    for (const auto& row : user) EXPECT_EQ(row.Status, "Repaired Successfully") << row.Name;
    // An empty value name is the unnamed value too.
    EXPECT_FALSE(ValueExists(RootKey::CurrentUser,
                             "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\tool.exe", ""));
    EXPECT_FALSE(ValueExists(RootKey::CurrentUser, "Software\\Vendor\\Ignored", "after"));
    EXPECT_TRUE(ValueExists(RootKey::CurrentUser, "Software\\Vendor\\Ignored", "ign"));

    // Repairing again finds the values gone: still a success, nothing else is touched.
    const TRepairContents again = Repair(kUser);
    for (const auto& row : again) EXPECT_EQ(row.Status, "Repaired Successfully") << row.Name;
    scan.Clear();
    Scan({kUser});
    EXPECT_THAT(Rows(kUser), ElementsAre());
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
