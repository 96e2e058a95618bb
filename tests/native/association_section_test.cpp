// The Invalid File Associations section on a small class registry: extensions naming a class that is
// registered nowhere (the root's keys, the user's FileExts and OpenWithProgids), extension keys of a
// broken shape (the five tests), the two ignore rules, and the repair of each kind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "registry_cleaner/sections/classes_root_sections.h"
#include "support/classes_root_fixture.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::RootKey;
using ::testing::ElementsAre;

constexpr int kAssociations = 7;
const std::string kRoot = "HKEY_CLASSES_ROOT\\";

class AssociationSection : public testing::ClassesRootFixture {
  protected:
    void SetUp() override { LoadRegFile("associations.reg"); }
    // The problems of one scan: the target scan's have no Action, the structure scan's "delkey".
    std::vector<std::string> KeysWithAction(std::string_view action) const {
        std::vector<std::string> keys;
        for (const auto& item : Found(kAssociations))
            if (item.Content.Action == action) keys.push_back(item.Content.KeyPath);
        return keys;
    }
};

TEST_F(AssociationSection, TargetScanReportsExtensionsWhoseClassIsRegisteredNowhere) {
    Scan({kAssociations});
    // Known by a root key (any letter case), by a FileExts key of the extension, by an OpenWithProgids
    // entry; a number, a name with a backslash and an existing class that contains "Folder" are not
    // reported.
    EXPECT_THAT(KeysWithAction(""), ElementsAre(kRoot + ".aemissing", kRoot + ".s5lone", kRoot + ".s6sub"));
    const TContent& p = Found(kAssociations)[0].Content;
    EXPECT_TRUE(p.Checked);
    EXPECT_EQ(p.ID, 1);
    EXPECT_EQ(p.KeyName, ".aemissing");
    EXPECT_EQ(p.ValueName, "default");
    EXPECT_EQ(p.ValueData, "missingfile");
    EXPECT_EQ(p.AuxData, "");
    EXPECT_EQ(p.Title, "Missing or Invalid Path");
    EXPECT_EQ(p.Description,
              "The Key missingfile under " + kRoot + ".aemissing contains a bad path for the value");
    EXPECT_EQ(p.Severity, "High");
}

TEST_F(AssociationSection, WithoutUserExtensionsOnlyTheRootsKeysMakeAClassKnown) {
    LoadReg(
        "REGEDIT4\r\n\r\n[-HKEY_CURRENT_"
        "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts]\r\n");
    Scan({kAssociations});
    EXPECT_THAT(KeysWithAction(""), ElementsAre(kRoot + ".acuser", kRoot + ".adprogid", kRoot + ".aemissing",
                                                kRoot + ".s5lone", kRoot + ".s6sub"));
}

TEST_F(AssociationSection, StructureScanReportsExtensionKeysOfABrokenShape) {
    Scan({kAssociations});
    // .s1empty and .s8dword: no subkeys and no text (test 5); .s2openwith: only Open With lists and no
    // text (test 1), which a PersistentHandler (.s3) or the usual "OpenWithProgids" spelling (.s4) undo;
    // .s5lone: a lone default naming no key (test 2); .s6sub: subkeys under a default naming no key.
    EXPECT_THAT(KeysWithAction("delkey"),
                ElementsAre(kRoot + ".s1empty", kRoot + ".s2openwith", kRoot + ".s5lone", kRoot + ".s6sub",
                            kRoot + ".s8dword"));
    const TContent& p = Found(kAssociations)[3].Content;
    EXPECT_EQ(p.ID, 4);
    EXPECT_EQ(p.KeyPath, kRoot + ".s1empty");
    EXPECT_EQ(p.KeyName, "\\.s1empty");
    EXPECT_EQ(p.ValueName, "default");
    EXPECT_EQ(p.ValueData, "");
    EXPECT_EQ(p.Action, "delkey");
    EXPECT_EQ(p.Title, "The Application ID is not valid.(does not exist)");
    EXPECT_EQ(p.Description, "The Key default under " + kRoot + ".s1empty is an invalid entry");
    EXPECT_EQ(p.Severity, "High");
    EXPECT_EQ(scan.Progress().countText[kAssociations], "8");
    // Only the target scan ticks: one per extension.
    EXPECT_EQ(scan.Progress().ItemsProcessed, 16u);
}

TEST_F(AssociationSection, AnIgnoredTargetIsSkippedAndAnIgnoredShapeEndsTheStructureScan) {
    WriteIgnoreFile("Invalid File Associations|" + kRoot + ".AEMISSING|default\r\n" +
                    "Invalid File Associations|" + kRoot + ".s2openwith|default\r\n");
    Scan({kAssociations});
    EXPECT_THAT(KeysWithAction(""), ElementsAre(kRoot + ".s5lone", kRoot + ".s6sub"));
    EXPECT_THAT(KeysWithAction("delkey"), ElementsAre(kRoot + ".s1empty"));
}

TEST_F(AssociationSection, AKeyThatCannotBeReadIsNotCalledBroken) {
    m->simRegistry().denyAccess(RootKey::ClassesRoot, ".s7healthy");
    Scan({kAssociations});
    for (const auto& item : Found(kAssociations)) EXPECT_NE(item.Content.KeyPath, kRoot + ".s7healthy");
}

TEST_F(AssociationSection, TheTargetScanStartsTheSectionAfresh) {
    Scan({kAssociations});
    // Calling the section's scans again on the same collection gives the same list, not twice as long.
    Scan({kAssociations});
    EXPECT_EQ(Found(kAssociations).Count(), 8u);
}

TEST_F(AssociationSection, RepairRemovesTheDefaultValueOrTheWholeExtensionKey) {
    Scan({kAssociations});
    const TRepairContents rows = Repair(kAssociations);
    ASSERT_EQ(rows.Count(), 8u);
    EXPECT_EQ(rows[0].Name, kRoot + ".aemissing");
    for (const auto& row : rows) EXPECT_EQ(row.Status, "Repaired Successfully") << row.Name;

    const RootKey cr = RootKey::ClassesRoot;
    // Unknown class: the default value goes, the key and its other values stay.
    EXPECT_FALSE(ValueExists(cr, ".aemissing", ""));
    EXPECT_TRUE(ValueExists(cr, ".aemissing", "Content Type"));
    // Broken shape: the whole key goes, subkeys and all.
    for (const char* gone : {".s1empty", ".s2openwith", ".s5lone", ".s6sub", ".s8dword"})
        EXPECT_FALSE(KeyExists(cr, gone)) << gone;
    for (const char* kept :
         {".aaknown", ".acuser", ".s3persistent", ".s4progidscase", ".s7healthy", "knownfile"})
        EXPECT_TRUE(KeyExists(cr, kept)) << kept;
    EXPECT_TRUE(ValueExists(cr, ".aaknown", ""));
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
