// The File Extensions section on a small registry: extension keys with an empty text default, Open With
// lists naming programs registered nowhere (walked without following links, shown every 200th key), the
// ignore rules, and the repair of each kind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "registry_cleaner/sections/classes_root_sections.h"
#include "support/classes_root_fixture.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::RootKey;
using ::testing::ElementsAre;

constexpr int kExtensions = 4;
const std::string kRoot = "HKEY_CLASSES_ROOT\\";
const std::string kFileExts = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
const std::string kTxtList = kFileExts + "\\.txt\\OpenWithList";
const std::string kLogList = kFileExts + "\\.log\\OpenWithList\\Deeper";

class ExtensionSection : public testing::ClassesRootFixture {
  protected:
    void SetUp() override { LoadRegFile("extensions.reg"); }
};

TEST_F(ExtensionSection, ReportsEmptyExtensionsThenUnknownOpenWithProgramsWithTheirFields) {
    Scan({kExtensions});
    // Plain or expandable empty text; a named class, no default and a number are fine. Open With
    // entries: known by HKEY_CLASSES_ROOT\Applications or App Paths (any letter case); MRUList and a
    // number are never programs; a key below an OpenWithList key is examined too.
    EXPECT_THAT(Column(kExtensions, &TContent::KeyPath),
                ElementsAre(kRoot + ".e1empty", kRoot + ".e4expand", "HKEY_CURRENT_USER\\" + kLogList,
                            "HKEY_CURRENT_USER\\" + kTxtList));
    EXPECT_THAT(Column(kExtensions, &TContent::ValueData), ElementsAre("", "", "deepgone.exe", "gone.exe"));

    const TContent& empty = Found(kExtensions)[0].Content;
    EXPECT_TRUE(empty.Checked);
    EXPECT_EQ(empty.ID, 1);
    EXPECT_EQ(empty.KeyName, ".e1empty");
    EXPECT_EQ(empty.ValueName, "default");
    EXPECT_EQ(empty.Action, "");
    EXPECT_EQ(empty.Title, "Missing or Invalid Path");
    EXPECT_EQ(empty.Description,
              "The Key default under " + kRoot + ".e1empty contains a bad path for the value");
    EXPECT_EQ(empty.Severity, "Low");

    const TContent& openWith = Found(kExtensions)[3].Content;
    EXPECT_EQ(openWith.ID, 4);
    EXPECT_EQ(openWith.KeyName, "b");         // the value's name
    EXPECT_EQ(openWith.ValueName, kTxtList);  // the key's path below the root
    EXPECT_EQ(openWith.Action, "");
    EXPECT_EQ(openWith.Title, "Missing or Invalid Path");
    EXPECT_EQ(openWith.Description,
              "The Key gone.exe under HKEY_CURRENT_USER\\" + kTxtList + " contains a bad path for the value");
    EXPECT_EQ(openWith.Severity, "Low");
    EXPECT_EQ(scan.Progress().countText[kExtensions], "4");
}

TEST_F(ExtensionSection, AnIgnoredExtensionOrOpenWithListIsSkipped) {
    // Open With entries are asked with the value name "value": an entry for the key skips all its
    // programs, one naming a single value matches nothing.
    WriteIgnoreFile("File Extensions|" + kRoot + ".e1empty|default\r\n" +
                    "File Extensions|HKEY_CURRENT_USER\\" + kTxtList + "|value\r\n" +
                    "File Extensions|HKEY_CURRENT_USER\\" + kLogList + "|a\r\n");
    Scan({kExtensions});
    EXPECT_THAT(Column(kExtensions, &TContent::KeyPath),
                ElementsAre(kRoot + ".e4expand", "HKEY_CURRENT_USER\\" + kLogList));
}

TEST_F(ExtensionSection, TheOpenWithWalkNeverFollowsALinkAndShowsEvery200thKey) {
    LoadReg("REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\" + kFileExts + "]\r\n");
    std::string reg = "REGEDIT4\r\n\r\n";
    for (int i = 0; i < 450; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, ".k%03d", i);
        reg += "[HKEY_CURRENT_USER\\" + kFileExts + "\\" + name + "]\r\n\r\n";
    }
    reg += "[HKEY_CURRENT_USER\\" + kFileExts + "\\.k000\\OpenWithList]\r\n\"a\"=\"linkgone.exe\"\r\n";
    LoadReg(reg);
    // A loop back to FileExts from inside an Open With list: followed, it would never end and its
    // programs would be examined again below a longer path.
    ASSERT_TRUE(m->simRegistry().createLink(RootKey::CurrentUser, kFileExts + "\\.k000\\OpenWithList\\Loop",
                                            kFileExts));
    // A walk caught in the loop is stopped instead of running for ever.
    ui.onPump = [&] {
        if (scan.Progress().ItemsProcessed > 5000) ctx.ScanState = kScanAbort;
    };
    Scan({kExtensions});
    EXPECT_THAT(Column(kExtensions, &TContent::KeyPath),
                ElementsAre(kRoot + ".e1empty", kRoot + ".e4expand",
                            "HKEY_CURRENT_USER\\" + kFileExts + "\\.k000\\OpenWithList"));
    // Walk order: .k000, its OpenWithList, the link (ticked, not entered), .k001 ...: the 400th key is .k397.
    EXPECT_EQ(scan.Progress().entry, kFileExts + "\\.k397");
    EXPECT_EQ(scan.Progress().ItemsProcessed, 5u + 452u);  // five extensions, 452 keys
}

TEST_F(ExtensionSection, RepairRemovesTheOpenWithEntryOrTheWholeExtensionKey) {
    Scan({kExtensions});
    const TRepairContents rows = Repair(kExtensions);
    ASSERT_EQ(rows.Count(), 4u);
    EXPECT_EQ(rows[0].Name, kRoot + ".e1empty");
    EXPECT_EQ(rows[3].Name, "HKEY_CURRENT_USER\\" + kTxtList);
    for (const auto& row : rows) EXPECT_EQ(row.Status, "Repaired Successfully") << row.Name;

    const RootKey cr = RootKey::ClassesRoot, cu = RootKey::CurrentUser;
    EXPECT_FALSE(KeyExists(cr, ".e1empty"));  // with its ShellNew subkey
    EXPECT_FALSE(KeyExists(cr, ".e4expand"));
    for (const char* kept : {".e2named", ".e3none", ".e5number", "Applications\\notepad.exe"})
        EXPECT_TRUE(KeyExists(cr, kept)) << kept;
    EXPECT_FALSE(ValueExists(cu, kTxtList, "b"));
    for (const char* kept : {"a", "c", "d", "e", "MRUList"})
        EXPECT_TRUE(ValueExists(cu, kTxtList, kept)) << kept;
    EXPECT_FALSE(ValueExists(cu, kLogList, "a"));
    EXPECT_TRUE(KeyExists(cu, kLogList));
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
